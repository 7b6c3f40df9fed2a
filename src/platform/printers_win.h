#pragma once
// Printers: the default one, device contexts made from the run's printer
// settings, and their device records kept as bytes. The spooler is loaded
// when it is first needed: under Wine, loading it asks the print server for
// every printer, which costs more than showing the window does.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/handles_win.h"
#include "platform/printer_settings.h"
#include "platform/sdk_win.h"

namespace orvane {

// What every printing command says when there is no printer to use.
inline constexpr char16_t kNoDefaultPrinter[] = u"There is no default printer currently selected";

// The system's default printer; nullopt when there is none.
[[nodiscard]] std::optional<std::u16string> DefaultPrinterName();

// A device context of the current printer with the settings the run has left
// in it, for a job (one copy of each page: the program makes the copies) or
// for reading its measures only. Null when the printer cannot be opened.
[[nodiscard]] UniqueDC OpenPrinterDC(const PrinterSettings& settings, bool informationOnly);

// The printer the commands use, one rule for all: the one the run's settings
// name while it can still be opened; otherwise (gone since, or none was found
// at start-up) the system's default printer as it is now, with its own
// settings. Nothing is written back, so a printer that comes back is used
// again.
struct CurrentPrinter {
  PrinterSettings settings;  // the run's, or the default printer's without the records
  UniqueDC info;             // its information context; null when even that fails
};
// Throws the no-printer error when the named printer is unusable and the
// system has no default printer.
[[nodiscard]] CurrentPrinter OpenCurrentPrinter(const PrinterSettings& settings);

// The device record within the bytes, if they hold at least its fields up to
// the collation (every driver's record since the first with collation does).
[[nodiscard]] DEVMODEW* DeviceModeIn(std::vector<std::uint8_t>& bytes);
void SetCopies(DEVMODEW& mode, int copies, bool collate);
void SetOrientation(DEVMODEW& mode, PageOrientation orientation);

}  // namespace orvane
