#pragma once
// The common dialogs, loaded on first use and kept for the process: they bring
// the spooler in with them, which under Wine costs more than the whole
// start-up.

#include "platform/sdk_win.h"

namespace orvane {

// The named function of comdlg32.dll; null when it cannot be loaded.
template <typename Function>
Function CommonDialogFunction(const char* name) {
  static HMODULE library = ::LoadLibraryW(L"comdlg32.dll");
  return library ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(library, name)))
                 : nullptr;
}

}  // namespace orvane
