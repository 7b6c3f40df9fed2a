// The font and colour commands as a user meets them: the font dialog with its
// Apply button, the colour dialog for text and background, the swap, and the
// font command on a machine without a printer.

#include <gtest/gtest.h>

#include "driver.h"
#include "font_color_dialogs.h"
#include "menu_reader.h"

namespace e2e {
namespace {

std::wstring CaptionWithFace(const Orvane& app, const std::wstring& text,
                             const std::wstring& face) {
  std::wstring caption = app.ExpectedCaption(text);  // ends in the first start's face
  return caption.substr(0, caption.size() - std::wstring_view(L"ＭＳ 明朝").size()) + face;
}

int Pixels(const Orvane& app, COLORREF colour) {
  return CountPixels(app.CaptureSettled(), ToPixel(colour));
}

int ClientArea(const Orvane& app) {
  SIZE size = app.ClientSize();
  return size.cx * size.cy;
}

// A settings file for the first start in the folder: the caret at the end, so
// the text shows in its own colours rather than highlighted.
void WriteSettings(const TestFolder& folder, const wchar_t* fontColor, const wchar_t* backColor) {
  WriteSetting(folder.Path(), L"OPTION", L"SelectAll", L"0");
  WriteSetting(folder.Path(), L"OPTION", L"FontColor", fontColor);
  WriteSetting(folder.Path(), L"OPTION", L"BackColor", backColor);
}

std::wstring Setting(const TestFolder& folder, const wchar_t* key) {
  return ReadSettings(folder.Path()).Value(L"OPTION", key).value_or(L"");
}

TEST(FontDialog, OpensAtTwentyEightPointsAndApplyRefitsWhileItStaysOpen) {
  Orvane app;
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  app.PressKey(VK_END);
  app.PressKey('F', Orvane::kCtrl);
  FontDialogWindow dialog = FontDialogWindow::WaitFor(app);
  ASSERT_TRUE(dialog.hwnd());
  EXPECT_EQ(dialog.Size(), L"28") << "the display font is " << app.ClientSize().cy
                                  << " pixels high";
  EXPECT_EQ(dialog.Face(), L"ＭＳ 明朝");
  EXPECT_EQ(dialog.Color(), RGB(0, 0, 0));

  ASSERT_TRUE(dialog.ChooseFace(L"IPAゴシック"));
  ASSERT_TRUE(dialog.ChooseColor(RGB(0, 0, 255)));
  dialog.Apply();
  EXPECT_EQ(app.Caption(), CaptionWithFace(app, L"Orvane", L"IPAゴシック"));
  EXPECT_TRUE(FontDialogWindow::IsOpen(app));

  ASSERT_TRUE(dialog.Cancel());
  EXPECT_EQ(app.Caption(), CaptionWithFace(app, L"Orvane", L"IPAゴシック"))
      << "Cancel keeps what Apply set";
  EXPECT_GT(Pixels(app, RGB(0, 0, 255)), ClientArea(app) / 100)
      << "the letters in the applied colour";
}

TEST(FontDialog, OkTakesTheFaceAndKeepsAnUntouchedTextColour) {
  TestFolder folder;
  // A system colour: the dialog shows it as RGB, and hands that back on OK even
  // when the user never touched the colour box.
  WriteSettings(folder, L"clWindowText", L"clWhite");
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    app.PressKey('F', Orvane::kCtrl);
    FontDialogWindow dialog = FontDialogWindow::WaitFor(app);
    ASSERT_TRUE(dialog.hwnd());
    ASSERT_TRUE(dialog.ChooseFace(L"IPA明朝"));
    ASSERT_TRUE(dialog.Ok());
    EXPECT_TRUE(app.WaitForCaption(CaptionWithFace(app, L"Orvane", L"IPA明朝")));
    EXPECT_GT(Pixels(app, ::GetSysColor(COLOR_WINDOWTEXT)), ClientArea(app) / 100);
    ASSERT_TRUE(app.Close());
  }
  EXPECT_EQ(Setting(folder, L"FontColor"), L"clWindowText");
  EXPECT_EQ(Setting(folder, L"FontName"), L"IPA明朝");
}

TEST(ColorCommands, ChosenColoursShowInFieldAndMarginAndAreKeptAsRgb) {
  TestFolder folder;
  WriteSettings(folder, L"clWindowText", L"clBtnFace");  // system colours
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(ChooseFromMenu(app, {L"カラー設定", L"文字色..."}));
    ColorDialogWindow text = ColorDialogWindow::WaitFor(app);
    ASSERT_TRUE(text.hwnd());
    EXPECT_EQ(text.Rgb(), ::GetSysColor(COLOR_WINDOWTEXT));
    ASSERT_TRUE(text.Ok());  // untouched: the same colour, now as RGB

    ASSERT_TRUE(ChooseFromMenu(app, {L"カラー設定", L"背景色..."}));
    ColorDialogWindow back = ColorDialogWindow::WaitFor(app);
    ASSERT_TRUE(back.hwnd());
    EXPECT_EQ(back.Rgb(), ::GetSysColor(COLOR_BTNFACE));
    back.SetRgb(RGB(0, 128, 255));
    ASSERT_TRUE(back.Ok());
    app.Sync();
    EXPECT_GT(Pixels(app, RGB(0, 128, 255)), ClientArea(app) / 3);
    EXPECT_EQ(MarginPixel(app), ToPixel(RGB(0, 128, 255)));
    EXPECT_EQ(app.Selection(), (std::pair{6, 6}));
    ASSERT_TRUE(app.Close());
  }
  EXPECT_EQ(Setting(folder, L"FontColor"), L"clBlack");
  EXPECT_EQ(Setting(folder, L"BackColor"), L"$00FF8000");
}

