#include "desktop/shell_folders_win.h"

#include <cwchar>

#include "desktop/shortcut_texts.h"
#include "display/text_rules.h"
#include "platform/com_win.h"
#include "platform/shell_win.h"
#include "platform/text_win.h"

namespace orvane {

std::u16string SpecialFolderPath(HWND owner, int folderId) {
  PIDLIST_ABSOLUTE found = nullptr;
  const HRESULT result = Shell().SHGetSpecialFolderLocation(owner, folderId, &found);
  UniqueTaskMemory<PIDLIST_ABSOLUTE> list(found);
  wchar_t buffer[MAX_PATH + 1] = {};
  // A failure would leave an empty path, and a shortcut in the root of the
  // current drive: say so instead.
  if (FAILED(result) || !list || !Shell().SHGetPathFromIDListW(list.get(), buffer)) {
    std::u16string message = u"Cannot find the path of shell folder " + DecimalText(folderId);
    if (FAILED(result)) message += u". " + SystemErrorText(static_cast<unsigned long>(result));
    throw UserError(message);
  }
  return WithTrailingBackslash(U16(std::wstring_view(buffer, ::wcsnlen(buffer, MAX_PATH + 1))));
}

}  // namespace orvane
