#include "output/save_name.h"

namespace orvane {

std::u16string NameAsTyped(std::u16string_view chosen, std::u16string_view typed) {
  constexpr std::u16string_view kAdded = u".bmp";  // exactly as the dialog appends it
  const std::u16string_view name = typed.substr(typed.find_last_of(u"\\/") + 1);
  std::u16string ending(1, u'\\');
  ending.append(name).append(kAdded);
  if (name.empty() || name.ends_with(kAdded) || !chosen.ends_with(ending)) return std::u16string(chosen);
  return std::u16string(chosen.substr(0, chosen.size() - kAdded.size()));
}

std::u16string ReplaceQuestion(std::u16string_view path) {
  return std::u16string(path) + u" は既に存在します。\r\n上書きしますか？";
}

}  // namespace orvane
