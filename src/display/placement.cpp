#include "display/placement.h"

#include <cstdint>

namespace orvane {

WindowBox ZoomWindow(WindowBox window, int percent, int workWidth, int workHeight) {
  const WindowBox old = window;
  const double ratio =
      old.width > 0 ? static_cast<double>(old.height) / static_cast<double>(old.width) : 0.0;
  // The product is a 32-bit integer, then scaled and rounded half up.
  const auto product = static_cast<std::int32_t>(static_cast<std::int64_t>(old.width) * percent);
  window.width = static_cast<int>(product / 100.0 + 0.5);
  const int narrowest = workWidth / 24;
  if (window.width < narrowest) {
    window.width = narrowest;
    return window;
  }
  if (window.width >= workWidth) {
    window.width = workWidth;
    return window;
  }
  window.height = static_cast<int>(window.width * ratio + 0.5);
  if (window.height >= workHeight) {
    window.height = workHeight;
    return window;
  }
  window.left = old.left + (old.width - window.width) / 2;
  window.top = old.top + (old.height - window.height) / 2;
  return window;
}

WindowBox Centred(WindowBox window, int workWidth, int workHeight) {
  window.left = (workWidth - window.width) / 2;
  window.top = (workHeight - window.height) / 2;
  return window;
}

int WheelAccumulator::Add(int delta) noexcept {
  constexpr int kNotch = 120;  // WHEEL_DELTA
  // Kept in 64 bits so a flood of deltas cannot overflow before it is split.
  std::int64_t sum = static_cast<std::int64_t>(sum_) + delta;
  auto notches = static_cast<int>(sum / kNotch);
  sum_ = static_cast<int>(sum - static_cast<std::int64_t>(notches) * kNotch);
  return notches;
}

}  // namespace orvane
