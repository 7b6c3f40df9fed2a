#include "platform/text_win.h"

namespace orvane {

int AnsiLength(std::u16string_view text) noexcept {
  if (text.empty()) return 0;
  return ::WideCharToMultiByte(CP_ACP, 0, reinterpret_cast<const wchar_t*>(text.data()),
                               static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
}

std::u16string WindowText(HWND hwnd) {
  std::u16string text(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)), u'\0');
  if (!text.empty()) {
    int got = ::GetWindowTextW(hwnd, reinterpret_cast<wchar_t*>(text.data()),
                               static_cast<int>(text.size()) + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
  }
  return text;
}

std::u16string ExecutablePath() {
  std::u16string path(MAX_PATH, u'\0');
  for (;;) {
    DWORD got = ::GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()),
                                     static_cast<DWORD>(path.size()));
    if (got < path.size()) {
      path.resize(got);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace orvane
