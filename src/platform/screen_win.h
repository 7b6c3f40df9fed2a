#pragma once
// The primary screen's measures, read afresh at every call: the user may
// change the resolution or move the taskbar at any time.

#include "platform/handles_win.h"
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

// The screen's logical pixels per inch: the system's DPI, at which the
// platform's dialogs convert points to pixels and back. A per-monitor aware
// window on a monitor of another scale has a DPI of its own.
[[nodiscard]] inline int ScreenPixelsPerInch() noexcept {
  WindowDC screen(nullptr);
  return screen ? ::GetDeviceCaps(screen.get(), LOGPIXELSY) : 96;
}

}  // namespace orvane
