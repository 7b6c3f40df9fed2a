#pragma once
// The print dialog and the printer's device context, both made from the run's
// printer settings. The common dialogs library is loaded on first use: it
// loads the spooler, which start-up stays clear of.

#include "output/printer_settings.h"
#include "platform/unique_handle.h"
#include "platform/sdk_win.h"

namespace orvane {

struct DeleteDeviceContext {
  void operator()(HDC h) const noexcept { ::DeleteDC(h); }
};
using UniquePrinterDC = unique_handle<HDC, DeleteDeviceContext>;

// Shows the print dialog (printer, copies, collation), starting from the
// settings. On OK the settings take the chosen printer, copies and collation,
// and the orientation given; false on Cancel. With no printer at all it raises
// "There is no default printer currently selected".
[[nodiscard]] bool ChoosePrinter(HWND owner, PrinterSettings& settings, PageOrientation orientation);

// A device context of the current printer with the settings the run has left
// in it, for a job (one copy of each page: the program makes the copies) or
// for reading its measures only. Null when the printer cannot be opened.
[[nodiscard]] UniquePrinterDC OpenPrinterDC(const PrinterSettings& settings, bool informationOnly);

}  // namespace orvane
