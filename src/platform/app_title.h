#pragma once

#include <string>
#include <string_view>

namespace orvane {

// The caption of every message box, dialog and error report: the executable's
// file name cut before its first ".", every character after the first in lower
// case (C:\Tools\MYTOOL.EXE gives Mytool).
[[nodiscard]] std::u16string ApplicationTitle(std::u16string_view exePath);

}  // namespace orvane
