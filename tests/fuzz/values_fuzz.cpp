// The integer and colour forms of the settings file: every colour and every
// integer written reads back as itself, and a text reads as an integer only in
// one of the integer forms.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "platform/user_error.h"
#include "display/text_rules.h"
#include "fuzz_input.h"
#include "settings/setting_values.h"

namespace {

using namespace orvane;
using fuzzing::Check;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsHexDigit(char16_t c) { return IsDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

std::u16string Lower(std::u16string text) {
  for (char16_t& c : text) {
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  }
  return text;
}

// The text with its sign, a "+" and leading zeros taken off, as a decimal
// is written: "-007" -> "-7", "+0" -> "0".
std::u16string CanonicalDecimal(std::u16string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == u'+' || text[0] == u'-')) {
    negative = text[0] == u'-';
    text.remove_prefix(1);
  }
  while (text.size() > 1 && text[0] == u'0') text.remove_prefix(1);
  std::u16string canonical(text);
  if (negative && canonical != u"0") canonical.insert(0, 1, u'-');
  return canonical;
}

void CheckInteger(const std::u16string& text) {
  const std::optional<std::int32_t> value = ParseIniInteger(text);
  std::u16string_view body = text;
  if (!body.empty() && (body[0] == u'+' || body[0] == u'-')) body.remove_prefix(1);
  const bool decimal = !body.empty() && body.find_first_not_of(u"0123456789") == std::u16string_view::npos;
  std::size_t prefix = body.starts_with(u"0x") || body.starts_with(u"0X") ? 2
                       : body.starts_with(u"$") || body.starts_with(u"x") || body.starts_with(u"X") ? 1
                                                                                                      : 0;
  const std::u16string_view digits = body.substr(prefix);
  const bool hex = prefix != 0 && !digits.empty() && digits.size() <= 8 &&
                   std::all_of(digits.begin(), digits.end(), IsHexDigit);
  if (!decimal && !hex) {
    Check(!value);
    return;
  }
  if (decimal) {
    // A decimal is rejected only outside the 32-bit range, which a canonical
    // form of more than 11 characters always is.
    const std::u16string canonical = CanonicalDecimal(text);
    if (value) {
      Check(DecimalText(*value) == canonical);
    } else {
      Check(canonical.size() >= 10);
    }
    return;
  }
  Check(value.has_value());
  // As hex, the digits and the sign are the value modulo 2^32.
  const auto magnitude = static_cast<std::uint32_t>(*ParseIniInteger(u"$" + std::u16string(digits)));
  const std::uint32_t expected = text[0] == u'-' ? 0u - magnitude : magnitude;
  Check(static_cast<std::uint32_t>(*value) == expected);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);

  // Every colour is written so that it reads back as itself, names in any case.
  const auto color = static_cast<Color>(in.Int(0, UINT32_MAX));
  const std::u16string written = ColorToText(color);
  Check(TextToColor(written) == color);
  Check(TextToColor(Lower(written)) == color);
  const Color shown = DisplayableColor(color, kWhite);
  Check((shown >> 24) == 0 || IsSystemColor(shown));
  Check((color >> 24) != 0 || shown == color);

  // Every integer is written so that it reads back as itself.
  const auto number = static_cast<std::int32_t>(in.Int(INT32_MIN, INT32_MAX));
  Check(ParseIniInteger(DecimalText(number)) == number);
  const std::int32_t points = ClampFontSize(number);
  Check(points >= -kLargestFontSize && points <= kLargestFontSize);
  Check(points == number || points == kLargestFontSize || points == -kLargestFontSize);

  const std::u16string text = in.Text(24, u"0123456789+-$xXaFf");
  CheckInteger(text);
  try {
    const Color read = TextToColor(text);
    Check(TextToColor(ColorToText(read)) == read);
  } catch (const UserError& error) {
    Check(error.message() == u"'" + text + u"' is not a valid integer value");
  }
  return 0;
}
