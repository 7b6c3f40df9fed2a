#pragma once
// The primary screen's measures, read afresh at every call: the user may
// change the resolution or move the taskbar at any time.

#include "platform/sdk_win.h"

namespace orvane {

// The primary monitor's work area (the screen less the taskbar), in screen
// coordinates.
[[nodiscard]] inline RECT WorkArea() noexcept {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

[[nodiscard]] inline SIZE ScreenSize() noexcept {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace orvane
