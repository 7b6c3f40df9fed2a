#pragma once
// Where a window whose rectangle comes from the settings file may open: far
// enough on the work area to be seen, grabbed by its caption bar and typed into.

#include <cstdint>
#include <optional>

namespace orvane {

struct Bounds {
  std::int32_t left = 0;
  std::int32_t top = 0;
  std::int32_t right = 0;
  std::int32_t bottom = 0;
  bool operator==(const Bounds&) const = default;
};

struct WindowLimits {
  // From each outer edge of the window to its client area; the caption bar is
  // part of the top.
  int frameLeft = 0;
  int frameTop = 0;
  int frameRight = 0;
  int frameBottom = 0;
  // The platform's smallest and largest outer size: a window takes the
  // rectangle's size raised or lowered to them.
  int minWidth = 0;
  int minHeight = 0;
  int maxWidth = 0;
  int maxHeight = 0;
  // Client pixels that must show each way (all of them when the client is smaller).
  int usable = 0;
};

// The rectangle at the size the window takes, moved as little as needed so
// that its caption bar lies wholly within the work area's height and at least
// `usable` client pixels each way lie on the work area. nullopt when it is
// reversed or empty, or leaves no client area at the size the window takes:
// the caller then takes the first-start placement.
[[nodiscard]] std::optional<Bounds> UsableBounds(Bounds window, Bounds workArea, const WindowLimits& limits);

}  // namespace orvane
