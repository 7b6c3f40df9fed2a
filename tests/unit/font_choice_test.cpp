#include "display/font_choice.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace orvane {
namespace {

FontRecord Chosen(std::u16string_view face, int height, int weight, std::uint8_t italic,
                  std::uint8_t underline, std::uint8_t strikeOut, std::uint8_t charSet) {
  FontRecord r;
  r.height = height;
  r.weight = weight;
  r.italic = italic;
  r.underline = underline;
  r.strikeOut = strikeOut;
  r.charSet = charSet;
  std::copy(face.begin(), face.end(), r.faceName.begin());
  return r;
}

TEST(DialogFontHeight, TwentyEightPointsAtTheWindowsPixelsPerInch) {
  const std::pair<int, int> cases[] = {{96, -37}, {144, -56}, {120, -47}, {192, -75}, {72, -28}};
  for (auto [ppi, height] : cases) EXPECT_EQ(DialogFontHeight(ppi), height) << ppi;
}

TEST(TakeFromDialog, FaceHeightAndStyleAlwaysCharSetAndColourOnlyWhenChanged) {
  const DialogFont before{u"ＭＳ 明朝", -37, kItalic, 0x0000C8, 128};
  struct Case {
    const char* what;
    FontRecord chosen;
    TakenFromDialog take;
    DialogFont expected;
  };
  const Case cases[] = {
      {"nothing changed",
       Chosen(u"IPAGothic", -37, 400, 0, 0, 0, 0),
       {},
       {u"IPAGothic", -37, 0, 0x0000C8, 128}},
      {"face or script changed",
       Chosen(u"IPAGothic", -37, 400, 0, 0, 0, 0),
       {.charSet = true},
       {u"IPAGothic", -37, 0, 0x0000C8, 0}},
      {"colour box changed",
       Chosen(u"ＭＳ 明朝", -48, 400, 1, 0, 0, 128),
       {.color = true},
       {u"ＭＳ 明朝", -48, kItalic, 0xFF0000, 128}},
      {"weight 401 is bold",
       Chosen(u"a", -37, 401, 0, 0, 0, 128),
       {},
       {u"a", -37, kBold, 0x0000C8, 128}},
      {"weight 0 is not", Chosen(u"a", -37, 0, 0, 0, 0, 128), {}, {u"a", -37, 0, 0x0000C8, 128}},
      {"any non-zero flag counts",
       Chosen(u"a", -37, 900, 255, 1, 2, 128),
       {},
       {u"a", -37, kBold | kItalic | kUnderline | kStrikeOut, 0x0000C8, 128}},
      {"31 units fit",
       Chosen(std::u16string(31, u'b'), -37, 400, 0, 0, 0, 128),
       {},
       {std::u16string(31, u'b'), -37, 0, 0x0000C8, 128}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TakeFromDialog(before, c.chosen, 0xFF0000, c.take), c.expected) << c.what;
  }
  FontRecord unterminated;
  unterminated.faceName.fill(u'字');
  EXPECT_EQ(TakeFromDialog(before, unterminated, 0, {}).face, std::u16string(31, u'字'));
}

TEST(DialogRecord, WhatTheDialogOpensWithComesBackUnchanged) {
  for (unsigned style = 0; style < 16; ++style) {
    DialogFont font{u"ＭＳ 明朝", -56, style, 0x00123456, 128};
    FontRecord record = DialogRecord(font);
    EXPECT_EQ(record.quality, 5);
    EXPECT_EQ(record.weight, (style & kBold) ? 700 : 400);
    EXPECT_EQ(TakeFromDialog(font, record, font.color, {true, true}), font) << style;
  }
  EXPECT_EQ(DialogRecord({std::u16string(40, u'a'), -37, 0, 0, 1}).faceName[31], u'\0');
}

TEST(Swapped, ExchangesTheColoursAndTwiceRestoresThem) {
  const ColorPair cases[] = {{0x000000, 0xFFFFFF}, {0xFF000008, 0xFF000005}, {0x0000FF, 0x0000FF}};
  for (const ColorPair& c : cases) {
    EXPECT_EQ(Swapped(c), (ColorPair{c.back, c.text}));
    EXPECT_EQ(Swapped(Swapped(c)), c);
  }
}

}  // namespace
}  // namespace orvane
