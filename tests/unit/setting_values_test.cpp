#include "settings/setting_values.h"

#include <gtest/gtest.h>

#include <climits>

#include "platform/user_error.h"

namespace orvane {
namespace {

TEST(ParseIniInteger, AcceptsDecimalAndHexFormsOnly) {
  struct Case {
    std::u16string_view text;
    std::optional<std::int32_t> value;
  };
  constexpr std::nullopt_t no = std::nullopt;
  const Case cases[] = {
      {u"0", 0}, {u"42", 42}, {u"+42", 42}, {u"-42", -42}, {u"007", 7},
      {u"2147483647", INT_MAX}, {u"-2147483648", INT_MIN}, {u"00000000002147483647", INT_MAX},
      {u"1999", 1999}, {u"-9", -9},
      {u"$1f", 31}, {u"0x1F", 31}, {u"0X1f", 31}, {u"x10", 16}, {u"X10", 16},
      {u"$FFFFFFFF", -1}, {u"$80000000", INT_MIN}, {u"$00000001", 1},
      {u"$09afAF", 0x09AFAF}, {u"0x9", 9},  // the ends of each range of digits
      {u"-$1", -1}, {u"+$1", 1}, {u"-0x10", -16}, {u"-$FFFFFFFF", 1},
      {u"-$80000000", INT_MIN},  // wraps
      // Rejects: blanks, trailing characters, bare signs and prefixes.
      {u"", no}, {u" ", no}, {u" 1", no}, {u"1 ", no}, {u"12a", no}, {u"1.0", no},
      {u"+", no}, {u"-", no}, {u"+-1", no}, {u"$", no}, {u"0x", no}, {u"x", no}, {u"X", no},
      {u"$1G", no}, {u"$ 1", no}, {u"0x$1", no}, {u"$-1", no}, {u"h10", no},
      {u"１２", no},  // full-width digits
      // Rejects: out of range.
      {u"2147483648", no}, {u"+2147483648", no}, {u"-2147483649", no},
      {u"99999999999999999999", no}, {u"$123456789", no}, {u"$000000001", no},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseIniInteger(c.text), c.value)
        << "text of " << c.text.size() << " units, first " << int(c.text.empty() ? 0 : c.text[0]);
  }
}

struct NamedColor {
  const char16_t* name;
  Color value;
};

constexpr NamedColor kNames[] = {
    {u"clBlack", 0x00000000}, {u"clMaroon", 0x00000080}, {u"clGreen", 0x00008000},
    {u"clOlive", 0x00008080}, {u"clNavy", 0x00800000}, {u"clPurple", 0x00800080},
    {u"clTeal", 0x00808000}, {u"clGray", 0x00808080}, {u"clSilver", 0x00C0C0C0},
    {u"clRed", 0x000000FF}, {u"clLime", 0x0000FF00}, {u"clYellow", 0x0000FFFF},
    {u"clBlue", 0x00FF0000}, {u"clFuchsia", 0x00FF00FF}, {u"clAqua", 0x00FFFF00},
    {u"clWhite", 0x00FFFFFF}, {u"clMoneyGreen", 0x00C0DCC0}, {u"clSkyBlue", 0x00F0CAA6},
    {u"clCream", 0x00F0FBFF}, {u"clMedGray", 0x00A4A0A0}, {u"clActiveBorder", 0xFF00000A},
    {u"clActiveCaption", 0xFF000002}, {u"clAppWorkSpace", 0xFF00000C},
    {u"clBackground", 0xFF000001}, {u"clBtnFace", 0xFF00000F}, {u"clBtnHighlight", 0xFF000014},
    {u"clBtnShadow", 0xFF000010}, {u"clBtnText", 0xFF000012}, {u"clCaptionText", 0xFF000009},
    {u"clDefault", 0x20000000}, {u"clGradientActiveCaption", 0xFF00001B},
    {u"clGradientInactiveCaption", 0xFF00001C}, {u"clGrayText", 0xFF000011},
    {u"clHighlight", 0xFF00000D}, {u"clHighlightText", 0xFF00000E}, {u"clHotLight", 0xFF00001A},
    {u"clInactiveBorder", 0xFF00000B}, {u"clInactiveCaption", 0xFF000003},
    {u"clInactiveCaptionText", 0xFF000013}, {u"clInfoBk", 0xFF000018},
    {u"clInfoText", 0xFF000017}, {u"clMenu", 0xFF000004}, {u"clMenuBar", 0xFF00001E},
    {u"clMenuHighlight", 0xFF00001D}, {u"clMenuText", 0xFF000007}, {u"clNone", 0x1FFFFFFF},
    {u"clScrollBar", 0xFF000000}, {u"cl3DDkShadow", 0xFF000015}, {u"cl3DLight", 0xFF000016},
    {u"clWindow", 0xFF000005}, {u"clWindowFrame", 0xFF000006}, {u"clWindowText", 0xFF000008},
};
static_assert(std::size(kNames) == 52);

TEST(ColorText, EveryNameMapsBothWays) {
  for (const NamedColor& named : kNames) {
    EXPECT_EQ(TextToColor(named.name), named.value) << std::hex << named.value;
    EXPECT_EQ(ColorToText(named.value), named.name) << std::hex << named.value;
  }
}

TEST(ColorText, UnnamedValuesAreEightUpperCaseHexDigits) {
  struct Case {
    Color value;
    std::u16string_view text;
  };
  const Case cases[] = {
      {0x00123456, u"$00123456"},
      {0x00ABCDEF, u"$00ABCDEF"},
      {0x00000001, u"$00000001"},
      {0xFF000019, u"$FF000019"},  // the system-colour gap has no name
      {0xFFFFFFFF, u"$FFFFFFFF"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColorToText(c.value), c.text);
    EXPECT_EQ(TextToColor(c.text), c.value) << std::hex << c.value;
  }
}

TEST(ColorText, ReadsNamesInAnyCaseAndIntegers) {
  EXPECT_EQ(TextToColor(u"CLRED"), 0x000000FFu);
  EXPECT_EQ(TextToColor(u"clbtnface"), 0xFF00000Fu);
  EXPECT_EQ(TextToColor(u"cl3ddkshadow"), 0xFF000015u);
  EXPECT_EQ(TextToColor(u"CLAQUA"), 0x00FFFF00u);
  EXPECT_EQ(TextToColor(u"255"), 0x000000FFu);
  EXPECT_EQ(TextToColor(u"-1"), 0xFFFFFFFFu);
  EXPECT_EQ(TextToColor(u"0xff"), 0x000000FFu);
}

TEST(ColorText, RejectsOtherTextWithTheUsersMessage) {
  struct Case {
    std::u16string_view text, message;
  };
  const Case cases[] = {
      {u"red", u"'red' is not a valid integer value"},
      {u"", u"'' is not a valid integer value"},
      {u" clRed", u"' clRed' is not a valid integer value"},
      {u"$100000000", u"'$100000000' is not a valid integer value"},
  };
  for (const Case& c : cases) {
    try {
      (void)TextToColor(c.text);
      ADD_FAILURE() << "no error for text of " << c.text.size() << " units";
    } catch (const UserError& error) {
      EXPECT_EQ(error.message(), c.message);
    }
  }
}

TEST(ClampFontSize, KeepsSizesAFontCanHave) {
  const std::pair<std::int32_t, std::int32_t> cases[] = {
      {0, 0},           {28, 28},         {-810, -810},           {16384, 16384},
      {-16384, -16384}, {16385, 16384},   {-1610612736, -16384},  {2000000000, 16384},
      {INT_MIN, -16384}, {INT_MAX, 16384},
  };
  for (const auto& [points, clamped] : cases) EXPECT_EQ(ClampFontSize(points), clamped) << points;
}

TEST(DisplayableColor, RgbAndSystemColoursStayNonColoursFallBackTheRestLoseTheTopByte) {
  struct Case {
    Color color;
    Color shown;
  };
  const Case cases[] = {
      {0x00000000, 0x00000000}, {0x00123456, 0x00123456}, {0x00FFFFFF, 0x00FFFFFF},
      {0xFF000008, 0xFF000008},  // clWindowText: the platform resolves it when drawing
      {0x1FFFFFFF, 0x00ABCDEF},  // clNone
      {0x20000000, 0x00ABCDEF},  // clDefault
      {0x7FFFFFFF, 0x00FFFFFF}, {0x01000010, 0x00000010}, {0x02123456, 0x00123456},
      {0x1FFFFFFE, 0x00FFFFFE},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DisplayableColor(c.color, 0x00ABCDEF), c.shown) << std::hex << c.color;
  }
}

}  // namespace
}  // namespace orvane
