#include "report/information_report.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

namespace orvane {
namespace {

// Printable in a failure message; anything beyond ASCII shows as "?".
std::string Narrow(std::u16string_view text) {
  std::string out;
  for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
  return out;
}

TEST(InformationReport, WritesEveryLineOfATelopStateByteForByte) {
  // clang-format off
  const ReportSnapshot s{
      .text = u"AB\U00020BB7", .selectionLength = 4,  // all selected; a surrogate pair
      .screenWidth = 1920, .screenHeight = 1080, .workAreaWidth = 1920, .workAreaHeight = 1040,
      .bounds = {-8, 20, 1000, 330}, .clientWidth = 986, .clientHeight = 270,
      .captionWidth = 187, .maximized = true,
      .fontFace = u"Arial", .fontStyle = 1 | 8, .fontHeight = 200, .pixelsPerInch = 96,
      .fontColor = 0xFF000008, .backColor = 0x00FF00FE,  // the key colour, not reported
      .savedBackColor = 0x010080FF, .telop = true, .colorKey = true,
      .printerName = u"PDF", .page = {2398, 3407, 300, 300, 203, 288}, .decimalSeparator = u","};
  EXPECT_EQ(Narrow(InformationReport(s)),
            "[TEXT]\r\nText=\"AB??\"\r\nLength=4\r\nUTF16=0041 0042 D842 DFB7 \r\n"
            "AllSelected=Yes\r\n\r\n"
            "[SCREEN]\r\nWidth=1920\r\nHeight=1080\r\nWorkAreaWidth=1920\r\n"
            "WorkAreaHeight=1040\r\n\r\n"
            "[FORM]\r\nLeft=-8\r\nTop=20\r\nRight=1000\r\nBottom=330\r\nWidth=1008\r\n"
            "Height=310\r\nCanvasWidth=986\r\nCanvasHeight=270\r\nCanvasTextWidth=187\r\n"
            "Maximized=Yes\r\n\r\n"
            "[FONT]\r\nName=Arial\r\nPointSize=-150\r\nHeight=200\r\nBold=Yes\r\nItalic=No\r\n"
            "StrikeOut=Yes\r\nUnderLine=No\r\nFontColor=clWindowText($ff000008)\r\n"
            "BackColor=$0080ff\r\nTelopFloat=Yes\r\nTransparent=Yes\r\n\r\n"
            "[PRINTER]\r\nName=PDF\r\nPageWidth(pix)=2398\r\nPageHeight(pix)=3407\r\n"
            "HorizontalDPI=300\r\nVerticalDPI=300\r\nDrawWidth(inch)=8,0\r\n"
            "DrawHeight(inch)=11,3\r\nDrawWidth(mm)=203\r\nDrawHeight(mm)=288\r\n");
  // clang-format on
}

TEST(InformationReport, EmptyTextAndTheFieldsOwnBackground) {
  const std::string report = Narrow(InformationReport({.text = u"", .backColor = 0x00FFFFFF}));
  EXPECT_TRUE(report.starts_with(
      "[TEXT]\r\nText=\"\"\r\nLength=0\r\nUTF16=\r\nAllSelected=No\r\n\r\n[SCREEN]"));
  EXPECT_NE(report.find("\r\nBackColor=clWhite($ffffff)\r\n"), std::string::npos)
      << "outside telop mode";
}

TEST(InformationReport, EachStyleFlagReadsItsOwnBit) {
  const std::pair<unsigned, const char*> cases[] = {
      {0, "Bold=No\r\nItalic=No\r\nStrikeOut=No\r\nUnderLine=No\r\n"},
      {1, "Bold=Yes\r\nItalic=No\r\nStrikeOut=No\r\nUnderLine=No\r\n"},
      {2, "Bold=No\r\nItalic=Yes\r\nStrikeOut=No\r\nUnderLine=No\r\n"},
      {4, "Bold=No\r\nItalic=No\r\nStrikeOut=No\r\nUnderLine=Yes\r\n"},
      {8, "Bold=No\r\nItalic=No\r\nStrikeOut=Yes\r\nUnderLine=No\r\n"},
  };
  for (const auto& [style, flags] : cases) {
    const std::string report = Narrow(InformationReport({.text = u"x", .fontStyle = style}));
    const std::size_t from = report.find("Bold=");
    EXPECT_EQ(report.substr(from, report.find("FontColor=") - from), flags) << "style " << style;
  }
}

TEST(ReportColor, NamesWithTheirValueOrSixDigits) {
  const std::pair<Color, const char*> cases[] = {
      {0x00000000, "clBlack($000000)"}, {0x000000FF, "clRed($0000ff)"},
      {0xFF000008, "clWindowText($ff000008)"}, {0x1FFFFFFF, "clNone($1fffffff)"},
      {0x000080FF, "$0080ff"}, {0x12345678, "$345678"},
      {0xFF0000FF, "$0000ff"},  // a system colour index beyond the table
  };
  for (const auto& [color, text] : cases)
    EXPECT_EQ(Narrow(ReportColor(color)), text) << std::hex << color;
}

TEST(OneDecimal, RoundsToTheNearestTenthWithTheGivenSeparator) {
  const std::tuple<double, const char16_t*, const char*> cases[] = {
      {203 / 25.4, u".", "8.0"}, {0.25, u",", "0,3"},   {-0.25, u".", "-0.3"},
      {-0.04, u".", "0.0"},      {12.34, u"٫", "12?3"}, {1e6, u".", "1000000.0"}};
  for (const auto& [value, separator, text] : cases)
    EXPECT_EQ(Narrow(OneDecimal(value, separator)), text) << value;
}

TEST(MulDivRounded, RoundsHalfAwayFromZeroAndFailsAsThePlatformDoes) {
  const std::tuple<int, int, int, int> cases[] = {
      {200, 72, 96, 150}, {1, 1, 2, 1}, {-1, 1, 2, -1}, {3, 1, -2, -2}, {5, 72, 0, -1},
      {INT_MAX, 2, 1, -1}, {INT_MIN, 1, 1, -1}, {INT_MAX, INT_MAX, INT_MAX, INT_MAX},
      {-INT_MAX, 1, 1, -INT_MAX}};  // the lowest result the platform gives
  for (const auto& [a, b, c, result] : cases)
    EXPECT_EQ(MulDivRounded(a, b, c), result) << a << " " << b << " " << c;
}

}  // namespace
}  // namespace orvane
