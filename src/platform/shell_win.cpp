#include "platform/shell_win.h"

#include <cwchar>
#include <string>

#include "platform/com_win.h"
#include "platform/file_names.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

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

std::u16string SpecialFolderPath(HWND owner, int folderId) {
  PIDLIST_ABSOLUTE found = nullptr;
  const HRESULT result = Shell().SHGetSpecialFolderLocation(owner, folderId, &found);
  UniqueTaskMemory<PIDLIST_ABSOLUTE> list(found);
  wchar_t buffer[MAX_PATH + 1] = {};
  // A failure would leave an empty path, and a shortcut in the root of the
  // current drive: say so instead.
  if (FAILED(result) || !list || !Shell().SHGetPathFromIDListW(list.get(), buffer)) {
    std::u16string message =
        u"Cannot find the path of shell folder " + std::u16string(U16(std::to_wstring(folderId)));
    if (FAILED(result)) message += u". " + SystemErrorText(static_cast<unsigned long>(result));
    throw UserError(message);
  }
  return WithTrailingBackslash(U16(std::wstring_view(buffer, ::wcsnlen(buffer, MAX_PATH + 1))));
}

void OpenWithShell(HWND owner, std::u16string_view target) {
  std::u16string file(target);
  Shell().ShellExecuteW(owner, L"open", W(file), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace orvane
