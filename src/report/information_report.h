#pragma once
// The information report: the state of the text, the screen, the window, the
// display font and the current printer as "key=value" lines under section
// headers, made from a plain snapshot the shell gathers.

#include <cstdint>
#include <string>
#include <string_view>

#include "display/colors.h"
#include "display/display_modes.h"

namespace orvane {

// What GetDeviceCaps tells of the printer's page.
struct PrinterPage {
  int widthPixels = 0;   // HORZRES
  int heightPixels = 0;  // VERTRES
  int dotsPerInchX = 0;  // LOGPIXELSX
  int dotsPerInchY = 0;  // LOGPIXELSY
  int widthMm = 0;       // HORZSIZE
  int heightMm = 0;      // VERTSIZE
};

struct ReportSnapshot {
  std::u16string_view text;
  int selectionLength = 0;

  int screenWidth = 0;
  int screenHeight = 0;
  int workAreaWidth = 0;
  int workAreaHeight = 0;

  Rect bounds;  // the window's outer frame, screen coordinates
  int clientWidth = 0;
  int clientHeight = 0;
  int captionWidth = 0;  // in the window's own font
  bool maximized = false;

  std::u16string_view fontFace;
  unsigned fontStyle = 0;  // bold 1, italic 2, underline 4, strike-out 8
  int fontHeight = 0;      // as held: positive cell height or negative character height
  int pixelsPerInch = 96;  // the screen's, which the font's size is counted in
  Color fontColor = 0;
  Color backColor = 0;       // of the text field
  Color savedBackColor = 0;  // the true background while the colour key is on
  bool telop = false;
  bool colorKey = false;

  std::u16string_view printerName;
  PrinterPage page;
  std::u16string_view decimalSeparator = u".";
};

// The 47 lines, each followed by CR LF.
[[nodiscard]] std::u16string InformationReport(const ReportSnapshot& s);

// A colour as the report writes it: a table name with its value in at least 6
// lower-case hex digits, "clRed($0000ff)"; otherwise "$" and the low 24 bits
// in 6 digits.
[[nodiscard]] std::u16string ReportColor(Color color);

// One digit after the separator, rounded to the nearest tenth, half away from zero.
[[nodiscard]] std::u16string OneDecimal(double value, std::u16string_view separator);

// a * b / c rounded half away from zero, as the platform's MulDiv: -1 when c
// is 0 or the result leaves the 32-bit range.
[[nodiscard]] int MulDivRounded(int a, int b, int c) noexcept;

}  // namespace orvane
