#pragma once
// Where the help is: the executable's name with ".chm", beside it or in the
// nearest folder above it that holds one; where the compiled file cannot be
// shown, the same pages as HTML, looked for the same way.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// C:\Tools\Orvane.exe -> C:\Tools\Orvane.chm; a name without an extension gets
// ".chm" appended (a dot in a folder name does not count).
[[nodiscard]] std::u16string HelpFileName(std::u16string_view exePath);

// The path cut before its last delimiter, without a trailing one, except that a
// drive root keeps it: C:\Tools\a.chm -> C:\Tools, C:\a.chm -> C:\, C:\ -> "".
// A share root has none: \\server\share\a.chm -> \\server\share -> "".
[[nodiscard]] std::u16string DirectoryPart(std::u16string_view path);

// Tests the help file's name beside the executable, then in each folder above,
// up to and including the drive or share root; the first that exists, or
// nothing.
using FileExistsCheck = std::function<bool(const std::u16string& path)>;
[[nodiscard]] std::optional<std::u16string> FindHelpFile(std::u16string_view exePath,
                                                         const FileExistsCheck& exists);

// The help's pages as HTML, for a system whose help viewer cannot show the
// compiled file: a folder named after the executable with "-help", entered at
// its index page. C:\Tools\Orvane.exe -> C:\Tools\Orvane-help\index.html.
[[nodiscard]] std::u16string HelpPagesName(std::u16string_view exePath);

// As FindHelpFile, but each folder is tested for the pages first, then for
// the compiled file: the nearest help wins, in the form a browser shows.
[[nodiscard]] std::optional<std::u16string> FindHelpPagesOrFile(std::u16string_view exePath,
                                                                const FileExistsCheck& exists);

// What the user reads when no folder holds the help file: it names the file,
// not a path.
[[nodiscard]] std::u16string MissingHelpMessage(std::u16string_view exePath);

}  // namespace orvane
