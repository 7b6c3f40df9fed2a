#include "output/bitmap_file.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <vector>

#include "platform/user_error.h"

namespace orvane {
namespace {

// The bytes as a list of numbers, so a failure shows where they differ.
std::vector<int> Bytes(const std::string& s) {
  std::vector<int> bytes;
  for (char c : s) bytes.push_back(static_cast<unsigned char>(c));
  return bytes;
}

std::vector<int> Headers(int fileSize, int width, int height, int imageSize) {
  auto le32 = [](int v) {
    return std::vector<int>{v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF, (v >> 24) & 0xFF};
  };
  std::vector<int> out{'B', 'M'};
  for (const auto& part : {le32(fileSize), le32(0), le32(54), le32(40), le32(width), le32(height),
                           std::vector<int>{1, 0, 24, 0}, le32(0), le32(imageSize), le32(3780),
                           le32(3780), le32(0), le32(0)}) {
    out.insert(out.end(), part.begin(), part.end());
  }
  return out;
}

TEST(BitmapFile, WidthFourNeedsNoPaddingAndRowsGoBottomUp) {
  // Two rows of four pixels, top row first: a distinct value in every byte.
  std::vector<std::uint8_t> top{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::vector<std::uint8_t> bottom{21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32};
  std::vector<std::uint8_t> bits(top);
  bits.insert(bits.end(), bottom.begin(), bottom.end());
  std::string file = BitmapFileBytes({4, 2, 12, bits}, 3780, 3780);

  std::vector<int> want = Headers(54 + 24, 4, 2, 24);
  want.insert(want.end(), bottom.begin(), bottom.end());
  want.insert(want.end(), top.begin(), top.end());
  EXPECT_EQ(Bytes(file), want);
}

TEST(BitmapFile, WidthFivePadsEachRowOfFifteenWithOneZero) {
  // The source rows are 16 bytes apart, their last byte not part of the picture.
  std::vector<std::uint8_t> bits{1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 99,
                                 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33, 34, 35};
  std::string file = BitmapFileBytes({5, 2, 16, bits}, 3780, 3780);

  std::vector<int> want = Headers(54 + 32, 5, 2, 32);
  for (int first : {21, 1}) {
    for (int i = 0; i < 15; ++i) want.push_back(first + i);
    want.push_back(0);
  }
  EXPECT_EQ(Bytes(file), want);
  EXPECT_EQ(file.size(), 54u + 32u);
}

TEST(BitmapFile, OneRowAndEmptyPicturesAreWholeFiles) {
  const std::vector<std::uint8_t> row{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  std::vector<int> want = Headers(54 + 12, 4, 1, 12);
  want.insert(want.end(), row.begin(), row.end());
  EXPECT_EQ(Bytes(BitmapFileBytes({4, 1, 12, row}, 3780, 3780)), want) << "a row of exactly its bytes";

  // A window reduced to nothing: headers only, with its true size.
  EXPECT_EQ(Bytes(BitmapFileBytes({0, 3, 0, {}}, 3780, 3780)), Headers(54, 0, 3, 0));
  EXPECT_EQ(Bytes(BitmapFileBytes({5, 0, 16, {}}, 3780, 3780)), Headers(54, 5, 0, 0));
}

TEST(BitmapFile, RefusesWhatItCannotWriteWhole) {
  const std::vector<std::uint8_t> bits(23);
  struct Case {
    PixelRows rows;
    std::u16string message;
  } cases[] = {
      {{INT_MAX, INT_MAX, 0, bits}, u"The picture is too large for a bitmap file"},
      {{4, 2, 12, bits}, u"The picture's pixels are incomplete"},
      {{8, 1, 24, bits}, u"The picture's pixels are incomplete"},  // one row, a byte short
      // A stride whose product with the rows wraps around to a few bytes.
      {{1, 3, SIZE_MAX / 2 + 1, bits}, u"The picture's pixels are incomplete"},
  };
  for (const Case& c : cases) {
    try {
      (void)BitmapFileBytes(c.rows, 3780, 3780);
      ADD_FAILURE() << c.rows.width << "x" << c.rows.height;
    } catch (const UserError& error) {
      EXPECT_TRUE(error.message() == c.message) << c.rows.width << "x" << c.rows.height;
    }
  }
}

TEST(PixelsPerMetre, RoundsToTheNearest) {
  struct Case {
    int ppi, ppm;
  } cases[] = {{96, 3780}, {120, 4724}, {144, 5669}, {192, 7559}, {72, 2835}, {0, 0}, {1, 39},
               {-96, -3780}};
  for (const Case& c : cases) EXPECT_EQ(PixelsPerMetre(c.ppi), c.ppm) << c.ppi;
}

}  // namespace
}  // namespace orvane
