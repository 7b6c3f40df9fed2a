// The information report (Ctrl+I), checked against what the test sees itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>

#include "driver.h"
#include "font_color_dialogs.h"
#include "printouts.h"

namespace e2e {
namespace {

// Ctrl+I; the report's title and text, its values by "SECTION/Key"; closed with OK.
struct Report {
  std::wstring title, text;
  std::map<std::wstring, std::wstring> values;
  RECT rect{};
  [[nodiscard]] int Number(const std::wstring& key) const {
    return values.contains(key) ? std::stoi(values.at(key)) : -1;
  }
};
std::optional<Report> ShowReport(Orvane& app) {
  app.PressKey('I', Orvane::kCtrl);
  std::vector<HWND> dialogs;
  if (!WaitUntil([&] { return (dialogs = app.Dialogs()).size() == 1; }, 10s)) return std::nullopt;
  Report r{Orvane::Title(dialogs[0]), Orvane::DialogText(dialogs[0])};
  ::GetWindowRect(dialogs[0], &r.rect);
  std::wstring section;
  for (std::size_t at = 0, end; (end = r.text.find(L"\r\n", at)) != std::wstring::npos;
       at = end + 2) {
    std::wstring line = r.text.substr(at, end - at);
    if (line.starts_with(L"[")) section = line.substr(1, line.size() - 2);
    if (std::size_t eq = line.find(L'='); eq != std::wstring::npos)
      r.values[section + L"/" + line.substr(0, eq)] = line.substr(eq + 1);
  }
  if (!Orvane::PressOk(dialogs[0])) return std::nullopt;
  return r;
}

// The caption's width in the window's own font, as the test measures it.
int CaptionWidth(HWND window, const std::wstring& caption) {
  LOGFONTW own{.lfHeight = -::MulDiv(11, static_cast<int>(::GetDpiForWindow(window)), 96),
               .lfCharSet = DEFAULT_CHARSET};
  wcscpy_s(own.lfFaceName, L"Meiryo UI");
  HFONT font = ::CreateFontIndirectW(&own);
  HDC dc = ::GetDC(nullptr);
  HGDIOBJ previous = ::SelectObject(dc, font);
  SIZE size{};
  ::GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
  ::SelectObject(dc, previous);
  ::ReleaseDC(nullptr, dc);
  ::DeleteObject(font);
  return size.cx;
}

TEST(Information, ReportTellsWhatTheUserSees) {
  Orvane app;
  ASSERT_TRUE(app.Started() && app.Activate());
  app.Type(L"AB");
  ASSERT_TRUE(app.WaitForFittedCaption(L"AB"));
  std::optional<Report> r = ShowReport(app);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->title, L"Orvane");
  EXPECT_TRUE(r->text.starts_with(
      L"[TEXT]\r\nText=\"AB\"\r\nLength=2\r\nUTF16=0041 0042 \r\nAllSelected=No\r\n\r\n"));
  EXPECT_EQ(std::count(r->text.begin(), r->text.end(), L'\n'), 47);
  RECT window = app.WindowRect(), work = WorkArea();
  SIZE client = app.ClientSize();
  const std::pair<const wchar_t*, int> seen[] = {
      {L"SCREEN/Width", ::GetSystemMetrics(SM_CXSCREEN)}, {L"SCREEN/Height", ::GetSystemMetrics(SM_CYSCREEN)},
      {L"SCREEN/WorkAreaWidth", work.right - work.left}, {L"SCREEN/WorkAreaHeight", work.bottom - work.top},
      {L"FORM/Left", window.left}, {L"FORM/Top", window.top}, {L"FORM/Right", window.right},
      {L"FORM/Bottom", window.bottom}, {L"FORM/Width", window.right - window.left},
      {L"FORM/Height", window.bottom - window.top}, {L"FORM/CanvasWidth", client.cx},
      {L"FORM/CanvasHeight", client.cy}, {L"FONT/Height", client.cy},
      {L"FORM/CanvasTextWidth", CaptionWidth(app.Window(), app.Caption())}};
  for (const auto& [key, value] : seen)
    EXPECT_EQ(r->Number(key), value) << testing::PrintToString(std::wstring(key));
  EXPECT_EQ(r->values[L"FONT/Name"] + L" " + r->values[L"FONT/FontColor"] + L" " +
                r->values[L"FONT/BackColor"],
            L"ＭＳ 明朝 clBlack($000000) clWhite($ffffff)");
  if (std::optional<std::wstring> printer = DefaultPrinter()) {
    EXPECT_EQ(r->values[L"PRINTER/Name"], *printer);
  }
  // Centred on the work area of the window's monitor (the primary one here).
  EXPECT_LE(std::abs(r->rect.left + r->rect.right - work.left - work.right), 1)
      << ToString(r->rect);
  EXPECT_LE(std::abs(r->rect.top + r->rect.bottom - work.top - work.bottom), 1)
      << ToString(r->rect);
}

TEST(Information, PageFiguresFollowTheLastPrintCommandsOrientation) {
  PdfPrinter pdf;
  if (!pdf.Available()) GTEST_SKIP() << "no PDF printer (ORVANE_E2E_PDF_FOLDER)";
  ASSERT_TRUE(pdf.Pending().empty()) << "printouts of someone else are on their way";
  Orvane app;
  ASSERT_TRUE(app.Started() && app.Activate());
  app.Type(L"A");  // one sheet
  ASSERT_TRUE(app.WaitForFittedCaption(L"A"));
  // Ctrl+P or Ctrl+Shift+P, the dialog's OK (and the printout) or Cancel; then the page's pixels.
  auto printThenReport = [&](unsigned keys, bool ok) -> std::pair<int, int> {
    app.PressKey('P', keys);
    std::optional<PrintDialog> dialog = PrintDialog::Wait(app);
    if (!dialog || !(ok ? dialog->Ok() : dialog->Cancel()) || (ok && !pdf.Next())) return {};
    std::optional<Report> r = ShowReport(app);
    return r ? std::pair(r->Number(L"PRINTER/PageWidth(pix)"),
                         r->Number(L"PRINTER/PageHeight(pix)"))
             : std::pair(0, 0);
  };
  auto [width, height] = printThenReport(Orvane::kCtrl, true);
  EXPECT_LT(width, height) << "portrait";
  auto landscape = printThenReport(Orvane::kCtrl | Orvane::kShift, true);
  EXPECT_EQ(landscape, std::pair(height, width));
  EXPECT_EQ(printThenReport(Orvane::kCtrl, false), landscape) << "Cancel leaves the orientation";
}

// The printer known at start-up has gone by the time the user asks for it (the
// system's default then named a printer that is no more): the font dialog and
// the report take the default printer as it is now, as printing does.
TEST(Printer, OneGoneSinceStartGivesWayToTheDefaultForTheFontsAndTheReport) {
  std::optional<std::wstring> printer = DefaultPrinter();
  if (!printer) GTEST_SKIP() << "no default printer is set";
  UserSetting gone(L"Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", L"Device",
                   L"Orvane Gone Printer,winspool,Ne99:");
  ASSERT_TRUE(gone.Changed());
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.WaitForStartUp()) << "start-up took the gone printer for the default";
  gone.Restore();
  ASSERT_TRUE(app.Activate());

