// Wheel zoom over any run of wheel deltas, window boxes and work areas up to
// 1,000,000 pixels: no wheel delta is lost, the width stays between a 24th of
// the work area and all of it, a free zoom keeps the window's centre and
// shape, and centring centres.

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "display/placement.h"
#include "fuzz_input.h"

namespace {

using namespace orvane;
using fuzzing::Check;

constexpr int kLargest = 1000000;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);
  const int workWidth = static_cast<int>(in.Int(1, kLargest));
  const int workHeight = static_cast<int>(in.Int(1, kLargest));
  WindowBox window{static_cast<int>(in.Int(-kLargest, kLargest)), static_cast<int>(in.Int(-kLargest, kLargest)),
                   static_cast<int>(in.Int(1, kLargest)), static_cast<int>(in.Int(0, kLargest))};

  const WindowBox centred = Centred(window, workWidth, workHeight);
  Check(centred.width == window.width && centred.height == window.height);
  Check(std::abs(2 * centred.left + window.width - workWidth) <= 1);
  Check(std::abs(2 * centred.top + window.height - workHeight) <= 1);

  WheelAccumulator wheel;
  std::int64_t turned = 0;
  std::int64_t notchesSeen = 0;
  while (!in.Empty()) {
    const int delta = static_cast<int>(in.Bool() ? in.Int(-240, 240) : in.Int(INT32_MIN, INT32_MAX));
    turned += delta;
    int notches = wheel.Add(delta);
    notchesSeen += notches;
    // What is not yet a whole notch is less than one.
    Check(std::abs(turned - notchesSeen * 120) < 120);
    for (int i = 0; i < 3 && notches != 0; ++i, notches -= notches > 0 ? 1 : -1) {
      const int percent = notches > 0 ? 101 : 99;
      const WindowBox before = window;
      window = ZoomWindow(before, percent, workWidth, workHeight);
      Check(window.width >= workWidth / 24 && window.width <= workWidth);
      if (window.height != before.height && window.height != workHeight) {
        // A free zoom: the way the wheel turned, about the centre, the same shape.
        Check(percent > 100 ? window.width >= before.width : window.width <= before.width);
        Check(window.height < workHeight);
        Check(std::abs((2 * window.left + window.width) - (2 * before.left + before.width)) <= 1);
        Check(std::abs((2 * window.top + window.height) - (2 * before.top + before.height)) <= 1);
        const double shape = static_cast<double>(before.height) / before.width;
        Check(std::fabs(window.height - window.width * shape) <= 0.5 + 1e-9 * window.height);
      }
    }
  }
  return 0;
}
