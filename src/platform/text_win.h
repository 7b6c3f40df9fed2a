#pragma once
// Strings between the portable core (char16_t) and Win32 (wchar_t, 16 bits on
// Windows), and the measures the platform owns.

#include <string>
#include <string_view>

#include "platform/sdk_win.h"

namespace orvane {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 builds use 16-bit wchar_t");

inline std::u16string_view U16(std::wstring_view s) noexcept {
  return {reinterpret_cast<const char16_t*>(s.data()), s.size()};
}
inline const wchar_t* W(const std::u16string& s) noexcept {
  return reinterpret_cast<const wchar_t*>(s.c_str());
}
inline std::wstring_view WView(std::u16string_view s) noexcept {
  return {reinterpret_cast<const wchar_t*>(s.data()), s.size()};
}

// Bytes of the text in the active ANSI code page (932 on a Japanese system: a
// double-byte character counts 2).
[[nodiscard]] int AnsiLength(std::u16string_view text) noexcept;

// The text of a window, whole.
[[nodiscard]] std::u16string WindowText(HWND hwnd);

// The full path of the running executable.
[[nodiscard]] std::u16string ExecutablePath();

}  // namespace orvane
