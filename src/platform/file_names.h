#pragma once
// File names and folders as text, and the names of the temporary files a
// whole-file save writes first. Portable.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// File names, and the settings file's sections and keys, compare without
// regard to letter case: ASCII and full-width Latin letters.
[[nodiscard]] bool SameName(std::u16string_view a, std::u16string_view b) noexcept;

// The file name with its extension (Viewer.exe) and the folder ending in a
// delimiter (C:\Tools\).
[[nodiscard]] std::u16string FileNameOf(std::u16string_view path);
[[nodiscard]] std::u16string FolderOf(std::u16string_view path);

// The folder with exactly one backslash at its end, so a file name can follow.
[[nodiscard]] std::u16string WithTrailingBackslash(std::u16string_view folder);

// The file a save writes first, beside the file it saves, before it takes
// that file's place: "<path>.<process id>-<serial>.tmp".
[[nodiscard]] std::u16string TemporaryPathFor(std::u16string_view path, std::uint32_t processId,
                                              std::uint32_t serial);

// The process id in a file name of that form for the file named fileName's
// target (names without folder; letter case ignored); nullopt for any other
// name, so nothing but the program's own leftovers is ever matched.
[[nodiscard]] std::optional<std::uint32_t> TemporaryFileOwner(std::u16string_view fileName,
                                                              std::u16string_view targetName);

}  // namespace orvane
