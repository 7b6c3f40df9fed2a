#pragma once
// The printer settings of the run: the default printer until a print dialog
// picks another; each print dialog starts from them.

#include <string>

namespace orvane {

struct PrinterSettings {
  std::u16string device;  // empty: none selected
  int copies = 1;
};

}  // namespace orvane
