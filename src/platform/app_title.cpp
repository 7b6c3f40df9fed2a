#include "platform/app_title.h"

namespace orvane {
namespace {

// Lower case for the letters a file name is likely to hold: ASCII and the
// full-width Latin letters. Other scripts have no case to fold here.
char16_t ToLower(char16_t c) {
  if (c >= u'A' && c <= u'Z') return static_cast<char16_t>(c + (u'a' - u'A'));
  if (c >= u'\uFF21' && c <= u'\uFF3A') return static_cast<char16_t>(c + (u'\uFF41' - u'\uFF21'));
  return c;
}

}  // namespace

std::u16string ApplicationTitle(std::u16string_view exePath) {
  auto slash = exePath.find_last_of(u"\\/:");
  std::u16string_view name = slash == std::u16string_view::npos ? exePath : exePath.substr(slash + 1);
  name = name.substr(0, name.find(u'.'));
  std::u16string title(name);
  for (std::size_t i = 1; i < title.size(); ++i) title[i] = ToLower(title[i]);
  return title;
}

}  // namespace orvane
