#include "display/display_modes.h"

namespace orvane {
namespace {

Rect MovedTo(const Rect& r, int left, int top) noexcept {
  return {left, top, left + r.Width(), top + r.Height()};
}

}  // namespace

ModeChange EnterFullScreen(DisplayModes modes, const Rect& current, int screenWidth,
                           int screenHeight) noexcept {
  modes.fullScreen = true;
  modes.savedBounds = current;
  return {modes, false, WindowState::Maximized, {0, 0, screenWidth, screenHeight}};
}

ModeChange LeaveFullScreen(DisplayModes modes, LeaveBy by, const FallbackPlacement& fallback) noexcept {
  modes.fullScreen = false;
  const Rect bounds = BoundsLeavingFullScreen(modes.savedBounds, fallback.minimumWidth,
                                              fallback.minimumHeight, fallback.firstStart);
  return {modes, true, by == LeaveBy::Command ? WindowState::Normal : WindowState::Keep, bounds};
}

TelopChange EnterTelop(DisplayModes modes, Color back, Color keyColor) noexcept {
  modes.telop = true;
  modes.colorKey = true;
  modes.savedBackColor = back;
  return {modes, keyColor, keyColor, false};
}

TelopChange LeaveTelop(DisplayModes modes) noexcept {
  modes.telop = false;
  modes.colorKey = false;
  return {modes, modes.savedBackColor, modes.savedBackColor, true};
}

ExitStep NextExitStep(const DisplayModes& modes) noexcept {
  if (modes.fullScreen) return ExitStep::LeaveFullScreen;
  if (modes.telop) return ExitStep::LeaveTelop;
  return ExitStep::Close;
}

Rect BoundsLeavingFullScreen(const Rect& saved, int minimumWidth, int minimumHeight,
                             const Rect& firstStart) noexcept {
  if (saved.Width() < minimumWidth || saved.Height() < minimumHeight) return firstStart;
  return saved;
}

Rect PullIntoBox(Rect window, int boxWidth, int boxHeight) noexcept {
  if (window.left < 0) window = MovedTo(window, 0, window.top);
  if (window.right > boxWidth) window = MovedTo(window, boxWidth - window.Width(), window.top);
  if (window.top < 0) window = MovedTo(window, window.left, 0);
  if (window.bottom > boxHeight) window = MovedTo(window, window.left, boxHeight - window.Height());
  return window;
}

}  // namespace orvane
