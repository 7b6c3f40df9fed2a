#pragma once
// The font and colour commands: the dialogs choose, the window refits.

#include "display/font_color_dialogs_win.h"
#include "display/window_context_win.h"

namespace orvane {

class FontColorCommands {
 public:
  explicit FontColorCommands(WindowContext& context) noexcept : context_(context) {}

  void ChooseFont();
  void ChooseTextColor();
  void ChooseBackColor();
  void SwapColors();

 private:
  // The dialog's font becomes the display font; the fit replaces its size.
  void Apply(const DialogFont& font);

  WindowContext& context_;
  // Kept for the run: the custom colours the user defines come back next time.
  ColorDialog colorDialog_;
};

}  // namespace orvane
