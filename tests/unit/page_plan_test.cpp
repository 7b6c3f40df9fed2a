#include "output/page_plan.h"

#include <gtest/gtest.h>

#include <vector>

namespace orvane {
namespace {

TEST(SheetCharacters, OnePerCodePointSurrogatePairsWhole) {
  struct Case {
    std::u16string text;
    std::vector<std::u16string> expected;
  };
  const Case cases[] = {
      {u"AB", {u"A", u"B"}},
      {u"A B", {u"A", u" ", u"B"}},
      {u"本日休業", {u"本", u"日", u"休", u"業"}},
      {u"\xD842\xDFB7" u"A", {u"\xD842\xDFB7", u"A"}},       // a rare kanji prints whole
      {u"A\xD842", {u"A", u"\xD842"}},                          // lone high at the end
      {u"\xDFB7" u"A", {u"\xDFB7", u"A"}},                      // lone low
      {u"\xD842\xD842\xDFB7", {u"\xD842", u"\xD842\xDFB7"}},  // high, then a pair
      {u"A\xDC00", {u"A", u"\xDC00"}},                          // lone low after a letter
      {u"\xD800\xDC00", {u"\xD800\xDC00"}},                   // the first pair
      {u"\xDBFF\xDFFF", {u"\xDBFF\xDFFF"}},                   // the last pair
      {u"", {}},
  };
  for (const Case& c : cases) {
    std::vector<std::u16string_view> got = SheetCharacters(c.text);
    EXPECT_EQ(std::vector<std::u16string>(got.begin(), got.end()), c.expected) << c.text.size();
  }
}

TEST(CharacterPage, HeightLeftAndTop) {
  struct Case {
    int width, height, characterWidth;
    bool italic;
    int expectedHeight, expectedLeft, expectedTop;
  };
  const Case cases[] = {
      {4800, 6000, 2000, false, 4800, 1400, 600},
      {4800, 6000, 2000, true, 3840, 350, 1080},    // italic: 80 percent, a quarter of the centred left
      {2479, 3508, 2479, false, 2479, 0, 514},
      {2479, 3508, 2480, true, 1983, 0, 762},       // (-1 / 2) / 4 truncates to 0
      {2479, 3508, 2500, false, 2479, -10, 514},    // wider than the sheet
      {3508, 2479, 1000, true, 2479, 313, 0},       // a wide sheet: its height, no italic cut
      {3000, 3000, 1000, true, 3000, 250, 0},       // square counts as wide
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height << (c.italic ? " italic" : ""));
    int h = CharacterHeight(c.width, c.height, c.italic);
    EXPECT_EQ(h, c.expectedHeight);
    EXPECT_EQ(CharacterLeft(c.width, c.characterWidth, c.italic), c.expectedLeft);
    EXPECT_EQ(CellTop(c.height, h), c.expectedTop);
  }
  EXPECT_EQ(CellTop(2479, 2500), -10) << "a cell taller than the sheet starts above it";
}

TEST(CharacterPage, OrderOfPagesForThreeCopies) {
  auto order = [](int characters, int copies, bool collate) {
    std::vector<int> pages;
    for (int page = 0; page < characters * copies; ++page) {
      pages.push_back(CharacterOfPage(page, characters, copies, collate));
    }
    return pages;
  };
  EXPECT_EQ(order(3, 3, true), (std::vector{0, 1, 2, 0, 1, 2, 0, 1, 2}));
  EXPECT_EQ(order(3, 3, false), (std::vector{0, 0, 0, 1, 1, 1, 2, 2, 2}));
  EXPECT_EQ(order(2, 1, false), (std::vector{0, 1}));
  EXPECT_EQ(order(1, 3, true), (std::vector{0, 0, 0}));
  // No characters or no copies: no page to look up, and nothing to divide by.
  EXPECT_EQ(CharacterOfPage(0, 0, 3, true), 0);
  EXPECT_EQ(CharacterOfPage(0, 0, 3, false), 0);
  EXPECT_EQ(CharacterOfPage(0, 3, 0, false), 0);
  EXPECT_EQ(CharacterOfPage(0, 3, 0, true), 0);
}

TEST(WholeLine, ItalicLineEndsInOneSpace) {
  EXPECT_EQ(PrintedLine(u"AB", false), u"AB");
  EXPECT_EQ(PrintedLine(u"AB", true), u"AB ");
  EXPECT_EQ(PrintedLine(u"本日", true), u"本日 ");
  EXPECT_EQ(PrintedLine(u"A ", true), u"A ") << "already ends in a space";
  EXPECT_EQ(PrintedLine(u"A\x3000", true), u"A\x3000 ") << "the ideographic space is no space here";
  EXPECT_EQ(PrintedLine(u"", true), u" ") << "an empty italic line is its space";
  EXPECT_EQ(PrintedLine(u"", false), u"");
}

TEST(WholeLine, StartHeightCountsAnsiBytes) {
  struct Case {
    int width, ansiLength, expected;
  };
  const Case cases[] = {
      {6600, 10, 660},   // ten half-width characters, or five full-width ones
      {6600, 11, 600},   // the same ten, italic, with their space
      {6600, 5, 1320},   // what five characters would give if counted as characters
      {3300, 34, 97},    // more than 33 bytes: below 100
      {3508, 3508, 1},
      {3508, 5000, 1},   // longer than the sheet is wide: starts at 1, not 0
      {3508, 0, 3508},   // an empty line starts as high as the sheet is wide
  };
  for (const Case& c : cases) EXPECT_EQ(LineStartHeight(c.width, c.ansiLength), c.expected) << c.ansiLength;
}

TEST(WholeLine, FitInOnePercentStepsAndAlwaysEnds) {
  struct Case {
    const char* what;
    int width, start;
    int (*widthAt)(int);
    LineFit expected;
    int measurements;  // each one a font made on the printer
  };
  const Case cases[] = {
      {"ten half-width grow to the width", 6600, 660, [](int h) { return 10 * (h / 2); }, {1323, 6610}, 75},
      {"the italic line ends lower", 6600, 600, [](int h) { return 11 * (h / 2); }, {1202, 6611}, 75},
      {"too wide shrinks to within", 3300, 3300, [](int h) { return 2 * h; }, {1641, 3282}, 69},
      {"exactly as wide keeps its start", 6600, 660, [](int h) { return 10 * h; }, {660, 6600}, 1},
      {"shrinks to exactly the width and stops", 99, 100, [](int h) { return h; }, {99, 99}, 2},
      {"overhangs by up to one step", 6600, 660, [](int h) { return 10 * h * 51 / 100; }, {1298, 6619}, 73},
      {"99 steps by a pixel", 1000, 99, [](int h) { return 10 * h; }, {100, 1000}, 2},
      {"100 steps by one percent", 1010, 100, [](int h) { return 10 * h; }, {101, 1010}, 2},
      {"1 never shrinks", 3508, 1, [](int) { return 5000; }, {1, 5000}, 1},
      {"2 shrinks to 1 and stops", 3508, 2, [](int h) { return 5000 * h; }, {1, 5000}, 2},
      {"0 starts at 1", 10, 0, [](int h) { return 10 * h; }, {1, 10}, 1},
      {"no width stops at 16 widths", 100, 50, [](int) { return 0; }, {1600, 0}, 384},
  };
  for (const Case& c : cases) {
    int measurements = 0;
    LineFit fit = FitLine(c.width, c.start, [&](int height) {
      ++measurements;
      return c.widthAt(height);
    });
    EXPECT_EQ(fit.height, c.expected.height) << c.what;
    EXPECT_EQ(fit.width, c.expected.width) << c.what;
    EXPECT_EQ(measurements, c.measurements) << c.what;
  }
}

TEST(WholeLine, LeftIsAQuarterOfTheRoomNegativeWhenOverhanging) {
  EXPECT_EQ(LineLeft(6600, 6000), 150);
  EXPECT_EQ(LineLeft(6600, 6619), -4);  // truncating toward zero
  EXPECT_EQ(LineLeft(6600, 6600), 0);
}

}  // namespace
}  // namespace orvane
