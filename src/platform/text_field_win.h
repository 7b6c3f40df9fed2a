#pragma once
// The single-line edit control that shows the text: the few messages the
// program sends it, named.

#include <string>
#include <string_view>

#include "platform/text_win.h"
#include "platform/sdk_win.h"

namespace orvane {

class TextField {
 public:
  void Attach(HWND hwnd) noexcept { hwnd_ = hwnd; }
  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }

  [[nodiscard]] std::u16string Text() const { return WindowText(hwnd_); }
  void SetText(const std::u16string& text) const {
    ::SetWindowTextW(hwnd_, W(text));
  }
  [[nodiscard]] int TextLength() const noexcept { return ::GetWindowTextLengthW(hwnd_); }

  [[nodiscard]] int SelectionLength() const noexcept {
    DWORD start = 0;
    DWORD end = 0;
    ::SendMessageW(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    return static_cast<int>(end) - static_cast<int>(start);
  }
  void SelectAll() const noexcept { ::SendMessageW(hwnd_, EM_SETSEL, 0, -1); }
  void CaretToEnd() const noexcept { ::SendMessageW(hwnd_, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF); }

 private:
  HWND hwnd_ = nullptr;
};

}  // namespace orvane
