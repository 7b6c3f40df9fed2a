#include "platform/shell_win.h"

#include "app/user_error.h"

namespace orvane {
namespace {

template <typename Function>
void Find(HMODULE module, const char* name, Function& function) {
  function = reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  if (!function) throw UserError(u"shell32.dll lacks a function the program needs");
}

ShellFunctions Load() {
  // Stays loaded for the rest of the run, as an import would.
  HMODULE module = ::LoadLibraryExW(L"shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (!module) throw UserError(u"Cannot load shell32.dll");
  ShellFunctions shell;
  Find(module, "SHGetSpecialFolderLocation", shell.SHGetSpecialFolderLocation);
  Find(module, "SHGetPathFromIDListW", shell.SHGetPathFromIDListW);
  Find(module, "SHCreateItemFromParsingName", shell.SHCreateItemFromParsingName);
  Find(module, "ShellExecuteW", shell.ShellExecuteW);
  Find(module, "ShellExecuteExW", shell.ShellExecuteExW);
  return shell;
}

}  // namespace

const ShellFunctions& Shell() {
  // A failed load throws and is tried again by the next command.
  static const ShellFunctions shell = Load();
  return shell;
}

}  // namespace orvane
