#pragma once
// Window placement arithmetic: wheel zoom, centring, the full-screen test.

namespace orvane {

// Outer window rectangle as left, top, width and height.
struct WindowBox {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const WindowBox&) const = default;
};

// Scales the window by percent (99 or 101) about its centre. The width is kept
// between workWidth / 24 and workWidth; when either limit or the height limit
// workHeight is hit, only that one measure changes and the window stays put.
[[nodiscard]] WindowBox ZoomWindow(WindowBox window, int percent, int workWidth, int workHeight);

// Left and top that centre the window in the measure, counted from the screen
// origin (not the work area's corner). Divisions truncate towards zero.
[[nodiscard]] WindowBox Centred(WindowBox window, int workWidth, int workHeight);

// Mouse-wheel deltas summed until they make whole notches of 120.
class WheelAccumulator {
 public:
  // Adds a delta; returns the whole notches it completes, signed (positive
  // for the wheel turned away from the user). The remainder is kept.
  int Add(int delta) noexcept;

 private:
  int sum_ = 0;
};

}  // namespace orvane
