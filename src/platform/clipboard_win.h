#pragma once
// The clipboard, opened for the length of a scope.

#include "platform/sdk_win.h"

namespace orvane {

// OpenClipboard / CloseClipboard. Another program may hold the clipboard for
// an instant: the open is tried again for about half a second, then fails
// with "Cannot open the clipboard" and the platform's reason.
class OpenedClipboard {
 public:
  explicit OpenedClipboard(HWND owner);
  OpenedClipboard(const OpenedClipboard&) = delete;
  OpenedClipboard& operator=(const OpenedClipboard&) = delete;
  ~OpenedClipboard() { ::CloseClipboard(); }
};

}  // namespace orvane
