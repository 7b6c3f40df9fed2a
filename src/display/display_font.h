#pragma once
// The properties of the font the text is shown in, as the settings file,
// printing and the report read them.

#include <cstdint>
#include <string>

#include "display/colors.h"

namespace orvane {

struct DisplayFont {
  std::u16string face = u"ＭＳ 明朝";
  unsigned style = 0;        // FontStyle bits
  Color color = 0xFF000008;  // the system's window-text colour
  int height = -37;          // 28 points at 96 pixels per inch
  std::uint8_t charSet = 1;  // DEFAULT_CHARSET until the first fit
};

}  // namespace orvane
