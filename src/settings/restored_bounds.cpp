#include "settings/restored_bounds.h"

#include <algorithm>
#include <limits>

namespace orvane {

std::optional<Bounds> UsableBounds(Bounds window, Bounds workArea, const WindowLimits& limits) {
  // 64 bits: a hand-edited file may hold any 32-bit value, and a difference of
  // two of them does not fit in 32.
  using Wide = std::int64_t;
  const Wide width = Wide{window.right} - window.left;
  const Wide height = Wide{window.bottom} - window.top;
  if (width <= 0 || height <= 0) return std::nullopt;
  const Wide outerWidth = std::clamp<Wide>(width, limits.minWidth, std::max(limits.minWidth, limits.maxWidth));
  const Wide outerHeight = std::clamp<Wide>(height, limits.minHeight, std::max(limits.minHeight, limits.maxHeight));
  const Wide clientWidth = outerWidth - limits.frameLeft - limits.frameRight;
  const Wide clientHeight = outerHeight - limits.frameTop - limits.frameBottom;
  if (clientWidth <= 0 || clientHeight <= 0) return std::nullopt;

  const Wide workWidth = std::max<Wide>(0, Wide{workArea.right} - workArea.left);
  const Wide workHeight = std::max<Wide>(0, Wide{workArea.bottom} - workArea.top);
  const Wide needX = std::min({clientWidth, Wide{limits.usable}, workWidth});
  const Wide needY = std::min({clientHeight, Wide{limits.usable}, workHeight});

  // Left: at least needX client pixels before the work area's right edge and
  // after its left edge. Both hold together, as needX fits both the client
  // and the work area.
  const Wide lowestLeft = Wide{workArea.left} + needX + limits.frameRight - outerWidth;
  const Wide highestLeft = Wide{workArea.right} - needX - limits.frameLeft;
  const Wide left = std::max(lowestLeft, std::min<Wide>(window.left, highestLeft));
  // Top: the caption bar not above the work area, and needY client pixels
  // above its bottom; a work area too low for both keeps the caption bar.
  const Wide lowestTop = workArea.top;
  const Wide highestTop = Wide{workArea.bottom} - limits.frameTop - needY;
  const Wide top = std::max(lowestTop, std::min<Wide>(window.top, highestTop));

  const Wide right = left + outerWidth;
  const Wide bottom = top + outerHeight;
  // Only limits beyond any screen could leave 32 bits.
  constexpr Wide kLowest = std::numeric_limits<std::int32_t>::min();
  constexpr Wide kHighest = std::numeric_limits<std::int32_t>::max();
  for (const Wide edge : {left, top, right, bottom}) {
    if (edge < kLowest || edge > kHighest) return std::nullopt;
  }
  return Bounds{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top), static_cast<std::int32_t>(right),
                static_cast<std::int32_t>(bottom)};
}

}  // namespace orvane
