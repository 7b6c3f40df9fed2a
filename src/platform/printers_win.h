#pragma once
// The printing subsystem, loaded when it is first needed: under Wine, loading
// the spooler asks the print server for every printer, which costs more than
// showing the window does.

#include <optional>
#include <string>

namespace orvane {

// The system's default printer; nullopt when there is none.
[[nodiscard]] std::optional<std::u16string> DefaultPrinterName();

}  // namespace orvane
