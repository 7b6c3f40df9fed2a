#include "output/print_dialog_win.h"

#include <commdlg.h>
#include <cderr.h>

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/common_dialogs_win.h"
#include "platform/global_memory_win.h"
#include "platform/printers_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

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
  // Otherwise it starts from the current printer as every command picks it: a
  // printer chosen earlier and gone since gives way to the default one.
  CurrentPrinter current = OpenCurrentPrinter(settings);
  settings.deviceNames = std::move(current.settings.deviceNames);
  settings.deviceMode = std::move(current.settings.deviceMode);

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
    if (error == PDERR_NODEFAULTPRN) throw UserError(kNoDefaultPrinter);
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
  if (std::u16string device = DeviceOf(settings.deviceNames); !device.empty())
    settings.device = device;
  settings.copies = std::max<int>(1, dialog.nCopies);
  settings.collate = (dialog.Flags & PD_COLLATE) != 0;
  settings.orientation = orientation;
  if (DEVMODEW* kept = DeviceModeIn(settings.deviceMode)) {
    SetCopies(*kept, settings.copies, settings.collate);
    SetOrientation(*kept, orientation);
  }
  return true;
}

}  // namespace orvane
