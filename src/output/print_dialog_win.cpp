#include "output/print_dialog_win.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cstddef>
#include <cstring>

#include "app/user_error.h"
#include "platform/common_dialogs_win.h"
#include "platform/printers_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

constexpr char16_t kNoPrinter[] = u"There is no default printer currently selected";

struct FreeGlobal {
  void operator()(HGLOBAL h) const noexcept { ::GlobalFree(h); }
};
using UniqueGlobal = unique_handle<HGLOBAL, FreeGlobal>;

UniqueGlobal GlobalFromBytes(const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return {};
  UniqueGlobal memory(::GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
  void* p = memory ? ::GlobalLock(memory.get()) : nullptr;
  if (!p) return {};
  std::memcpy(p, bytes.data(), bytes.size());
  ::GlobalUnlock(memory.get());
  return memory;
}

std::vector<std::uint8_t> BytesOf(HGLOBAL memory) {
  if (!memory) return {};
  const auto* p = static_cast<const std::uint8_t*>(::GlobalLock(memory));
  if (!p) return {};
  std::vector<std::uint8_t> bytes(p, p + ::GlobalSize(memory));
  ::GlobalUnlock(memory);
  return bytes;
}

// The record within the bytes, if they hold at least its fields up to the
// collation (every driver's record since the first with collation does).
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
  mode.dmOrientation = orientation == PageOrientation::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
}

std::u16string DeviceOf(const std::vector<std::uint8_t>& names) {
  if (names.size() < sizeof(DEVNAMES)) return {};
  DEVNAMES header{};
  std::memcpy(&header, names.data(), sizeof header);
  std::size_t offset = std::size_t{header.wDeviceOffset} * sizeof(char16_t);
  std::u16string device;
  for (; offset + 1 < names.size(); offset += sizeof(char16_t)) {
    char16_t unit = 0;
    std::memcpy(&unit, names.data() + offset, sizeof unit);
    if (unit == 0) break;
    device += unit;
  }
  return device;
}

}  // namespace

bool ChoosePrinter(HWND owner, PrinterSettings& settings, PageOrientation orientation) {
  using PrintDlgFn = BOOL(WINAPI*)(LPPRINTDLGW);
  using ExtendedErrorFn = DWORD(WINAPI*)();
  static const auto printDlg = CommonDialogFunction<PrintDlgFn>("PrintDlgW");
  static const auto extendedError = CommonDialogFunction<ExtendedErrorFn>("CommDlgExtendedError");
  if (!printDlg || !extendedError) throw UserError(u"Cannot open the print dialog");
  // Without a printer the dialog would not open, and some platforms say so in
  // a box of their own whatever PD_NOWARNING asks: the error report says it.
  if (settings.deviceNames.empty() && !DefaultPrinterName()) throw UserError(kNoPrinter);

  const int copies = std::max(1, settings.copies);
  // The dialog takes its start from the device record where one is given.
  std::vector<std::uint8_t> startMode = settings.deviceMode;
  if (DEVMODEW* mode = DeviceModeIn(startMode)) SetCopies(*mode, copies, settings.collate);

  PRINTDLGW dialog{sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.hDevMode = GlobalFromBytes(startMode).release();
  dialog.hDevNames = GlobalFromBytes(settings.deviceNames).release();
  // The program makes the copies itself: the dialog reports them in nCopies
  // and the collation in PD_COLLATE, and the device's own count stays 1.
  dialog.Flags = PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_NOWARNING |
                 (settings.collate ? PD_COLLATE : 0);
  dialog.nCopies = static_cast<WORD>(std::min(copies, 0xFFFF));
  BOOL chosen = printDlg(&dialog);
  // The dialog may have replaced the records it was given; what it left is ours.
  UniqueGlobal mode(dialog.hDevMode);
  UniqueGlobal names(dialog.hDevNames);
  if (!chosen) {
    DWORD error = extendedError();
    if (error == 0) return false;  // Cancel
    if (error == PDERR_NODEFAULTPRN) throw UserError(kNoPrinter);
    if (error == PDERR_PRINTERNOTFOUND && !settings.deviceNames.empty()) {
      // The printer chosen earlier is gone: start again from the default one.
      settings.deviceNames.clear();
      settings.deviceMode.clear();
      return ChoosePrinter(owner, settings, orientation);
    }
    throw UserError(u"Cannot open the print dialog");
  }
  settings.deviceNames = BytesOf(names.get());
  settings.deviceMode = BytesOf(mode.get());
  if (std::u16string device = DeviceOf(settings.deviceNames); !device.empty()) settings.device = device;
  settings.copies = std::max<int>(1, dialog.nCopies);
  settings.collate = (dialog.Flags & PD_COLLATE) != 0;
  settings.orientation = orientation;
  if (DEVMODEW* kept = DeviceModeIn(settings.deviceMode)) {
    SetCopies(*kept, settings.copies, settings.collate);
    SetOrientation(*kept, orientation);
  }
  return true;
}

UniquePrinterDC OpenPrinterDC(const PrinterSettings& settings, bool informationOnly) {
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
  return UniquePrinterDC(informationOnly ? ::CreateICW(L"WINSPOOL", device, nullptr, mode)
                                         : ::CreateDCW(L"WINSPOOL", device, nullptr, mode));
}

}  // namespace orvane
