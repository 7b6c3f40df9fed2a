#pragma once
// A stored colour as GDI takes it.

#include "display/colors.h"
#include "platform/sdk_win.h"

namespace orvane {

inline COLORREF ToColorRef(Color c) noexcept {
  // Only RGB reaches GDI: it reads a top byte as a palette index.
  return IsSystemColor(c) ? ::GetSysColor(SystemColorIndex(c))
                          : static_cast<COLORREF>(c & 0x00FFFFFF);
}

}  // namespace orvane
