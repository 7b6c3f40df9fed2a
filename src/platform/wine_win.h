#pragma once
// Whether the program runs under Wine, where a few things of the platform
// fall short; the program works around them at run time and keeps the
// Windows path exactly as it is.

#include "platform/sdk_win.h"

namespace orvane {

// ntdll exports wine_get_version under Wine and not on Windows.
[[nodiscard]] inline bool RunningUnderWine() noexcept {
  static const bool wine = [] {
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
  }();
  return wine;
}

}  // namespace orvane
