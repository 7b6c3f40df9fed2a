// The two print commands: the dialog, then one job whose pages are laid out by
// the page plans; the window keeps answering between pages.

#include "output/printing_win.h"

#include <algorithm>
#include <string>

#include "display/color_ref_win.h"
#include "display/font_fit.h"
#include "display/stretched_text_win.h"
#include "display/text_rules.h"
#include "output/print_dialog_win.h"
#include "output/print_job.h"
#include "platform/printers_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

void Check(bool ok) {
  if (!ok) throw PrintFailure{};
}

// What the display shows, read once as the job starts.
struct PrintLook {
  LOGFONTW font{};  // face, character set and style; the height is set per use
  COLORREF text = 0;
  COLORREF back = 0;
  bool italic = false;
};

PrintLook LookOf(const WindowContext& context) {
  const DisplayFont& display = context.text.Font();
  PrintLook look;
  // The glyphs keep their natural proportions: width 0, whatever the
  // display's stretching.
  look.font.lfWeight = (display.style & kBold) ? FW_BOLD : FW_NORMAL;
  look.font.lfItalic = (display.style & kItalic) ? TRUE : FALSE;
  look.font.lfUnderline = (display.style & kUnderline) ? TRUE : FALSE;
  look.font.lfStrikeOut = (display.style & kStrikeOut) ? TRUE : FALSE;
  look.font.lfCharSet = display.charSet;
  std::copy_n(display.face.begin(), std::min<std::size_t>(display.face.size(), LF_FACESIZE - 1),
              look.font.lfFaceName);
  look.text = ToColorRef(display.color);
  // In telop mode the background is the key colour; the sheet gets the saved one.
  look.back = ToColorRef(TrueBackColor(context.modes, context.text.BackColor()));
  look.italic = (display.style & kItalic) != 0;
  return look;
}

UniqueFont FontOf(const LOGFONTW& look, int height) {
  LOGFONTW font = look;
  font.lfHeight = height;
  UniqueFont handle(::CreateFontIndirectW(&font));
  Check(static_cast<bool>(handle));
  return handle;
}

int AdvanceOf(HDC dc, HFONT font, std::u16string_view text) {
  SelectedObject selected(dc, font);
  SIZE size{};
  Check(::GetTextExtentPoint32W(dc, reinterpret_cast<const wchar_t*>(text.data()),
                                static_cast<int>(text.size()), &size) != FALSE);
  return size.cx;
}

struct Sheet {
  int width;
  int height;
};
Sheet SheetOf(HDC dc) { return {::GetDeviceCaps(dc, HORZRES), ::GetDeviceCaps(dc, VERTRES)}; }

// One page: the printable area in the background colour, the text on an
// opaque cell of the same colour.
void DrawPage(HDC dc, const PrintLook& look, HBRUSH back, HFONT font, std::u16string_view text,
              int x, int y) {
  Sheet sheet = SheetOf(dc);
  RECT all{0, 0, sheet.width, sheet.height};
  Check(::FillRect(dc, &all, back) != 0);
  SelectedObject selected(dc, font);
  ::SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
  ::SetTextColor(dc, look.text);
  ::SetBkColor(dc, look.back);
  ::SetBkMode(dc, OPAQUE);
  Check(::TextOutW(dc, x, y, reinterpret_cast<const wchar_t*>(text.data()),
                   static_cast<int>(text.size())) != FALSE);
}

// The job's calls on the printer DC.
class PrinterJobDevice final : public JobDevice {
 public:
  PrinterJobDevice(HDC dc, const std::u16string& title) : dc_(dc), title_(title) {}

  bool StartDocument() override {
    DOCINFOW doc{sizeof doc};
    doc.lpszDocName = W(title_);
    return ::StartDocW(dc_, &doc) > 0;
  }
  bool StartPage() override { return ::StartPage(dc_) > 0; }
  bool EndPage() override { return ::EndPage(dc_) > 0; }
  bool EndDocument() override { return ::EndDoc(dc_) > 0; }
  void AbortDocument() override { ::AbortDoc(dc_); }

