#pragma once
// The forms values take in the settings file: integers, booleans, colours.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "display/colors.h"

namespace orvane {

// An optional sign, then decimal digits, or "$", "0x", "0X", "x" or "X" and at
// most 8 hexadecimal digits (the top bit makes the value negative). A decimal
// must lie within the 32-bit range. Anything else, trailing characters
// included, is no integer.
[[nodiscard]] std::optional<std::int32_t> ParseIniInteger(std::u16string_view text);

// The colour's name in the table of 52, or "$" and 8 upper-case hex digits.
[[nodiscard]] std::u16string ColorToText(Color color);

// A table name (case ignored) or an integer; otherwise throws UserError with
// "'text' is not a valid integer value".
[[nodiscard]] Color TextToColor(std::u16string_view text);

// A font size in points as the file may hold it, within what a font can have
// (16384 points either way: far beyond any screen or sheet), so converting it
// to pixels cannot overflow.
inline constexpr std::int32_t kLargestFontSize = 16384;
[[nodiscard]] std::int32_t ClampFontSize(std::int32_t points) noexcept;

// A colour the display can use: an RGB colour (top byte 0) or a system colour
// (resolved when drawn) as it is; clNone and clDefault, which name no colour,
// become the key's default; any other top byte is dropped, so drawing only
// ever sees 24-bit RGB.
[[nodiscard]] Color DisplayableColor(Color color, Color fallback) noexcept;

}  // namespace orvane
