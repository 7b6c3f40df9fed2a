// The window's picture on the clipboard and in a bitmap file, compared pixel
// for pixel with what the screen shows.

#include <gtest/gtest.h>

#include <shlobj.h>

#include "driver.h"
#include "menu_reader.h"
#include "shell_helpers.h"

namespace e2e {
namespace {

constexpr int kFileNameEdit = 1152;  // in the save dialog

class Picture : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
  }
  void TearDown() override {
    for (HWND box : app.Dialogs()) Orvane::PressButton(box, IDCANCEL);
  }

  // Ctrl+S, then the save dialog's proposed name.
  HWND OpenSaveDialog(std::wstring* proposed = nullptr) {
    app.PressKey('S', Orvane::kCtrl);
    HWND dialog = app.NextDialog();
    if (dialog && proposed) *proposed = WindowTextOf(::GetDlgItem(dialog, kFileNameEdit));
    return dialog;
  }
  // Types a name into the save dialog and saves.
  void SaveAs(HWND dialog, const std::wstring& name) {
    ::SendMessageW(::GetDlgItem(dialog, kFileNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    Orvane::PressButton(dialog, IDOK);
  }
  static std::wstring WindowTextOf(HWND window) {
    wchar_t text[MAX_PATH] = {};
    ::SendMessageW(window, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
    return text;
  }
  static bool Exists(const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

  ComScope com;
  Orvane app;
};

TEST_F(Picture, CopyReplacesTheClipboardWithTheClientAreaHighlightIncluded) {
  ASSERT_EQ(app.Selection(), (std::pair{0, 6})) << "the first start selects the whole text";
  ASSERT_TRUE(PutTextOnClipboard(L"earlier"));
  app.PressKey('C', Orvane::kCtrl | Orvane::kShift);
  std::optional<Image> copied;
  ASSERT_TRUE(WaitUntil([&] { return (copied = ClipboardPicture()).has_value(); }));
  EXPECT_FALSE(ClipboardHasText());
  Image shown = app.CaptureSettled();
  app.BlotCaret(*copied);
  EXPECT_TRUE(*copied == shown) << copied->width << " x " << copied->height;
  EXPECT_GT(CountPixels(*copied, ToPixel(::GetSysColor(COLOR_HIGHLIGHT))), 0);
}

TEST_F(Picture, SaveProposesTheTrimmedTextOnTheDesktop) {
  std::wstring file = SpecialFolder(CSIDL_DESKTOP) + L"\\Hello.bmp";
  ::DeleteFileW(file.c_str());
  app.Type(L"  Hello  ");
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"  Hello  "; }));
  std::wstring proposed;
  HWND dialog = OpenSaveDialog(&proposed);
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(proposed, L"Hello.bmp");
  Orvane::PressButton(dialog, IDOK);
  EXPECT_TRUE(WaitUntil([&] { return Exists(file); })) << "saved in the desktop folder";
  ::DeleteFileW(file.c_str());
}

TEST_F(Picture, ANameWithoutExtensionIsSavedAsTypedAndDecodesToTheScreen) {
  TestFolder folder;
  HWND dialog = OpenSaveDialog();
  ASSERT_NE(dialog, nullptr);
  SaveAs(dialog, folder.File(L"picture"));
  ASSERT_TRUE(WaitUntil([&] { return Exists(folder.File(L"picture")); }));
  EXPECT_FALSE(Exists(folder.File(L"picture.bmp")));
  std::optional<Image> decoded = DecodeElsewhere(folder.File(L"picture"));
  ASSERT_TRUE(decoded.has_value());
  app.BlotCaret(*decoded);
  Image shown = app.CaptureSettled();
  EXPECT_TRUE(*decoded == shown) << decoded->width << " x " << decoded->height;
}

TEST_F(Picture, SavingOverAFileAnotherProgramHoldsOpenIsReportedAndLeavesItWhole) {
  TestFolder folder;
  std::wstring file = folder.File(L"held.bmp");
  ASSERT_TRUE(WriteFileBytes(file, "old bytes"));
  HANDLE held = ::CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  HWND dialog = OpenSaveDialog();
  ASSERT_NE(dialog, nullptr);
  SaveAs(dialog, file);
  HWND question = app.NextDialog(dialog);  // the dialog's own: replace the file?
  ASSERT_NE(question, nullptr);
  EXPECT_TRUE(Orvane::Answer(question, IDYES));
  HWND error = app.NextDialog(dialog);
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(Orvane::Title(error), L"Orvane");
  std::wstring message = Orvane::DialogText(error);
  EXPECT_TRUE(message.starts_with(L"Cannot create file \"" + file + L"\". ")) << testing::PrintToString(message);
  EXPECT_TRUE(Orvane::PressOk(error));
  ::CloseHandle(held);
  EXPECT_EQ(ReadFileBytes(file), "old bytes");
}

TEST_F(Picture, AFailedCaptureIsReportedAndNeitherCopiedNorSaved) {
  TestFolder folder;
  ASSERT_TRUE(PutTextOnClipboard(L"kept"));
  ASSERT_TRUE(InjectFailure(app.Window(), InjectedFailure::BitBlt));
  auto expectReport = [&](HWND previous) {
    HWND error = app.NextDialog(previous);
    ASSERT_NE(error, nullptr);
    EXPECT_EQ(Orvane::DialogText(error), L"Cannot take the picture of the window.");
    EXPECT_TRUE(Orvane::PressOk(error));
  };
  app.PressKey('C', Orvane::kCtrl | Orvane::kShift);
  expectReport(nullptr);
  EXPECT_TRUE(ClipboardHasText()) << "the clipboard keeps what it had";
  EXPECT_FALSE(ClipboardPicture().has_value());

  HWND dialog = OpenSaveDialog();
  ASSERT_NE(dialog, nullptr);
  SaveAs(dialog, folder.File(L"black.bmp"));
  expectReport(dialog);
  EXPECT_FALSE(Exists(folder.File(L"black.bmp")));
}

TEST_F(Picture, AClipboardThatRefusesThePictureIsReportedWithoutAFalseReason) {
  ASSERT_TRUE(InjectFailure(app.Window(), InjectedFailure::SetClipboardData));
  app.PressKey('C', Orvane::kCtrl | Orvane::kShift);
  HWND error = app.NextDialog();
  ASSERT_NE(error, nullptr);
  EXPECT_EQ(Orvane::DialogText(error), L"Cannot put the picture on the clipboard.");
  EXPECT_TRUE(Orvane::PressOk(error));
}

TEST_F(Picture, ABlankTextNeitherSavesNorCopies) {
  app.Type(L"  ");
  ASSERT_TRUE(PutTextOnClipboard(L"kept"));
  app.PressKey('S', Orvane::kCtrl);
  app.PressKey('C', Orvane::kCtrl | Orvane::kShift);
  app.Type(L"x");  // taken after both keys, and by the text only if no dialog opened
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"  x"; }));
  EXPECT_TRUE(app.Dialogs().empty());
  EXPECT_TRUE(ClipboardHasText());
  EXPECT_FALSE(ClipboardPicture().has_value());
}

}  // namespace
}  // namespace e2e
