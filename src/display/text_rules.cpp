#include "display/text_rules.h"

namespace orvane {

std::u16string_view TrimmedText(std::u16string_view text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return text.substr(first, last - first);
}

EnterAction EnterToggle(int selectionLength, int textLength) {
  return selectionLength == textLength ? EnterAction::CaretToEnd : EnterAction::SelectAll;
}

}  // namespace orvane
