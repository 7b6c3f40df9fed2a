#pragma once
// Telop mode: the borderless, colour-keyed caption drifting over the desktop.

#include "display/stretched_text_win.h"
#include "display/window_context_win.h"
#include "telop/telop_motion.h"

namespace orvane {

class TelopMode final : private PictureGuard {
 public:
  explicit TelopMode(WindowContext& context) noexcept : context_(context) {}

  // The command: enters telop mode, or leaves it.
  void Toggle();
  // The window's WM_TIMER: true when the timer is one of telop mode's.
  bool OnTimer(UINT_PTR id);

 private:
  void OnMotionTick();
  void OnTurnTick();
  void SetColorKey(bool on);
  void PullIntoMotionBox();
  // Under Wine: the caption's picture keyed while its shape stays within
  // kMostShapeRectangles, on the background it had before telop mode otherwise.
  bool Check(std::uint32_t* pixels, int width, int height, int stride) override;
  [[nodiscard]] Color Cover() const override;

  WindowContext& context_;
  int heading_ = 0;              // TelopDirection
  ActivationKeeper activation_;  // the activation the drift off the screen may lose
};

}  // namespace orvane
