#include "platform/printers_win.h"

#include <algorithm>
#include <cstddef>
#include <utility>

#include "platform/text_win.h"
#include "platform/user_error.h"

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
  return spooler
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(spooler, name)))
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

DEVMODEW* DeviceModeIn(std::vector<std::uint8_t>& bytes) {
  constexpr std::size_t kNeeded = offsetof(DEVMODEW, dmFormName);
  if (bytes.size() < kNeeded) return nullptr;
  auto* mode = reinterpret_cast<DEVMODEW*>(bytes.data());
  return mode->dmSize >= kNeeded ? mode : nullptr;
}

void SetCopies(DEVMODEW& mode, int copies, bool collate) {
  mode.dmFields |= DM_COPIES | DM_COLLATE;
  mode.dmCopies = static_cast<short>(std::clamp(copies, 1, 0x7FFF));
  mode.dmCollate = collate ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
}

void SetOrientation(DEVMODEW& mode, PageOrientation orientation) {
  if (orientation == PageOrientation::PrinterDefault) return;
  mode.dmFields |= DM_ORIENTATION;
  mode.dmOrientation =
      orientation == PageOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

UniqueDC OpenPrinterDC(const PrinterSettings& settings, bool informationOnly) {
  if (settings.device.empty()) return {};
  std::vector<std::uint8_t> bytes = settings.deviceMode;
  DEVMODEW* mode = DeviceModeIn(bytes);
  if (mode) {
    // Under some drivers a device count of N makes every page N pages, on
    // top of the copies the program prints.
    SetCopies(*mode, 1, false);
    SetOrientation(*mode, settings.orientation);
  }
  const wchar_t* device = W(settings.device);
  return UniqueDC(informationOnly ? ::CreateICW(L"WINSPOOL", device, nullptr, mode)
                                  : ::CreateDCW(L"WINSPOOL", device, nullptr, mode));
}

CurrentPrinter OpenCurrentPrinter(const PrinterSettings& settings) {
  if (UniqueDC info = OpenPrinterDC(settings, true)) return {settings, std::move(info)};
  std::optional<std::u16string> name = DefaultPrinterName();
  if (!name) throw UserError(kNoDefaultPrinter);
  CurrentPrinter current{settings, {}};
  current.settings.device = std::move(*name);
  // The driver's records belonged to the printer that failed.
  current.settings.deviceMode.clear();
  current.settings.deviceNames.clear();
  current.info = OpenPrinterDC(current.settings, true);
  return current;
}

}  // namespace orvane
