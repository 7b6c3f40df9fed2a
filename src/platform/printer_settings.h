#pragma once
// The printer settings of the run: the default printer until a print dialog
// picks another; each print dialog starts from them, and the information
// report reads the printer as they leave it.

#include <cstdint>
#include <string>
#include <vector>

namespace orvane {

enum class PageOrientation : std::uint8_t { PrinterDefault, Portrait, Landscape };

struct PrinterSettings {
  std::u16string device;  // empty: none selected
  int copies = 1;
  bool collate = true;  // ticked the first time
  PageOrientation orientation = PageOrientation::PrinterDefault;
  // The driver's settings and the printer's names as the last dialog left
  // them (DEVMODEW and DEVNAMES records, kept as bytes); empty until then.
  std::vector<std::uint8_t> deviceMode;
  std::vector<std::uint8_t> deviceNames;
};

}  // namespace orvane
