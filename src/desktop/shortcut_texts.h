#pragma once
// What the shortcut commands say and where they put the shortcut, decided
// without the shell.

#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// The shortcut file in a folder that ends in a backslash: the product's name
// with ".Lnk", written so, whatever the executable is called.
[[nodiscard]] std::u16string ShortcutPath(std::u16string_view folder);

// The question asked when the shortcut file is there already; the shortcut is
// named after the application title, as the user knows the program.
[[nodiscard]] std::u16string ExistenceQuestion(std::u16string_view word, std::u16string_view title);

enum class ShortcutOutcome { Created, NotCreated, Updated, NotUpdated, Deleted, NotDeleted };

// The report of what was done: successes that wrote a link name the
// executable and the link, the others the link only.
[[nodiscard]] std::u16string OutcomeMessage(ShortcutOutcome outcome, std::u16string_view word,
                                            std::u16string_view exe, std::u16string_view link);

[[nodiscard]] std::u16string FolderQuestion(std::u16string_view word);

// The file manager's arguments that open the link's folder with the link selected.
[[nodiscard]] std::u16string SelectParameters(std::u16string_view link);

// The path cut before its last delimiter, without it, except that a root
// (C:\) keeps its backslash. Nothing for a path of 260 units or more, which
// the shell's own path functions refuse.
[[nodiscard]] std::optional<std::u16string> LinkFolder(std::u16string_view path);

}  // namespace orvane
