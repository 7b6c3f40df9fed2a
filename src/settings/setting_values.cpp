#include "settings/setting_values.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "platform/user_error.h"

namespace orvane {
namespace {

struct NamedColor {
  std::u16string_view name;
  Color value;
};

constexpr std::array<NamedColor, 52> kNamedColors{{
    {u"clBlack", 0x00000000},
    {u"clMaroon", 0x00000080},
    {u"clGreen", 0x00008000},
    {u"clOlive", 0x00008080},
    {u"clNavy", 0x00800000},
    {u"clPurple", 0x00800080},
    {u"clTeal", 0x00808000},
    {u"clGray", 0x00808080},
    {u"clSilver", 0x00C0C0C0},
    {u"clRed", 0x000000FF},
    {u"clLime", 0x0000FF00},
    {u"clYellow", 0x0000FFFF},
    {u"clBlue", 0x00FF0000},
    {u"clFuchsia", 0x00FF00FF},
    {u"clAqua", 0x00FFFF00},
    {u"clWhite", 0x00FFFFFF},
    {u"clMoneyGreen", 0x00C0DCC0},
    {u"clSkyBlue", 0x00F0CAA6},
    {u"clCream", 0x00F0FBFF},
    {u"clMedGray", 0x00A4A0A0},
    {u"clActiveBorder", 0xFF00000A},
    {u"clActiveCaption", 0xFF000002},
    {u"clAppWorkSpace", 0xFF00000C},
    {u"clBackground", 0xFF000001},
    {u"clBtnFace", 0xFF00000F},
    {u"clBtnHighlight", 0xFF000014},
    {u"clBtnShadow", 0xFF000010},
    {u"clBtnText", 0xFF000012},
    {u"clCaptionText", 0xFF000009},
    {u"clDefault", 0x20000000},
    {u"clGradientActiveCaption", 0xFF00001B},
    {u"clGradientInactiveCaption", 0xFF00001C},
    {u"clGrayText", 0xFF000011},
    {u"clHighlight", 0xFF00000D},
    {u"clHighlightText", 0xFF00000E},
    {u"clHotLight", 0xFF00001A},
    {u"clInactiveBorder", 0xFF00000B},
    {u"clInactiveCaption", 0xFF000003},
    {u"clInactiveCaptionText", 0xFF000013},
    {u"clInfoBk", 0xFF000018},
    {u"clInfoText", 0xFF000017},
    {u"clMenu", 0xFF000004},
    {u"clMenuBar", 0xFF00001E},
    {u"clMenuHighlight", 0xFF00001D},
    {u"clMenuText", 0xFF000007},
    {u"clNone", 0x1FFFFFFF},
    {u"clScrollBar", 0xFF000000},
    {u"cl3DDkShadow", 0xFF000015},
    {u"cl3DLight", 0xFF000016},
    {u"clWindow", 0xFF000005},
    {u"clWindowFrame", 0xFF000006},
    {u"clWindowText", 0xFF000008},
}};

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

// Colour names are ASCII; only ASCII letters fold.
bool SameAsciiName(std::u16string_view a, std::u16string_view b) {
  const auto fold = [](char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
  };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [fold](char16_t x, char16_t y) { return fold(x) == fold(y); });
}

}  // namespace

std::optional<std::int32_t> ParseIniInteger(std::u16string_view text) {
  bool negative = false;
  if (!text.empty() && (text.front() == u'+' || text.front() == u'-')) {
    negative = text.front() == u'-';
    text.remove_prefix(1);
  }

  std::size_t prefix = 0;
  if (text.starts_with(u"0x") || text.starts_with(u"0X")) {
    prefix = 2;
  } else if (text.starts_with(u'$') || text.starts_with(u'x') || text.starts_with(u'X')) {
    prefix = 1;
  }
  if (prefix != 0) {
    const std::u16string_view digits = text.substr(prefix);
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char16_t c : digits) {
      const int digit = HexDigit(c);
      if (digit < 0) return std::nullopt;
      value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    // Unsigned arithmetic: "-$80000000" wraps to the lowest value, as stored.
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
  }

  if (text.empty()) return std::nullopt;
  const std::int64_t limit = negative ? 2147483648LL : 2147483647LL;
  std::int64_t value = 0;
  for (const char16_t c : text) {
    if (c < u'0' || c > u'9') return std::nullopt;
    value = value * 10 + (c - u'0');
    if (value > limit) return std::nullopt;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::u16string ColorToText(Color color) {
  for (const NamedColor& named : kNamedColors) {
    if (named.value == color) return std::u16string(named.name);
  }
  static constexpr char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string text = u"$";
  for (int shift = 28; shift >= 0; shift -= 4) text += kHex[(color >> shift) & 0xF];
  return text;
}

std::int32_t ClampFontSize(std::int32_t points) noexcept {
  return std::clamp(points, -kLargestFontSize, kLargestFontSize);
}

Color DisplayableColor(Color color, Color fallback) noexcept {
  constexpr Color kNone = 0x1FFFFFFF;
  constexpr Color kDefault = 0x20000000;
  if (color == kNone || color == kDefault) return fallback;
  if (IsSystemColor(color)) return color;
  return color & 0x00FFFFFF;
}

Color TextToColor(std::u16string_view text) {
  for (const NamedColor& named : kNamedColors) {
    if (SameAsciiName(named.name, text)) return named.value;
  }
  if (const std::optional<std::int32_t> value = ParseIniInteger(text)) {
    return static_cast<Color>(*value);
  }
  std::u16string message = u"'";
  message += text;
  message += u"' is not a valid integer value";
  throw UserError(std::move(message));
}

}  // namespace orvane
