#include "platform/file_names.h"

#include <algorithm>

namespace orvane {
namespace {

char16_t FoldCase(char16_t c) noexcept {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0xFF41 + 0xFF21);
  return c;
}

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

bool SameName(std::u16string_view a, std::u16string_view b) noexcept {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char16_t x, char16_t y) { return FoldCase(x) == FoldCase(y); });
}

std::u16string FileNameOf(std::u16string_view path) {
  return std::u16string(path.substr(NameStart(path)));
}

std::u16string FolderOf(std::u16string_view path) {
  return std::u16string(path.substr(0, NameStart(path)));
}

std::u16string WithTrailingBackslash(std::u16string_view folder) {
  std::u16string path(folder);
  if (path.empty() || path.back() != u'\\') path += u'\\';
  return path;
}

std::u16string TemporaryPathFor(std::u16string_view path, std::uint32_t processId,
                                std::uint32_t serial) {
  std::u16string temporary(path);
  temporary += u'.';
  temporary += Digits(processId);
  temporary += u'-';
  temporary += Digits(serial);
  temporary += u".tmp";
  return temporary;
}

std::optional<std::uint32_t> TemporaryFileOwner(std::u16string_view fileName,
                                                std::u16string_view targetName) {
  if (targetName.empty() || fileName.size() <= targetName.size() ||
      !SameName(fileName.substr(0, targetName.size()), targetName)) {
    return std::nullopt;
  }
  std::u16string_view rest = fileName.substr(targetName.size());
  if (!rest.starts_with(u'.')) return std::nullopt;
  rest.remove_prefix(1);
  const std::optional<std::uint32_t> owner = TakeNumber(rest);
  if (!owner || !rest.starts_with(u'-')) return std::nullopt;
  rest.remove_prefix(1);
  if (!TakeNumber(rest) || !SameName(rest, u".tmp")) return std::nullopt;
  return owner;
}

}  // namespace orvane
