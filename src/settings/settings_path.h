#pragma once
// Where the settings file lives: beside the executable, named after it.

#include <string>
#include <string_view>

namespace orvane {

// C:\Tools\Viewer.exe -> C:\Tools\Viewer.ini; a name without an extension
// gets ".ini" appended (a dot in a folder name does not count).
[[nodiscard]] std::u16string SettingsPathFor(std::u16string_view exePath);

}  // namespace orvane
