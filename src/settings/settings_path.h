#pragma once
// Where the settings file lives: beside the executable, named after it.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

// C:\Tools\Viewer.exe -> C:\Tools\Viewer.ini; a name without an extension
// gets ".ini" appended (a dot in a folder name does not count).
[[nodiscard]] std::u16string SettingsPathFor(std::u16string_view exePath);

// The file name with its extension (Viewer.exe) and the folder ending in a
// delimiter (C:\Tools\).
[[nodiscard]] std::u16string FileNameOf(std::u16string_view path);
[[nodiscard]] std::u16string FolderOf(std::u16string_view path);

// The file a save writes first, beside the settings file, before it takes the
// settings file's place: "<settings path>.<process id>-<serial>.tmp".
[[nodiscard]] std::u16string TemporaryPathFor(std::u16string_view settingsPath, std::uint32_t processId,
                                              std::uint32_t serial);

// The process id in a file name of that form for the settings file named
// settingsName (names without folder; letter case ignored); nullopt for any
// other name, so nothing but the program's own leftovers is ever matched.
[[nodiscard]] std::optional<std::uint32_t> TemporaryFileOwner(std::u16string_view fileName,
                                                              std::u16string_view settingsName);

}  // namespace orvane
