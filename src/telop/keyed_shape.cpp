#include "telop/keyed_shape.h"

#include <cstddef>
#include <cstring>

namespace orvane {
namespace {

constexpr std::uint32_t kRgb = 0xFFFFFF;

}  // namespace

int ShapeRectangles(const PixelRows& rows, std::uint32_t key, int limit) noexcept {
  key &= kRgb;
  const auto width = static_cast<std::size_t>(rows.width > 0 ? rows.width : 0);
  int count = 0;
  const std::uint32_t* above = nullptr;
  for (int y = 0; y < rows.height; ++y) {
    const std::uint32_t* row = rows.pixels + static_cast<std::ptrdiff_t>(y) * rows.stride;
    // Rows alike to the pixel are the common case (the blank above and below
    // the text, the straight strokes): merged without looking at their runs.
    if (above && std::memcmp(row, above, width * sizeof *row) == 0) continue;
    int runs = 0;
    bool same = above != nullptr;  // the same runs, though not the same colours
    bool inRun = false;
    for (std::size_t x = 0; x < width; ++x) {
      const bool ink = (row[x] & kRgb) != key;
      if (ink && !inRun) ++runs;
      inRun = ink;
      if (same && ink != ((above[x] & kRgb) != key)) same = false;
    }
    above = row;
    if (same) continue;
    count += runs;
    if (count > limit) return limit + 1;
  }
  return count;
}

bool CoverWhenTooComplex(const PixelRows& rows, std::uint32_t key, std::uint32_t cover,
                         int most) noexcept {
  if (ShapeRectangles(rows, key, most) <= most) return false;
  key &= kRgb;
  for (int y = 0; y < rows.height; ++y) {
    std::uint32_t* row = rows.pixels + static_cast<std::ptrdiff_t>(y) * rows.stride;
    for (int x = 0; x < rows.width; ++x) {
      if ((row[x] & kRgb) == key) row[x] = cover;
    }
  }
  return true;
}

}  // namespace orvane
