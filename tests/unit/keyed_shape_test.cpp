#include "telop/keyed_shape.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace orvane {
namespace {

constexpr std::uint32_t kKey = 0x010000;  // RGB(1, 0, 0) as a pixel

// A picture in characters: '.' the key, '~' the key with a top byte, '#' and
// '+' two inks; each row is followed by `padding` ink pixels.
struct Picture {
  explicit Picture(const std::vector<std::string>& lines, int padding = 0) {
    for (const std::string& line : lines) {
      for (char c : line)
        pixels.push_back(c == '.' ? kKey : c == '~' ? 0xFF000000 | kKey : c == '#' ? 0 : 0x808080);
      pixels.insert(pixels.end(), static_cast<std::size_t>(padding), 0u);
    }
    const int width = lines.empty() ? 0 : static_cast<int>(lines[0].size());
    rows = {pixels.data(), width, static_cast<int>(lines.size()), width + padding};
  }
  std::vector<std::uint32_t> pixels;
  PixelRows rows;
};

TEST(KeyedShape, CountsRunsPerRowMergingRowsWithTheRunsOfTheRowAbove) {
  const struct {
    std::vector<std::string> picture;
    int limit, rectangles;
  } cases[] = {
      {{}, 100, 0},
      {{"....", "~~~~"}, 100, 0},
      {{"#..#"}, 100, 2},  // runs at both edges
      {{"##..", "++..", "##.."}, 100, 1},  // same runs, other inks: merged
      {{"~##~", ".##."}, 100, 1},          // the top byte is no colour
      {{"#.#.", "....", "#.#."}, 100, 4},  // a key row parts alike rows
      {{"#...", "##..", "#..."}, 100, 3},  // alike to the row two above only
      {{"#.#.", "....", ".#.#"}, 4, 4},
      {{"#.#.", "....", ".#.#"}, 3, 4},  // past the limit: limit + 1
  };
  for (const auto& c : cases) {
    Picture p(c.picture, 3);  // the padding between rows is never read
    EXPECT_EQ(ShapeRectangles(p.rows, kKey, c.limit), c.rectangles)
        << testing::PrintToString(c.picture);
  }
}

TEST(KeyedShape, PaintsTheKeyOverOnlyPastTheMost) {
  const std::vector<std::string> five = {"#.#", ".#.", "#.#"};  // 5 rectangles
  Picture fits(five);
  EXPECT_FALSE(CoverWhenTooComplex(fits.rows, kKey, 0xFFFFFF, 5));
  EXPECT_EQ(fits.pixels, Picture(five).pixels);

  Picture over(five);
  EXPECT_TRUE(CoverWhenTooComplex(over.rows, kKey, 0x808080, 4));
  EXPECT_EQ(over.pixels, Picture({"#+#", "+#+", "#+#"}).pixels) << "the key in the cover, ink kept";
  EXPECT_EQ(CoverColorFor(0x000001, 0x000001), 0x000003u) << "never the key, nor black text";

  // Past the shown width lie the field's clipped pixels: not the caption's.
  Picture wider(five, 1);
  for (int y = 0; y < 3; ++y) wider.pixels[y * 4 + 3] = kKey;
  EXPECT_TRUE(CoverWhenTooComplex(wider.rows, kKey, 0x808080, 4));
  for (int y = 0; y < 3; ++y) EXPECT_EQ(wider.pixels[y * 4 + 3], kKey) << "row " << y;
}

}  // namespace
}  // namespace orvane