 private:
  HDC dc_;
  const std::u16string& title_;
};

// The job frame both commands share: the printer DC, the job named after the
// text, and on any failure one round of pending messages, then silence.
template <typename Pages>
void RunJob(WindowContext& context, const std::u16string& title, Pages&& pages) {
  UniqueDC dc = OpenPrinterDC(context.printer, false);
  if (!dc) {
    context.seam.ProcessMessages();
    return;
  }
  try {
    PrinterJobDevice device(dc.get(), title);
    PrintJob job(device);
    pages(dc.get(), job);
    job.Finish();
  } catch (...) {
    // Printing's failures pass in silence: the job is ended or aborted, and
    // the window catches up with what was queued meanwhile.
    context.seam.ProcessMessages();
  }
}

}  // namespace

FittedLine FitLineOnSheet(HDC printer, const LOGFONTW& look, std::u16string_view line) {
  FittedLine fitted;
  int width = SheetOf(printer).width;
  int start = LineStartHeight(width, AnsiLength(line));
  fitted.fit = FitLine(width, start, [&](int height) {
    fitted.font = FontOf(look, height);
    return AdvanceOf(printer, fitted.font.get(), line);
  });
  return fitted;
}

void Printing::PrintEachCharacter() {
  const TextField& field = context_.text.Field();
  if (TrimmedText(field.Text()).empty()) return;
  if (!ChoosePrinter(context_.window, context_.printer, PageOrientation::Portrait)) return;
  // The job prints the text as it is now; later edits do not reach it.
  const std::u16string text(TrimmedText(field.Text()));
  const PrintLook look = LookOf(context_);
  const int copies = context_.printer.copies;
  const bool collate = context_.printer.collate;
  RunJob(context_, text, [&](HDC dc, PrintJob& job) {
    UniqueBrush back(::CreateSolidBrush(look.back));
    Check(static_cast<bool>(back));
    Sheet sheet = SheetOf(dc);
    const int height = CharacterHeight(sheet.width, sheet.height, look.italic);
    UniqueFont font = FontOf(look.font, height);
    const std::vector<std::u16string_view> characters = SheetCharacters(text);
    const auto count = static_cast<int>(characters.size());
    const std::int64_t pages = std::int64_t{count} * copies;
    for (std::int64_t page = 0; page < pages; ++page) {
      if (page > 0) job.NextPage();
      std::u16string_view c = characters[CharacterOfPage(page, count, copies, collate)];
      sheet = SheetOf(dc);
      int x = CharacterLeft(sheet.width, AdvanceOf(dc, font.get(), c), look.italic);
      DrawPage(dc, look, back.get(), font.get(), c, x, CellTop(sheet.height, height));
      context_.seam.ProcessMessages();
    }
  });
}

void Printing::PrintWholeLine() {
  if (TrimmedText(context_.text.Field().Text()).empty()) return;
  if (!ChoosePrinter(context_.window, context_.printer, PageOrientation::Landscape)) return;
  const std::u16string title(TrimmedText(context_.text.Field().Text()));
  const PrintLook look = LookOf(context_);
  const std::u16string line = PrintedLine(title, look.italic);
  const int copies = context_.printer.copies;
  RunJob(context_, title, [&](HDC dc, PrintJob& job) {
    UniqueBrush back(::CreateSolidBrush(look.back));
    Check(static_cast<bool>(back));
    FittedLine fitted = FitLineOnSheet(dc, look.font, line);
    // Placed by the trimmed text without the italic space: blanks at the
    // field's ends would push the line off the sheet's left edge.
    int x = LineLeft(SheetOf(dc).width, AdvanceOf(dc, fitted.font.get(), title));
    for (int copy = 0; copy < copies; ++copy) {
      if (copy > 0) job.NextPage();
      DrawPage(dc, look, back.get(), fitted.font.get(), line, x,
               CellTop(SheetOf(dc).height, fitted.fit.height));
      context_.seam.ProcessMessages();
    }
  });
}

}  // namespace orvane
