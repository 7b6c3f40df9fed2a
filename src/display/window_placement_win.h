#pragma once
// Window placement: wheel zoom, full screen, centring, stay on top, maximize
// and minimize, and the window's border for the modes that drop it.

#include "display/display_modes.h"
#include "display/placement.h"
#include "display/window_context_win.h"

namespace orvane {

class WindowPlacement {
 public:
  explicit WindowPlacement(WindowContext& context) noexcept : context_(context) {}

  void OnWheel(int delta);

  // Commands.
  void ToggleFullScreen();
  void Centre();
  void ToggleStayOnTop();
  void ToggleMaximized();
  void Minimize();

  // The exit command's first step in full screen: the frame and the saved
  // bounds come back, the maximized state stays.
  void LeaveFullScreenForExit();

 private:
  void Zoom(int percent);
  void ApplyModeChange(const ModeChange& change);
  [[nodiscard]] FallbackPlacement Fallback() const;
  [[nodiscard]] Rect FirstStartBounds() const;
  void SetWindowState(int showCommand);
  void SetBounds(const Rect& bounds);

  WindowContext& context_;
  WheelAccumulator wheel_;
};

// The window's border: a sizable frame, or none (full screen, telop mode).
void SetSizable(const WindowContext& context, bool sizable);

}  // namespace orvane