TEST(ColorCommands, SwapTwiceRestoresBothColoursAndTheMargin) {
  Orvane app;  // black on white, the whole text selected
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Activate());
  ASSERT_TRUE(ChooseFromMenu(app, {L"カラー設定", L"入替え"}));
  app.Sync();
  EXPECT_EQ(app.Selection(), (std::pair{6, 6})) << "the caret at the end, nothing selected";
  EXPECT_GT(Pixels(app, RGB(0, 0, 0)), ClientArea(app) / 3);
  EXPECT_GT(Pixels(app, RGB(255, 255, 255)), ClientArea(app) / 100);
  EXPECT_EQ(MarginPixel(app), 0x000000u);

  ASSERT_TRUE(ChooseFromMenu(app, {L"カラー設定", L"入替え"}));
  app.Sync();
  EXPECT_GT(Pixels(app, RGB(255, 255, 255)), ClientArea(app) / 3);
  EXPECT_GT(Pixels(app, RGB(0, 0, 0)), ClientArea(app) / 100);
  EXPECT_EQ(MarginPixel(app), 0xFFFFFFu);
}

TEST(NoPrinter, FontCommandReportsTheMissingPrinterAndOpensNoDialog) {
  if (DefaultPrinter()) GTEST_SKIP() << "a default printer is set";
  Orvane app({.waitUntilVisible = false});
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(boxes = app.Dialogs()).empty(); }, 10s))
      << "the start-up report";
  ASSERT_TRUE(Orvane::PressOk(boxes.front()));
  ASSERT_TRUE(app.WaitUntilVisible());
  ASSERT_TRUE(app.Activate());
  std::wstring caption = app.Caption();

  app.PressKey('F', Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return !(boxes = app.Dialogs()).empty(); }));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Orvane::DialogText(boxes.front()), L"There is no default printer currently selected.");
  EXPECT_FALSE(FontDialogWindow::IsOpen(app));
  ASSERT_TRUE(Orvane::PressOk(boxes.front()));
  app.Sync();
  EXPECT_TRUE(app.Dialogs().empty());
  EXPECT_EQ(app.Caption(), caption);
}

}  // namespace
}  // namespace e2e
