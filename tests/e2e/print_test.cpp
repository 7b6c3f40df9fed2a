// Printing: every character on a sheet of its own (Ctrl+P), the whole line on
// one landscape sheet (Ctrl+Shift+P), read back from the PDF printer.

#include <gtest/gtest.h>

#include "driver.h"
#include "printouts.h"

namespace e2e {
namespace {

std::uint32_t Corner(const Image& page) { return page.At(1, 1); }

// Every pixel in that colour; the last row and column, where the sheet's edge
// blends with what lies beyond it, aside.
bool Uniform(const Image& page, std::uint32_t colour) {
  for (int y = 0; y + 1 < page.height; ++y) {
    for (int x = 0; x + 1 < page.width; ++x) {
      if (page.At(x, y) != colour) return false;
    }
  }
  return page.width > 1 && page.height > 1;
}

bool Portrait(const Image& page) { return page.height > page.width; }

class Printing : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!printer.Available()) GTEST_SKIP() << "no PDF printer (ORVANE_E2E_PDF_FOLDER)";
  }

  // Starts the program, ready for keys.
  void Start(StartOptions options = {}) {
    app.emplace(std::move(options));
    ASSERT_TRUE(app->Started());
    ASSERT_TRUE(app->Activate());
  }
  void Retype(const std::wstring& text) {
    app->SelectAll();
    app->Type(text);
    ASSERT_TRUE(app->WaitForCaption(app->ExpectedCaption(text)));
  }
  // Opens the print dialog with Ctrl+P (or Ctrl+Shift+P for the whole line).
  std::optional<PrintDialog> OpenDialog(bool wholeLine = false, std::chrono::milliseconds timeout = 10s) {
    app->PressKey('P', wholeLine ? Orvane::kCtrl | Orvane::kShift : Orvane::kCtrl);
    return PrintDialog::Wait(*app, timeout);
  }

  PdfPrinter printer;
  std::optional<Orvane> app;
};

TEST_F(Printing, EveryCharacterOnItsOwnSheetCollatedOrNot) {
  Start();
  Retype(L"  AB  ");
  auto dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(dialog->Collate()) << "collate is ticked the first time";
  EXPECT_FALSE(dialog->OffersPageRange());
  EXPECT_FALSE(dialog->OffersPrintToFile());
  dialog->SetCopies(3);
  ASSERT_TRUE(dialog->Ok());

  auto collated = printer.Next();
  ASSERT_TRUE(collated);
  EXPECT_EQ(collated->title, "AB") << "the job is named after the trimmed text";
  ASSERT_EQ(collated->pages, 6) << "three copies of two sheets, not three times three";
  std::vector<Image> pages;
  for (int i = 1; i <= 6; ++i) pages.push_back(collated->Page(i));
  const Image& a = pages[0];
  const Image& b = pages[1];
  EXPECT_TRUE(Portrait(a));
  EXPECT_GT(TopInsetPercent(a), 25) << "an A, peaking in the middle";
  EXPECT_LT(TopInsetPercent(b), 10) << "a B, its top starting at its left";
  EXPECT_GT(InkBox(a).Height(), a.width / 2) << "as large as the sheet's width allows";
  for (int i : {2, 4}) EXPECT_EQ(pages[i], a) << "A B A B A B: page " << i + 1;
  for (int i : {3, 5}) EXPECT_EQ(pages[i], b) << "A B A B A B: page " << i + 1;
  EXPECT_NE(HostCommand("pdffonts '" + collated->path + "'").value_or("").find("IPAMincho"), std::string::npos)
      << "in the display's face";

  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->Copies(), 3) << "the dialog starts from the previous choices";
  EXPECT_TRUE(dialog->Collate());
  dialog->SetCollate(false);
  ASSERT_TRUE(dialog->Ok());
  auto uncollated = printer.Next();
  ASSERT_TRUE(uncollated);
  ASSERT_EQ(uncollated->pages, 6);
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(uncollated->Page(i), i <= 3 ? a : b) << "A A A B B B: page " << i;
  }
}

TEST_F(Printing, SheetsTakeTheBackgroundColourEvenInTelopMode) {
  TestFolder folder;
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"Text", L"A B"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"BackColor", L"clRed"));
  Start({.folder = folder.Path()});
  constexpr std::uint32_t kRed = 0xFF0000;

  auto dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(dialog->Ok());
  auto plain = printer.Next();
  ASSERT_TRUE(plain);
  ASSERT_EQ(plain->pages, 3);
  EXPECT_EQ(Corner(plain->Page(1)), kRed);
  Image space = plain->Page(2);
  EXPECT_TRUE(Uniform(space, kRed)) << "the space: a sheet of background only";

  // Telop mode keys the background out on screen; the sheets keep its colour.
  app->PressKey(VK_RETURN, Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return (::GetWindowLongPtrW(app->Window(), GWL_STYLE) & WS_CAPTION) == 0; }));
  // The switch ends with a round of pending messages, which drops a command
  // that arrives meanwhile: asked again until the dialog shows.
  dialog.reset();
  for (int attempt = 0; attempt < 3 && !dialog; ++attempt) dialog = OpenDialog(false, 3s);
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(dialog->Ok());
  auto telop = printer.Next();
  ASSERT_TRUE(telop);
  ASSERT_EQ(telop->pages, 3);
  EXPECT_EQ(Corner(telop->Page(1)), kRed) << "the saved colour, never the key colour";
  EXPECT_EQ(telop->Page(2), space);
}

