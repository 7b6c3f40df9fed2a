#pragma once
// Small rules about the one line of text.

#include <string>
#include <string_view>

namespace orvane {

// The text less every leading and trailing unit coded 32 or below (blanks and
// control characters; the ideographic space stays).
[[nodiscard]] std::u16string_view TrimmedText(std::u16string_view text);

// The integer in decimal digits, with "-" when negative.
[[nodiscard]] std::u16string DecimalText(int value);

// What Enter (or line feed) does: with the whole text selected, or an empty
// text, it puts the caret at the end; otherwise it selects everything.
enum class EnterAction { CaretToEnd, SelectAll };
[[nodiscard]] EnterAction EnterToggle(int selectionLength, int textLength);

}  // namespace orvane
