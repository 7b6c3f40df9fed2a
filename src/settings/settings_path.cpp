#include "settings/settings_path.h"

namespace orvane {
namespace {

std::size_t NameStart(std::u16string_view path) {
  auto slash = path.find_last_of(u"\\/:");
  return slash == std::u16string_view::npos ? 0 : slash + 1;
}

}  // namespace

std::u16string SettingsPathFor(std::u16string_view exePath) {
  std::size_t start = NameStart(exePath);
  std::size_t dot = exePath.rfind(u'.');
  std::u16string path(exePath.substr(0, dot != std::u16string_view::npos && dot >= start ? dot : exePath.size()));
  return path + u".ini";
}

std::u16string FileNameOf(std::u16string_view path) { return std::u16string(path.substr(NameStart(path))); }

std::u16string FolderOf(std::u16string_view path) { return std::u16string(path.substr(0, NameStart(path))); }

}  // namespace orvane
