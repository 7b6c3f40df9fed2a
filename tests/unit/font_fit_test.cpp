#include "display/font_fit.h"

#include <gtest/gtest.h>

#include <climits>

namespace orvane {
namespace {

const std::u16string kMincho = u"ＭＳ 明朝";

TEST(FitRecord, WidthIsClientWidthOverAnsiLengthTruncating) {
  struct Case {
    int width, height, ansiLength, expectedWidth;
  };
  const Case cases[] = {
      {440, 220, 2, 220},   // "ab", or one kanji
      {440, 0, 2, 220},     // no client height: height 0, the platform's default
      {440, 220, 4, 110},   // kanji + "ab"
      {946, 507, 6, 157},   // 157.67 truncated
      {440, 220, 441, 1},   // longer than the area is wide: the thinnest, never 0
      {440, 220, 440, 1},
      {946, 507, 950, 1},
      {164, 100, 10000, 1},
      {0, 0, 1, 1},         // a window reduced to nothing
      {INT_MAX, INT_MAX, 1, INT_MAX},
  };
  for (const Case& c : cases) {
    FontRecord r = FitRecord(c.width, c.height, c.ansiLength, kMincho, 0);
    EXPECT_EQ(r.width, c.expectedWidth) << c.width << "/" << c.ansiLength;
    EXPECT_EQ(r.height, c.height) << "the cell is as high as the client area";
  }
}

TEST(LineOverflows, MoreBytesThanPixels) {
  struct Case {
    int width, ansiLength;
    bool overflows;
  };
  const Case cases[] = {
      {946, 946, false}, {946, 947, true}, {946, 950, true}, {164, 164, false},
      {164, 165, true},  {440, 2, false},  {0, 1, true},     {1, 1, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LineOverflows(c.width, c.ansiLength), c.overflows) << c.width << "/" << c.ansiLength;
  }
}

TEST(FitRecord, EveryOtherFieldAsTheDisplayNeeds) {
  FontRecord r = FitRecord(440, 220, 2, kMincho, 0);
  FontRecord expected;
  expected.height = 220;
  expected.width = 220;
  expected.weight = 400;
  expected.charSet = 128;
  expected.quality = 5;
  std::copy(kMincho.begin(), kMincho.end(), expected.faceName.begin());
  EXPECT_EQ(r, expected) << "escapement, orientation, precisions and pitch stay 0";
}

TEST(FitRecord, StyleBitsSetWeightAndFlags) {
  EXPECT_EQ(FitRecord(10, 10, 1, kMincho, kBold).weight, 700);
  FontRecord all = FitRecord(10, 10, 1, kMincho, kBold | kItalic | kUnderline | kStrikeOut);
  EXPECT_EQ(all.italic, 1);
  EXPECT_EQ(all.underline, 1);
  EXPECT_EQ(all.strikeOut, 1);
  EXPECT_EQ(StyleOf(all), kBold | kItalic | kUnderline | kStrikeOut);
  FontRecord italic = FitRecord(10, 10, 1, kMincho, kItalic);
  EXPECT_EQ(italic.weight, 400);
  EXPECT_EQ(StyleOf(italic), kItalic);
  EXPECT_EQ(StyleOf(FitRecord(10, 10, 1, kMincho, 0)), 0u);
}

TEST(FitRecord, FaceNameCutTo31UnitsAndZeroFilled) {
  std::u16string longFace(40, u'字');
  FontRecord r = FitRecord(10, 10, 1, longFace, 0);
  EXPECT_EQ(FaceOf(r), std::u16string(31, u'字'));
  EXPECT_EQ(r.faceName[31], u'\0');
  std::u16string exact(31, u'a');
  EXPECT_EQ(FaceOf(FitRecord(10, 10, 1, exact, 0)), exact);
  FontRecord shortFace = FitRecord(10, 10, 1, u"Arial", 0);
  for (std::size_t i = 5; i < shortFace.faceName.size(); ++i) EXPECT_EQ(shortFace.faceName[i], 0);
  EXPECT_EQ(FaceOf(FitRecord(10, 10, 1, u"", 0)), u"");
}

TEST(CaptionText, TextSizeAndFaceSeparatedByBlanks) {
  EXPECT_EQ(CaptionText(u"Orvane", 440, 220, kMincho), u"Orvane 440 x 220 ＭＳ 明朝");
  EXPECT_EQ(CaptionText(u"", 440, 220, kMincho), u" 440 x 220 ＭＳ 明朝");
  EXPECT_EQ(CaptionText(u"字ab", 0, 0, u"Arial"), u"字ab 0 x 0 Arial");
  EXPECT_EQ(CaptionText(u"  ", 1920, 1080, u""), u"   1920 x 1080 ");
}

}  // namespace
}  // namespace orvane
