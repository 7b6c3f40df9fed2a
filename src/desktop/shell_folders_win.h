#pragma once
// Shell folders as file-system paths.

#include <string>

#include "platform/sdk_win.h"

namespace orvane {

// The path of the shell folder with this CSIDL (CSIDL_DESKTOP, CSIDL_PROGRAMS,
// CSIDL_STARTUP), ending in a backslash. Raises a UserError when the shell
// cannot give one: a folder it does not resolve, or a path too long for it.
[[nodiscard]] std::u16string SpecialFolderPath(HWND owner, int folderId);

}  // namespace orvane