TEST_F(Printing, WholeLineAcrossOneLandscapeSheetPerCopy) {
  Start();
  Retype(L"ABC");
  auto dialog = OpenDialog(true);
  ASSERT_TRUE(dialog);
  dialog->SetCopies(3);
  dialog->SetCollate(false);
  ASSERT_TRUE(dialog->Ok());
  auto printout = printer.Next();
  ASSERT_TRUE(printout);
  EXPECT_EQ(printout->title, "ABC");
  ASSERT_EQ(printout->pages, 3) << "one sheet per copy, collated or not";
  Image sheet = printout->Page(1);
  EXPECT_FALSE(Portrait(sheet));
  Box line = InkBox(sheet);
  EXPECT_GT(line.Width(), sheet.width * 8 / 10) << "the line spans the sheet's width: " << ToString(line);
  EXPECT_LE(line.left, sheet.width / 20);
  for (int i : {2, 3}) EXPECT_EQ(printout->Page(i), sheet) << i;
}

TEST_F(Printing, WholeLineWithBlanksAtItsEndsShowsEveryLetter) {
  Start();
  Retype(L"  AB  ");
  auto dialog = OpenDialog(true);
  ASSERT_TRUE(dialog);
  dialog->SetCopies(1);
  ASSERT_TRUE(dialog->Ok());
  auto printout = printer.Next();
  ASSERT_TRUE(printout);
  EXPECT_EQ(printout->title, "AB");
  ASSERT_EQ(printout->pages, 1);
  Image sheet = printout->Page(1);
  Box line = InkBox(sheet);
  EXPECT_GT(line.left, 0) << "the A is not cut at the sheet's left edge: " << ToString(line);
  EXPECT_LE(line.left, sheet.width / 20);
  EXPECT_GT(line.Width(), sheet.width * 8 / 10) << "A and B span the sheet's width: " << ToString(line);
}

TEST_F(Printing, BlankTextAndCancelPrintNothing) {
  Start();
  Retype(L"  ");
  app->PressKey('P', Orvane::kCtrl | Orvane::kShift);
  // Keys are taken in order: once the next one shows, the command has run.
  app->Type(L"x");
  ASSERT_TRUE(app->WaitForCaption(app->ExpectedCaption(L"  x")));
  EXPECT_TRUE(app->Dialogs().empty()) << "a blank text shows no dialog";

  auto dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(dialog->Cancel());
  Retype(L"M");
  dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(dialog->Ok());
  // The printer takes jobs in order: had anything gone before, it would be first.
  auto printout = printer.Next();
  ASSERT_TRUE(printout);
  EXPECT_EQ(printout->title, "M");
  EXPECT_EQ(printout->pages, 1);
  EXPECT_TRUE(printer.Pending().empty());
}

TEST_F(Printing, TheWindowAnswersWhileALongJobRuns) {
  const std::wstring text = L"ABCDEFGHIJKLMNOPQRSTUVWXYZ0123";  // 30 sheets
  Start();
  Retype(text);
  auto dialog = OpenDialog();
  ASSERT_TRUE(dialog);
  ASSERT_TRUE(dialog->Ok());
  ASSERT_TRUE(WaitUntil(PdfPrinter::JobBeingProduced, 10s));
  Image before = app->CaptureClient();

  // A second print command meanwhile does nothing; typing is taken at once.
  app->PressKey('P', Orvane::kCtrl);
  app->PressKey(VK_END);
  app->Type(L"!");
  ASSERT_TRUE(app->WaitForCaption(app->ExpectedCaption(text + L"!"), 10s));
  EXPECT_TRUE(WaitUntil([&] { return !(app->CaptureClient() == before); })) << "repainted";
  EXPECT_TRUE(PdfPrinter::JobBeingProduced()) << "the job was still being produced";
  EXPECT_TRUE(app->Dialogs().empty()) << "no second dialog";

  auto printout = printer.Next(300s);
  ASSERT_TRUE(printout);
  EXPECT_EQ(printout->title, std::string(text.begin(), text.end())) << "the text as the job started";
  EXPECT_EQ(printout->pages, 30);
  EXPECT_TRUE(printer.Pending().empty());
  app->Sync();
  EXPECT_TRUE(app->Dialogs().empty()) << "the second command was dropped, not kept for later";
}

// ---- Without a printer (run-e2e.sh runs these with CUPS out of reach) -------

TEST(NoPrinter, PrintCommandsReportTheMissingPrinterInsteadOfADialog) {
  if (DefaultPrinter()) GTEST_SKIP() << "a default printer is set";
  Orvane app({.waitUntilVisible = false});
  ASSERT_TRUE(app.Running());
  auto errorBox = [&]() -> HWND {
    HWND box = nullptr;
    WaitUntil([&] {
      std::vector<HWND> boxes = app.Dialogs();
      box = boxes.size() == 1 ? boxes.front() : nullptr;
      return box != nullptr;
    }, 10s);
    return box;
  };
  HWND startup = errorBox();  // start-up's own report of the missing printer
  ASSERT_TRUE(startup);
  ASSERT_TRUE(Orvane::PressOk(startup));
  ASSERT_TRUE(app.WaitUntilVisible());
  ASSERT_TRUE(app.Activate());
  for (unsigned modifiers : {unsigned{Orvane::kCtrl}, unsigned{Orvane::kCtrl | Orvane::kShift}}) {
    app.PressKey('P', modifiers);
    HWND box = errorBox();
    ASSERT_TRUE(box);
    EXPECT_EQ(Orvane::DialogText(box), L"There is no default printer currently selected.");
    ASSERT_TRUE(Orvane::PressOk(box));
    ASSERT_TRUE(WaitUntil([&] { return app.Dialogs().empty(); }));
  }
}

}  // namespace
}  // namespace e2e
