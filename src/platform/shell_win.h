#pragma once
// The few shell32 functions the commands call, loaded on first use: under
// Wine, loading shell32 (with shcore and shlwapi) costs about 20 ms, which
// start-up need not pay.

#include "platform/sdk_win.h"

// After the window headers, which they need.
#include <shellapi.h>
#include <shlobj.h>

namespace orvane {

struct ShellFunctions {
  decltype(&::SHGetSpecialFolderLocation) SHGetSpecialFolderLocation = nullptr;
  decltype(&::SHGetPathFromIDListW) SHGetPathFromIDListW = nullptr;
  decltype(&::SHCreateItemFromParsingName) SHCreateItemFromParsingName = nullptr;
  decltype(&::ShellExecuteW) ShellExecuteW = nullptr;
  decltype(&::ShellExecuteExW) ShellExecuteExW = nullptr;
};

// Raises a UserError when shell32 cannot be loaded.
[[nodiscard]] const ShellFunctions& Shell();

}  // namespace orvane
