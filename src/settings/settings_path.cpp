#include "settings/settings_path.h"

namespace orvane {

std::u16string SettingsPathFor(std::u16string_view exePath) {
  const auto slash = exePath.find_last_of(u"\\/:");
  const std::size_t start = slash == std::u16string_view::npos ? 0 : slash + 1;
  const std::size_t dot = exePath.rfind(u'.');
  std::u16string path(
      exePath.substr(0, dot != std::u16string_view::npos && dot >= start ? dot : exePath.size()));
  return path + u".ini";
}

}  // namespace orvane
