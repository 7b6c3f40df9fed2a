#include "platform/printers_win.h"

#include "platform/text_win.h"
#include "platform/sdk_win.h"

namespace orvane {
namespace {

// Loaded once and kept for the process: printing needs it again later.
HMODULE Spooler() {
  static HMODULE spooler = ::LoadLibraryW(L"winspool.drv");
  return spooler;
}

template <typename Function>
Function SpoolerFunction(const char* name) {
  HMODULE spooler = Spooler();
  return spooler ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(spooler, name)))
                 : nullptr;
}

}  // namespace

std::optional<std::u16string> DefaultPrinterName() {
  using GetDefaultPrinterFn = BOOL(WINAPI*)(LPWSTR, LPDWORD);
  static const auto getDefaultPrinter = SpoolerFunction<GetDefaultPrinterFn>("GetDefaultPrinterW");
  if (!getDefaultPrinter) return std::nullopt;
  DWORD size = 0;
  getDefaultPrinter(nullptr, &size);
  if (size == 0) return std::nullopt;
  std::u16string name(size, u'\0');
  if (!getDefaultPrinter(reinterpret_cast<wchar_t*>(name.data()), &size)) return std::nullopt;
  name.resize(size > 0 ? size - 1 : 0);
  return name;
}

}  // namespace orvane