  // What the program said instead, if anything.
  auto box = [&] { return app.Dialogs().empty() ? L"" : Orvane::DialogText(app.Dialogs()[0]); };
  app.PressKey('F', Orvane::kCtrl);
  FontDialogWindow dialog = FontDialogWindow::WaitFor(app);
  ASSERT_TRUE(dialog.hwnd()) << box();
  ASSERT_TRUE(dialog.Cancel());
  std::optional<Report> r = ShowReport(app);
  ASSERT_TRUE(r) << box();
  EXPECT_EQ(r->values[L"PRINTER/Name"], *printer) << r->text;
}

// Run by run-e2e.sh with CUPS out of reach.
TEST(NoPrinter, InformationReportsTheMissingPrinterInsteadOfTheReport) {
  if (DefaultPrinter()) GTEST_SKIP() << "a default printer is set";
  Orvane app({.waitUntilVisible = false});
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil([&] { return (boxes = app.Dialogs()).size() == 1; }, 10s));
  ASSERT_TRUE(Orvane::PressOk(boxes[0]));  // start-up's own report of it
  ASSERT_TRUE(app.WaitUntilVisible() && app.Activate());
  app.PressKey('I', Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return (boxes = app.Dialogs()).size() == 1; }, 10s));
  EXPECT_EQ(Orvane::DialogText(boxes[0]), L"There is no default printer currently selected.");
  ASSERT_TRUE(Orvane::PressOk(boxes[0]));
  app.Type(L"x");  // keys are taken in order: once it shows, nothing else is coming
  ASSERT_TRUE(app.WaitForFittedCaption(L"x"));
  EXPECT_TRUE(app.Dialogs().empty()) << "no report after the error";
}

}  // namespace
}  // namespace e2e
