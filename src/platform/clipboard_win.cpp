#include "platform/clipboard_win.h"

#include <string>

#include "platform/files_win.h"
#include "platform/user_error.h"

namespace orvane {

OpenedClipboard::OpenedClipboard(HWND owner) {
  for (int tries = 0; !::OpenClipboard(owner); ++tries) {
    if (tries >= 10) {
      const DWORD code = ::GetLastError();
      std::u16string message = u"Cannot open the clipboard";
      if (code != ERROR_SUCCESS) message += u". " + SystemErrorText(code);
      throw UserError(message);
    }
    ::Sleep(50);
  }
}

}  // namespace orvane
