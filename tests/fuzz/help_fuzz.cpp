// Looking for the help file from any executable path: the search ends, each
// folder it tries is above the one before, every name it tries is the help
// file's, and the first that exists is the answer. Looking for the pages or
// the file tries the same folders, each for the pages first.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "desktop/help_search.h"
#include "fuzz_input.h"

namespace {

using namespace orvane;
using fuzzing::Check;

bool IsDelimiter(char16_t c) { return c == u'\\' || c == u'/'; }

// What follows the last delimiter or drive colon.
std::u16string_view NameOf(std::u16string_view path) {
  const std::size_t at = path.find_last_of(u"\\/:");
  return at == std::u16string_view::npos ? path : path.substr(at + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);
  const std::int64_t foundAt = in.Int(-1, 64);  // the try that finds it, or none
  const std::u16string exe = in.Text(200, u"\\\\\\/:.Cab");

  // The name up to its extension, and ".chm".
  const std::u16string help = HelpFileName(exe);
  Check(help.ends_with(u".chm"));
  const std::u16string_view stem = std::u16string_view(help).substr(0, help.size() - 4);
  Check(std::u16string_view(exe).starts_with(stem));
  const std::u16string_view cut = std::u16string_view(exe).substr(stem.size());
  Check(cut.empty() || (cut[0] == u'.' && cut.find_first_of(u"\\/:") == std::u16string_view::npos));
  const std::u16string_view name = NameOf(help);

  // Each folder is a shorter start of its path.
  const std::u16string folder = DirectoryPart(exe);
  Check(folder.size() < exe.size() || exe.empty());
  Check(std::u16string_view(exe).starts_with(folder));

  std::vector<std::u16string> tries;
  const std::optional<std::u16string> found = FindHelpFile(exe, [&](const std::u16string& path) {
    Check(tries.size() <= exe.size() + 1);  // one folder up at least per try
    Check(path.ends_with(name) && NameOf(path) == name);
    if (tries.empty()) {
      Check(path == help);
    } else {
      const std::u16string_view above = std::u16string_view(path).substr(0, path.size() - name.size());
      Check(!above.empty() && IsDelimiter(above.back()));
      Check(above.size() < tries.back().size() - name.size());
      Check(std::u16string_view(tries.back()).starts_with(above.substr(0, above.size() - 1)));
    }
    tries.push_back(path);
    return static_cast<std::int64_t>(tries.size()) - 1 == foundAt;
  });
  if (found) {
    Check(!tries.empty() && *found == tries.back());
  } else {
    Check(foundAt < 0 || foundAt >= static_cast<std::int64_t>(tries.size()));
  }

  // The same folders, each for the pages' index and then for the file.
  std::vector<std::u16string> files;
  (void)FindHelpFile(exe, [&](const std::u16string& path) {
    files.push_back(path);
    return false;
  });
  const std::u16string_view folderOfHelp =
      std::u16string_view(help).substr(0, help.size() - name.size());
  const std::u16string pages = HelpPagesName(exe);
  Check(std::u16string_view(pages).starts_with(folderOfHelp) &&
        pages.ends_with(u"-help\\index.html"));
  const std::u16string_view pagesName = std::u16string_view(pages).substr(folderOfHelp.size());
  std::size_t tried = 0;
  const std::optional<std::u16string> either =
      FindHelpPagesOrFile(exe, [&](const std::u16string& path) {
        Check(tried < 2 * files.size());
        const std::u16string& file = files[tried / 2];
        Check(path == (tried % 2 == 1 ? file
                                      : file.substr(0, file.size() - name.size()) +
                                            std::u16string(pagesName)));
        return static_cast<std::int64_t>(tried++) == foundAt;
      });
  Check(either.has_value() ==
        (foundAt >= 0 && foundAt < static_cast<std::int64_t>(2 * files.size())));

  // The message names the file alone.
  const std::u16string message = MissingHelpMessage(exe);
  Check(message.ends_with(u"\r\n\r\n" + std::u16string(name)));
  return 0;
}
