#pragma once
// The print dialog, made from the run's printer settings. The common dialogs
// library is loaded on first use: it loads the spooler, which start-up stays
// clear of.

#include "platform/printer_settings.h"
#include "platform/sdk_win.h"

namespace orvane {

// Shows the print dialog (printer, copies, collation), starting from the
// settings. On OK the settings take the chosen printer, copies and collation,
// and the orientation given; false on Cancel. With no printer at all it raises
// "There is no default printer currently selected".
[[nodiscard]] bool ChoosePrinter(HWND owner, PrinterSettings& settings,
                                 PageOrientation orientation);

}  // namespace orvane
