#include "desktop/help_search.h"

#include <algorithm>

namespace orvane {
namespace {

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

std::size_t NameStart(std::u16string_view path) {
  auto delimiter = path.find_last_of(u"\\/:");
  return delimiter == std::u16string_view::npos ? 0 : delimiter + 1;
}

// "C:" alone: what a drive root is without its backslash.
bool IsDrive(std::u16string_view path) { return path.size() == 2 && path[1] == u':'; }

// The length of the share root of a \\server\share path (0 for any other path).
std::size_t ShareRootLength(std::u16string_view path) {
  if (path.size() < 2 || !IsDelimiter(path[0]) || !IsDelimiter(path[1])) return 0;
  std::size_t at = 2;
  for (int part = 0; part < 2; ++part) {
    while (at < path.size() && !IsDelimiter(path[at])) ++at;
    if (part == 0 && at < path.size()) ++at;
  }
  return at;
}

constexpr std::u16string_view kCompiled = u".chm";

// The pages' index relative to the folder that would hold the compiled file
// of that name: Orvane.chm -> Orvane-help\index.html.
std::u16string PagesBeside(std::u16string_view compiledName) {
  return std::u16string(compiledName.substr(0, compiledName.size() - kCompiled.size())) +
         u"-help\\index.html";
}

// From the executable's folder up to the root: in each, the pages where asked
// for, then the compiled file.
std::optional<std::u16string> Search(std::u16string_view exePath, bool pagesFirst,
                                     const FileExistsCheck& exists) {
  std::u16string help = HelpFileName(exePath);
  const std::u16string name = help.substr(NameStart(help));
  const std::u16string pages = PagesBeside(name);
  for (;;) {
    if (pagesFirst) {
      std::u16string index = help.substr(0, NameStart(help)) + pages;
      if (exists(index)) return index;
    }
    if (exists(help)) return help;
    std::u16string parent = DirectoryPart(DirectoryPart(help));
    if (parent.empty()) return std::nullopt;
    if (!IsDelimiter(parent.back())) parent += u'\\';
    help = parent + name;
  }
}

}  // namespace

std::u16string HelpFileName(std::u16string_view exePath) {
  std::size_t dot = exePath.rfind(u'.');
  if (dot == std::u16string_view::npos || dot < NameStart(exePath)) dot = exePath.size();
  return std::u16string(exePath.substr(0, dot)) + std::u16string(kCompiled);
}

std::u16string DirectoryPart(std::u16string_view path) {
  std::size_t share = ShareRootLength(path);
  if (share > 0) {
    // The share root and anything shorter have no directory part.
    std::u16string_view rest = path.substr(std::min(share, path.size()));
    if (rest.empty() || (rest.size() == 1 && IsDelimiter(rest[0]))) return {};
  }
  auto last = path.find_last_of(u"\\/");
  if (last == std::u16string_view::npos) return {};
  std::u16string_view cut = path.substr(0, last);
  if (cut.empty())
    return last + 1 == path.size() ? std::u16string() : std::u16string(path.substr(0, 1));
  if (IsDrive(cut)) {
    // C:\ itself has none; C:\file keeps the backslash of its root.
    return last + 1 == path.size() ? std::u16string() : std::u16string(path.substr(0, last + 1));
  }
  return std::u16string(cut);
}

std::optional<std::u16string> FindHelpFile(std::u16string_view exePath,
                                           const FileExistsCheck& exists) {
  return Search(exePath, false, exists);
}

std::u16string HelpPagesName(std::u16string_view exePath) {
  const std::u16string help = HelpFileName(exePath);
  const std::size_t name = NameStart(help);
  return help.substr(0, name) + PagesBeside(std::u16string_view(help).substr(name));
}

std::optional<std::u16string> FindHelpPagesOrFile(std::u16string_view exePath,
                                                  const FileExistsCheck& exists) {
  return Search(exePath, true, exists);
}

std::u16string MissingHelpMessage(std::u16string_view exePath) {
  std::u16string help = HelpFileName(exePath);
  return u"ヘルプファイルがありません。\r\n\r\n" + help.substr(NameStart(help));
}

}  // namespace orvane
