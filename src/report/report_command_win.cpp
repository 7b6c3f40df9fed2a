#include "report/report_command_win.h"

#include <string>

#include "display/stretched_text_win.h"
#include "platform/message_boxes_win.h"
#include "platform/printers_win.h"
#include "platform/screen_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"
#include "report/information_report.h"

namespace orvane {
namespace {

struct PrinterFacts {
  std::u16string name;
  PrinterPage page;
};

// The current printer, picked as every command picks it, with the orientation
// the last print command left. Nothing is written back: the report changes nothing.
PrinterFacts ReadPrinter(const PrinterSettings& settings) {
  const CurrentPrinter current = OpenCurrentPrinter(settings);
  if (!current.info) throw UserError(u"Cannot read the printer's settings");
  HDC dc = current.info.get();
  return {current.settings.device,
          {::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES),
           ::GetDeviceCaps(dc, LOGPIXELSX), ::GetDeviceCaps(dc, LOGPIXELSY),
           ::GetDeviceCaps(dc, HORZSIZE), ::GetDeviceCaps(dc, VERTSIZE)}};
}

// The caption's advance width in the window's own font, not the display font.
int CaptionWidth(HWND window, HFONT ownFont) {
  std::u16string caption = WindowText(window);
  WindowDC dc(window);
  if (!dc) return 0;
  SelectedObject font(dc.get(), ownFont);
  SIZE size{};
  ::GetTextExtentPoint32W(dc.get(), W(caption), static_cast<int>(caption.size()), &size);
  return size.cx;
}

std::u16string UserDecimalSeparator() {
  wchar_t separator[8] = {};
  if (::GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) <= 1) return u".";
  return std::u16string(U16(separator));
}

}  // namespace

void ReportCommand::Show() {
  const HWND window = context_.window;
  const TextField& field = context_.text.Field();
  const std::u16string text = field.Text();
  const DisplayFont& font = context_.text.Font();
  const PrinterFacts printer = ReadPrinter(context_.printer);
  const std::u16string separator = UserDecimalSeparator();

  ReportSnapshot s;
  s.text = text;
  s.selectionLength = field.SelectionLength();
  const SIZE screen = ScreenSize();
  s.screenWidth = screen.cx;
  s.screenHeight = screen.cy;
  const RECT work = WorkArea();
  s.workAreaWidth = work.right - work.left;
  s.workAreaHeight = work.bottom - work.top;
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  s.bounds = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  RECT client{};
  ::GetClientRect(window, &client);
  s.clientWidth = client.right;
  s.clientHeight = client.bottom;
  s.captionWidth = CaptionWidth(window, context_.seam.WindowFont());
  s.maximized = ::IsZoomed(window) != 0;
  s.fontFace = font.face;
  s.fontStyle = font.style;
  s.fontHeight = font.height;
  s.pixelsPerInch = static_cast<int>(::GetDpiForWindow(window));
  s.fontColor = font.color;
  s.backColor = context_.text.BackColor();
  s.savedBackColor = context_.modes.savedBackColor;
  s.telop = context_.modes.telop;
  s.colorKey = context_.modes.colorKey;
  s.printerName = printer.name;
  s.page = printer.page;
  s.decimalSeparator = separator;
  ShowPlainMessage(window, InformationReport(s));
}

}  // namespace orvane
