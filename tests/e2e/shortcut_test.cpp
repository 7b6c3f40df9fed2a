// Shortcuts to the program on the desktop: created, left alone, deleted and
// updated through the command menu, with the program's questions and reports.

#include <gtest/gtest.h>

#include <shlobj.h>

#include "driver.h"
#include "menu_reader.h"
#include "shell_helpers.h"

namespace e2e {
namespace {

const std::vector<std::wstring> kDesktopCommand{L"ショートカット設定", L"デスクトップに登録・削除"};
constexpr wchar_t kQuestion[] =
    L" は 既に存在します。\r\n\r\n更新しますか？\r\n[はい]: 更新する, [いいえ]: 削除する, [キャンセル]: 取消し\r\n";

class DesktopShortcut : public ::testing::Test {
 protected:
  void SetUp() override {
    ::DeleteFileW(link.c_str());
    before = FileManagerWindows();
  }
  void TearDown() override {
    for (HWND window : FileManagerWindows()) {
      if (std::find(before.begin(), before.end(), window) == before.end()) ::PostMessageW(window, WM_CLOSE, 0, 0);
    }
    ::DeleteFileW(link.c_str());
  }

  // Runs the desktop command and returns its first dialog.
  HWND Run(Orvane& app) {
    EXPECT_TRUE(app.Activate());
    EXPECT_TRUE(ChooseFromMenu(app, kDesktopCommand));
    return app.NextDialog();
  }
  // Checks a dialog's caption and text, then presses its button; the next dialog.
  HWND Expect(Orvane& app, HWND box, const std::wstring& text, int button, const wchar_t* title = L"Orvane") {
    if (!box) {
      ADD_FAILURE() << "no dialog for " << testing::PrintToString(text);
      return nullptr;
    }
    EXPECT_EQ(Orvane::Title(box), title);
    EXPECT_EQ(Orvane::DialogText(box), text);
    EXPECT_TRUE(button == IDOK ? Orvane::PressOk(box) : Orvane::Answer(box, button));
    return app.NextDialog(box, 3s);
  }
  // The file manager the last answer opened, with its command line.
  std::wstring OpenedFileManager() {
    std::wstring line;
    WaitUntil([&] {
      for (HWND window : FileManagerWindows()) {
        if (std::find(before.begin(), before.end(), window) == before.end()) line = CommandLineOf(window);
      }
      return !line.empty();
    }, 20s);
    return line;
  }
  // No dialog is up: a typed character reaches the text.
  static bool TypesFreely(Orvane& app) {
    app.Type(L"!");
    return WaitUntil([&] { return app.Text().ends_with(L"!"); }) && app.Dialogs().empty();
  }

  ComScope com;
  std::wstring desktop = SpecialFolder(CSIDL_DESKTOP);
  std::wstring link = desktop + L"\\Orvane.Lnk";
  std::vector<HWND> before;
};

TEST_F(DesktopShortcut, CreatesTheLinkToTheRunningExeAndOpensItsFolderWithTheLinkSelected) {
  Orvane app;
  HWND box = Run(app);
  box = Expect(app, box, L"DeskTopに新規に作成しました。\r\n\r\n" + app.ExePath() + L"\r\n" + link, IDOK);
  EXPECT_EQ(Expect(app, box, L"フォルダ DeskTop を開きますか？", IDYES), nullptr);
  EXPECT_EQ(ReadLink(link)->target, app.ExePath());
  std::wstring opened = OpenedFileManager();
  EXPECT_NE(opened.find(L"/select,"), std::wstring::npos) << testing::PrintToString(opened);
  EXPECT_NE(opened.find(link), std::wstring::npos) << testing::PrintToString(opened);
}

TEST_F(DesktopShortcut, ATargetTheShellRefusesIsReportedAsNotCreatedAndSavesNoLink) {
  Orvane app;
  ASSERT_TRUE(InjectFailure(app.Window(), InjectedFailure::ShellLinkSetPath));
  HWND box = Expect(app, Run(app), L"DeskTopに新規作成できませんでした。\r\n\r\n" + link, IDOK);
  EXPECT_EQ(Expect(app, box, L"フォルダ DeskTop を開きますか？", IDNO), nullptr);
  EXPECT_EQ(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DesktopShortcut, NoDeletesTheLinkAndYesOpensTheFolderItself) {
  ASSERT_TRUE(WriteLink(link, {L"C:\\elsewhere\\Orvane.exe", L""}));
  Orvane app;
  HWND box = Expect(app, Run(app), L"DeskTopに Orvane.Lnk" + std::wstring(kQuestion), IDNO);
  box = Expect(app, box, L"DeskTopから削除しました。\r\n\r\n" + link, IDOK);
  EXPECT_EQ(Expect(app, box, L"フォルダ DeskTop を開きますか？", IDYES), nullptr);
  EXPECT_EQ(::GetFileAttributesW(link.c_str()), INVALID_FILE_ATTRIBUTES);
  std::wstring opened = OpenedFileManager();
  EXPECT_EQ(opened.find(L"/select"), std::wstring::npos) << testing::PrintToString(opened);
  EXPECT_TRUE(opened.ends_with(desktop) || opened.ends_with(desktop + L"\"")) << testing::PrintToString(opened);
}

TEST_F(DesktopShortcut, YesFromACopyElsewhereRewritesTheLinkToPointThere) {
  std::wstring first;
  {
    Orvane app;
    first = app.ExePath();
    HWND box = Expect(app, Run(app), L"DeskTopに新規に作成しました。\r\n\r\n" + first + L"\r\n" + link, IDOK);
    Expect(app, box, L"フォルダ DeskTop を開きますか？", IDNO);
  }
  Orvane moved;  // the same program, copied into another folder
  ASSERT_NE(moved.ExePath(), first);
  HWND box = Expect(moved, Run(moved), L"DeskTopに Orvane.Lnk" + std::wstring(kQuestion), IDYES);
  box = Expect(moved, box, L"DeskTopを更新しました。\r\n\r\n" + moved.ExePath() + L"\r\n" + link, IDOK);
  EXPECT_EQ(Expect(moved, box, L"フォルダ DeskTop を開きますか？", IDNO), nullptr);
  EXPECT_EQ(ReadLink(link)->target, moved.ExePath());
}

TEST_F(DesktopShortcut, ARenamedExeAsksAboutItsTitleAndCancelLeavesTheLinkAlone) {
  ASSERT_TRUE(WriteLink(link, {L"C:\\elsewhere\\Orvane.exe", L"/mine"}));
  std::string bytes = ReadFileBytes(link);
  Orvane app({.exeName = L"MYTOOL.EXE"});  // its title is Mytool; the file stays Orvane.Lnk
  EXPECT_EQ(Expect(app, Run(app), L"DeskTopに Mytool.Lnk" + std::wstring(kQuestion), IDCANCEL, L"Mytool"), nullptr);
  EXPECT_TRUE(TypesFreely(app)) << "no further dialog";
  EXPECT_EQ(ReadFileBytes(link), bytes);
}

}  // namespace
}  // namespace e2e
