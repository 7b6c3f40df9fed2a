#pragma once
// The few shell32 functions the commands call, loaded on first use: under
// Wine, loading shell32 (with shcore and shlwapi) costs about 20 ms, which
// start-up need not pay.

#include <string>
#include <string_view>

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

// The path of the shell folder with this CSIDL (CSIDL_DESKTOP, CSIDL_PROGRAMS,
// CSIDL_STARTUP), ending in a backslash. Raises a UserError when the shell
// cannot give one: a folder it does not resolve, or a path too long for it.
[[nodiscard]] std::u16string SpecialFolderPath(HWND owner, int folderId);

// Hands a document or an address to the program the shell has for it; the
// outcome is the shell's to report.
void OpenWithShell(HWND owner, std::u16string_view target);

}  // namespace orvane
