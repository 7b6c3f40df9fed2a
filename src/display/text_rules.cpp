#include "display/text_rules.h"

#include <string>

namespace orvane {

std::u16string_view TrimmedText(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return text.substr(first, last - first);
}

std::u16string DecimalText(int value) {
  // std::to_string has no char16_t flavour; digits and "-" are ASCII.
  std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

EnterAction EnterToggle(int selectionLength, int textLength) {
  return selectionLength == textLength ? EnterAction::CaretToEnd : EnterAction::SelectAll;
}

}  // namespace orvane
