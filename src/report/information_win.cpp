#include "report/information_win.h"

#include <optional>
#include <string>
#include <utility>

#include "app/main_window_win.h"
#include "app/user_error.h"
#include "output/print_dialog_win.h"
#include "platform/message_boxes_win.h"
#include "platform/printers_win.h"
#include "platform/text_win.h"
#include "report/information_report.h"

namespace orvane {
namespace {

constexpr char16_t kNoPrinter[] = u"There is no default printer currently selected";

struct CurrentPrinter {
  std::u16string name;
  PrinterPage page;
};

// The printer the run's settings name, with the orientation the last print
// command left; the default printer while none is named (none was found at
// start-up). Nothing is written back: the report changes nothing.
CurrentPrinter ReadPrinter(const PrinterSettings& settings) {
  PrinterSettings current = settings;
  if (current.device.empty()) {
    std::optional<std::u16string> name = DefaultPrinterName();
    if (!name) throw UserError(kNoPrinter);
    current.device = std::move(*name);
  }
  UniquePrinterDC ic = OpenPrinterDC(current, true);
  if (!ic)
    throw UserError(DefaultPrinterName() ? u"Cannot read the printer's settings" : kNoPrinter);
  HDC dc = ic.get();
  return {current.device,
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

void Information1Click(TForm1& form, bool) {
  const HWND window = form.hwnd();
  const std::u16string text = form.Edit1.Text();
  const DisplayFont& font = form.Font();
  const CurrentPrinter printer = ReadPrinter(form.Printer());
  const std::u16string separator = UserDecimalSeparator();

  ReportSnapshot s;
  s.text = text;
  s.selectionLength = form.Edit1.SelectionLength();
  s.screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  s.screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  s.workAreaWidth = work.right - work.left;
  s.workAreaHeight = work.bottom - work.top;
  RECT bounds{};
  ::GetWindowRect(window, &bounds);
  s.bounds = {bounds.left, bounds.top, bounds.right, bounds.bottom};
  RECT client{};
  ::GetClientRect(window, &client);
  s.clientWidth = client.right;
  s.clientHeight = client.bottom;
  s.captionWidth = CaptionWidth(window, form.OwnFont());
  s.maximized = ::IsZoomed(window) != 0;
  s.fontFace = font.face;
  s.fontStyle = font.style;
  s.fontHeight = font.height;
  s.pixelsPerInch = static_cast<int>(::GetDpiForWindow(window));
  s.fontColor = font.color;
  s.backColor = form.BackColor();
  s.savedBackColor = form.Modes().savedBackColor;
  s.telop = form.Modes().telop;
  s.colorKey = form.Modes().colorKey;
  s.printerName = printer.name;
  s.page = printer.page;
  s.decimalSeparator = separator;
  ShowPlainMessage(window, InformationReport(s));
}

}  // namespace orvane
