#pragma once
// The window's modes as plain state: full screen with the bounds it saved, and
// telop mode. Pure decisions over that state; the shell applies them.

#include "display/colors.h"

namespace orvane {

// A rectangle in screen coordinates; right and bottom exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  [[nodiscard]] int Width() const noexcept { return right - left; }
  [[nodiscard]] int Height() const noexcept { return bottom - top; }
  bool operator==(const Rect&) const = default;
};

struct DisplayModes {
  bool fullScreen = false;  // the full-screen command's check mark
  bool telop = false;       // the telop command's check mark
  bool colorKey = false;    // the window's transparency, on exactly in telop mode
  Rect savedBounds;         // SavedBounds: the bounds before full screen
  Color savedBackColor = kWhite;  // SavedBackColor: the background before telop mode
};

// The display's true background: the one saved while telop mode keys it out.
[[nodiscard]] constexpr Color TrueBackColor(const DisplayModes& modes, Color shown) noexcept {
  return modes.colorKey ? modes.savedBackColor : shown;
}

// Full screen entered or left: the modes after it and what the shell applies.
enum class WindowState { Keep, Normal, Maximized };
struct ModeChange {
  DisplayModes modes;
  bool sizable = true;  // the border: sizable frame, or none
  WindowState state = WindowState::Keep;
  Rect bounds;
};

// Where a window goes when SavedBounds cannot be used, and the smallest
// window the platform lets a user track.
struct FallbackPlacement {
  int minimumWidth = 0;
  int minimumHeight = 0;
  Rect firstStart;
};

// Saves the bounds, drops the border, maximizes and covers the primary screen.
[[nodiscard]] ModeChange EnterFullScreen(DisplayModes modes, const Rect& current, int screenWidth,
                                         int screenHeight) noexcept;

// Gives the frame back and restores the saved bounds. The full-screen command
// also restores the normal state; the exit command leaves the state as it is
// (maximized since entering).
enum class LeaveBy { Command, Exit };
[[nodiscard]] ModeChange LeaveFullScreen(DisplayModes modes, LeaveBy by,
                                         const FallbackPlacement& fallback) noexcept;

// Telop mode entered or left: the modes after it and the colours to apply.
// The window's own colour always follows the background.
struct TelopChange {
  DisplayModes modes;
  Color back = kWhite;    // the text field's background
  Color window = kWhite;  // the window's own colour
  bool sizable = true;
};

// Saves the background and keys out keyColor, which the caller derives from
// the text colour as drawn.
[[nodiscard]] TelopChange EnterTelop(DisplayModes modes, Color back, Color keyColor) noexcept;
// Gives back the saved background and the frame.
[[nodiscard]] TelopChange LeaveTelop(DisplayModes modes) noexcept;

// What Escape (the exit command) does in the present modes: full screen is
// left first, then telop mode; only then does the window close.
enum class ExitStep { LeaveFullScreen, LeaveTelop, Close };
[[nodiscard]] ExitStep NextExitStep(const DisplayModes& modes) noexcept;

// The bounds a window takes when it leaves full screen. SavedBounds is never
// applied when it is smaller than the window's smallest tracking size (the
// menu can take a window sized by hand for full screen before full screen was
// ever entered, when nothing was saved): the first-start bounds then.
[[nodiscard]] Rect BoundsLeavingFullScreen(const Rect& saved, int minimumWidth, int minimumHeight,
                                           const Rect& firstStart) noexcept;

// The window pulled back into the motion box (0, 0)-(boxWidth, boxHeight)
// when telop mode is left: each edge in turn, left, right, top, bottom. A
// window larger than the box ends with its far edge on the box's.
[[nodiscard]] Rect PullIntoBox(Rect window, int boxWidth, int boxHeight) noexcept;

}  // namespace orvane
