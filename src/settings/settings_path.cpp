#include "settings/settings_path.h"

#include <string>

#include "settings/ini_document.h"

namespace orvane {
namespace {

std::size_t NameStart(std::u16string_view path) {
  auto slash = path.find_last_of(u"\\/:");
  return slash == std::u16string_view::npos ? 0 : slash + 1;
}

std::u16string Digits(std::uint32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// Leading decimal digits of text as a 32-bit value, consumed from it.
std::optional<std::uint32_t> TakeNumber(std::u16string_view& text) {
  std::size_t length = 0;
  std::uint64_t value = 0;
  while (length < text.size() && text[length] >= u'0' && text[length] <= u'9') {
    value = value * 10 + (text[length] - u'0');
    if (value > 0xFFFFFFFFu) return std::nullopt;
    ++length;
  }
  if (length == 0) return std::nullopt;
  text.remove_prefix(length);
  return static_cast<std::uint32_t>(value);
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

std::u16string TemporaryPathFor(std::u16string_view settingsPath, std::uint32_t processId, std::uint32_t serial) {
  std::u16string path(settingsPath);
  path += u'.';
  path += Digits(processId);
  path += u'-';
  path += Digits(serial);
  path += u".tmp";
  return path;
}

std::optional<std::uint32_t> TemporaryFileOwner(std::u16string_view fileName, std::u16string_view settingsName) {
  if (settingsName.empty() || fileName.size() <= settingsName.size() ||
      !SameName(fileName.substr(0, settingsName.size()), settingsName)) {
    return std::nullopt;
  }
  std::u16string_view rest = fileName.substr(settingsName.size());
  if (!rest.starts_with(u'.')) return std::nullopt;
  rest.remove_prefix(1);
  const std::optional<std::uint32_t> owner = TakeNumber(rest);
  if (!owner || !rest.starts_with(u'-')) return std::nullopt;
  rest.remove_prefix(1);
  if (!TakeNumber(rest) || !SameName(rest, u".tmp")) return std::nullopt;
  return owner;
}

}  // namespace orvane
