// The settings file beside the program: what one start leaves behind for the
// next one, what a hand-edited file does, and what happens when the file
// cannot be written.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <tuple>

#include "driver.h"
#include "menu_reader.h"

namespace e2e {
namespace {

// The title bar's maximize and restore buttons.
void ClickTitleBarButton(const Orvane& app, WPARAM command) {
  ::PostMessageW(app.Window(), WM_SYSCOMMAND, command, 0);
}

// Where a maximized window goes when the user restores it. (Wine cannot tell
// another process a maximized window's restored rectangle: its
// GetWindowPlacement answers with the maximized one.)
bool RestoresTo(Orvane& app, const RECT& expected) {
  ClickTitleBarButton(app, SC_RESTORE);
  bool restored = WaitUntil([&] { return !::IsZoomed(app.Window()) && Same(app.WindowRect(), expected); });
  if (!restored) ADD_FAILURE() << "restored to " << ToString(app.WindowRect()) << ", want " << ToString(expected);
  return restored;
}

LONG_PTR Style(HWND window) { return ::GetWindowLongPtrW(window, GWL_STYLE); }
LONG_PTR ExStyle(HWND window) { return ::GetWindowLongPtrW(window, GWL_EXSTYLE); }

bool StartsWith(const std::wstring& text, const std::wstring& start) {
  return text.compare(0, start.size(), start) == 0;
}

// Starts the program once in the folder and closes it, so a settings file of
// the first start stands there, to be edited by hand.
bool CloseAFirstStart(const TestFolder& folder) {
  Orvane app({.folder = folder.Path()});
  return app.Started() && app.Close();
}

// Pixels of exactly one colour: the inside of the letters, or the background.
int PixelsOf(const Orvane& app, COLORREF colour) {
  Image shot = app.CaptureSettled();
  return CountPixels(shot, ToPixel(colour));
}

int ClientArea(const Orvane& app) {
  SIZE client = app.ClientSize();
  return client.cx * client.cy;
}

// ---- What one start leaves for the next ------------------------------------

TEST(SettingsRestart, TheTextComesBackAndIsWrittenInTheAnsiCodePage) {
  TestFolder folder;
  const std::wstring text = L"こんにちは世界";
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_TRUE(app.Activate());
    app.Type(text);
    ASSERT_TRUE(app.WaitForFittedCaption(text));
    app.PressKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s)) << "Escape closes";
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.wellFormed);
  EXPECT_FALSE(file.unicode) << "Japanese fits the ANSI code page";
  EXPECT_EQ(file.Names(), (std::vector<std::wstring>{L"PROGRAM", L"POSITION", L"OPTION"}));
  EXPECT_EQ(file.Value(L"PROGRAM", L"Name"), L"Orvane.exe");
  EXPECT_EQ(file.Value(L"PROGRAM", L"Path"), folder.Path() + L"\\");
  EXPECT_EQ(file.Value(L"PROGRAM", L"Version"), L"V1.3");
  EXPECT_TRUE(file.Value(L"PROGRAM", L"LastClose").has_value());
  EXPECT_EQ(file.Value(L"OPTION", L"Text"), text);
  EXPECT_LT(file.Integer(L"OPTION", L"FontSize"), 0) << "a fitted size is a height in pixels";

  Orvane again({.folder = folder.Path()});
  ASSERT_TRUE(again.Started());
  EXPECT_EQ(again.Text(), text);
  EXPECT_TRUE(again.WaitForFittedCaption(text)) << testing::PrintToString(again.Caption());
}

TEST(SettingsRestart, WholeTextSelectedOrCaretAtTheEndAsLeft) {
  TestFolder folder;
  const std::wstring text = L"select";
  const int length = static_cast<int>(text.size());
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    app.Type(text);
    ASSERT_TRUE(WaitUntil([&] { return app.Text() == text; }));
    app.PressKey(VK_RETURN);  // after typing the caret is at the end: Enter selects all
    ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{0, length}; }));
    ASSERT_TRUE(app.Close());
  }
  EXPECT_EQ(ReadSettings(folder.Path()).Value(L"OPTION", L"SelectAll"), L"1");
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Selection(), (std::pair{0, length})) << "the whole text is selected again";
    ASSERT_TRUE(app.Activate());
    app.PressKey(VK_RETURN);
    ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{length, length}; }));
    ASSERT_TRUE(app.Close());
  }
  EXPECT_EQ(ReadSettings(folder.Path()).Value(L"OPTION", L"SelectAll"), L"0");
  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Selection(), (std::pair{length, length})) << "the caret waits at the end";
  EXPECT_EQ(app.Text(), text);
}

TEST(SettingsRestart, AFaceNameWrittenByHandIsShownAndKept) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontName", L"ＭＳ ゴシック"));
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    SIZE client = app.ClientSize();
    std::wstring caption = L"Orvane " + std::to_wstring(client.cx) + L" x " + std::to_wstring(client.cy) + L" ＭＳ ゴシック";
    EXPECT_TRUE(app.WaitForCaption(caption)) << testing::PrintToString(app.Caption());
    ASSERT_TRUE(app.Close());
  }
  EXPECT_EQ(ReadSettings(folder.Path()).Value(L"OPTION", L"FontName"), L"ＭＳ ゴシック");
}

TEST(SettingsRestart, StyleFlagsWrittenByHandAreWrittenBackOnlyWhenSet) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  SettingsFile plain = ReadSettings(folder.Path());
  for (const wchar_t* key : {L"FontBold", L"FontItalic", L"FontUnderline", L"FontStrikeOut"}) {
    EXPECT_FALSE(plain.Value(L"OPTION", key).has_value()) << "a plain font writes no " << testing::PrintToString(key);
  }
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontBold", L"1"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontItalic", L"0"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontStrikeOut", L"1"));
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_EQ(file.Value(L"OPTION", L"FontBold"), L"1");
  EXPECT_EQ(file.Value(L"OPTION", L"FontStrikeOut"), L"1");
  EXPECT_FALSE(file.Value(L"OPTION", L"FontItalic").has_value()) << "\"0\" is written as no key at all";
  EXPECT_FALSE(file.Value(L"OPTION", L"FontUnderline").has_value());
  EXPECT_TRUE(file.wellFormed);
}

TEST(SettingsRestart, NamedUnnamedAndSystemColoursShowAndComeBackUnderTheirNames) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  // The caret at the end: a selected text would be drawn in the highlight colours.
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"SelectAll", L"0"));

  struct Case {
    const wchar_t* fontColor;
    COLORREF ink;
    const wchar_t* backColor;
    COLORREF background;
  };
  const Case cases[] = {
      {L"clRed", RGB(255, 0, 0), L"clYellow", RGB(255, 255, 0)},
      {L"$00123456", RGB(0x56, 0x34, 0x12), L"clWhite", RGB(255, 255, 255)},
      {L"clWindowText", ::GetSysColor(COLOR_WINDOWTEXT), L"clAqua", RGB(0, 255, 255)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.fontColor)));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontColor", c.fontColor));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"BackColor", c.backColor));
    {
      Orvane app({.folder = folder.Path()});
      ASSERT_TRUE(app.Started());
      ASSERT_TRUE(app.WaitForStartUp());
      ASSERT_TRUE(app.WaitForFittedCaption(L"Orvane"));
      int area = ClientArea(app);
      EXPECT_GT(PixelsOf(app, c.ink), area / 100) << "the letters are drawn in the text colour";
      EXPECT_GT(PixelsOf(app, c.background), area / 3) << "the background is filled in its colour";
      ASSERT_TRUE(app.Close());
    }
    SettingsFile file = ReadSettings(folder.Path());
    EXPECT_EQ(file.Value(L"OPTION", L"FontColor"), c.fontColor);
    EXPECT_EQ(file.Value(L"OPTION", L"BackColor"), c.backColor);
  }
}

TEST(SettingsRestart, TextsWithEdgeBlanksQuotesOrThousandsOfCharactersComeBackExactly) {
  std::wstring long_;
  while (long_.size() < 3000) long_ += L"0123456789abcdefghij";
  const std::wstring texts[] = {L"  本日休業  ", L"\"quoted\"", L"'single'", long_};
  for (const std::wstring& text : texts) {
    SCOPED_TRACE(testing::PrintToString(text.substr(0, 20)));
    TestFolder folder;
    {
      Orvane app({.folder = folder.Path()});
      ASSERT_TRUE(app.Started());
      ASSERT_TRUE(app.Activate());
      app.Paste(text);  // over the selected "Orvane"
      ASSERT_TRUE(WaitUntil([&] { return app.Text() == text; })) << app.Text().size() << " units";
      ASSERT_TRUE(app.Close());
    }
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Text(), text) << app.Text().size() << " units came back";
  }
}

// ---- Where the window comes back ---------------------------------------------

TEST(SettingsRestart, AMovedAndResizedWindowComesBackAtTheSameRectangle) {
  TestFolder folder;
  const RECT moved{123, 87, 123 + 701, 87 + 333};
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ::SetWindowPos(app.Window(), nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return Same(app.WindowRect(), moved); })) << ToString(app.WindowRect());
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_EQ(file.Integer(L"POSITION", L"State"), 0);

  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(Same(app.WindowRect(), moved)) << ToString(app.WindowRect());
  EXPECT_FALSE(::IsZoomed(app.Window()));
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane")) << "the text is fitted to the size it came back at";
}

TEST(SettingsRestart, AMaximizedWindowComesBackMaximizedOverItsRestoredRectangle) {
  TestFolder folder;
  RECT restored{};
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    restored = app.WindowRect();
    ClickTitleBarButton(app, SC_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return ::IsZoomed(app.Window()) != FALSE; }));
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_EQ(file.Integer(L"POSITION", L"State"), 2);
  EXPECT_TRUE(Same(file.Bounds(), restored)) << ToString(file.Bounds()) << " written, restored " << ToString(restored);

  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(::IsZoomed(app.Window()));
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));
  ASSERT_TRUE(app.WaitForStartUp());
  EXPECT_TRUE(RestoresTo(app, restored));
}

TEST(SettingsRestart, ClosedInFullScreenComesBackMaximizedWithAFrame) {
  TestFolder folder;
  RECT before{};
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_TRUE(app.Activate());
    before = app.WindowRect();
    app.PressKey(VK_SPACE, Orvane::kCtrl);
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(WaitUntil([&] { return Same(app.WindowRect(), screen); }));
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(Same(file.Bounds(), before)) << ToString(file.Bounds()) << " written, before " << ToString(before);
  EXPECT_EQ(file.Integer(L"POSITION", L"State"), 2);

  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(::IsZoomed(app.Window()));
  EXPECT_NE(Style(app.Window()) & WS_CAPTION, 0) << "full screen itself is not restored";
  ASSERT_TRUE(app.WaitForStartUp());
  EXPECT_TRUE(RestoresTo(app, before)) << "the rectangle from before full screen";
}

// The client area of the window as far as it lies on the work area.
SIZE VisibleClient(const Orvane& app) {
  RECT client = app.ClientOnScreen();
  RECT work = WorkArea();
  RECT visible{};
  ::IntersectRect(&visible, &client, &work);
  return {visible.right - visible.left, visible.bottom - visible.top};
}

TEST(SettingsRestart, ARectangleThatWouldLeaveTheWindowUnusableIsPulledInOrReplaced) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  const RECT firstStart = ReadSettings(folder.Path()).Bounds();
  struct Case {
    const char* what;
    RECT written;
    bool replaced;  // by the first-start rectangle
  };
  const Case cases[] = {
      {"a sliver at the bottom right", {1900, 1070, 2860, 1610}, false},
      {"a sliver at the top left", {-950, -530, 10, 10}, false},
      {"a tiny rectangle", {100, 100, 110, 110}, true},
      {"a reversed rectangle", {900, 700, 300, 200}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_TRUE(WriteSetting(folder.Path(), L"POSITION", L"Left", std::to_wstring(c.written.left).c_str()));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"POSITION", L"Top", std::to_wstring(c.written.top).c_str()));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"POSITION", L"Right", std::to_wstring(c.written.right).c_str()));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"POSITION", L"Bottom", std::to_wstring(c.written.bottom).c_str()));
    ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"Text", L"usable"));
    RECT shown{};
    {
      Orvane app({.folder = folder.Path()});
      ASSERT_TRUE(app.Started());
      shown = app.WindowRect();
      if (c.replaced) {
        EXPECT_TRUE(Same(shown, firstStart)) << ToString(shown);
      } else {
        EXPECT_EQ(shown.right - shown.left, c.written.right - c.written.left) << "the size is kept";
        EXPECT_EQ(shown.bottom - shown.top, c.written.bottom - c.written.top);
        EXPECT_GE(shown.top, WorkArea().top) << "the caption bar shows";
        EXPECT_FALSE(Same(shown, firstStart)) << "pulled in only as far as needed";
      }
      SIZE visible = VisibleClient(app);
      EXPECT_GE(visible.cx, 40) << ToString(shown);
      EXPECT_GE(visible.cy, 40) << ToString(shown);
      EXPECT_TRUE(app.WaitForFittedCaption(L"usable")) << "the text fills the client area";
      ASSERT_TRUE(app.Close());
    }
    SettingsFile file = ReadSettings(folder.Path());
    EXPECT_TRUE(Same(file.Bounds(), shown)) << "the rectangle it had is saved: " << ToString(file.Bounds());
    EXPECT_EQ(file.Value(L"OPTION", L"Text"), L"usable") << "the other values are kept";
  }
}

TEST(SettingsRestart, ClosedInTelopModeKeepsTheRealBackgroundAndComesBackFramed) {
  TestFolder folder;
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_TRUE(app.Activate());
    app.PressKey(VK_RETURN, Orvane::kCtrl);
    ASSERT_TRUE(WaitUntil([&] { return (ExStyle(app.Window()) & WS_EX_LAYERED) != 0; })) << "telop mode";
    ASSERT_EQ(Style(app.Window()) & WS_CAPTION, 0);
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_EQ(file.Value(L"OPTION", L"BackColor"), L"clWhite") << "not the colour keyed out";
  EXPECT_EQ(file.Value(L"OPTION", L"FontColor"), L"clBlack");

  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_NE(Style(app.Window()) & WS_CAPTION, 0);
  EXPECT_EQ(ExStyle(app.Window()) & WS_EX_LAYERED, 0);
  EXPECT_TRUE(app.WaitForStartUp());
  Image shot = app.CaptureSettled();
  EXPECT_GT(CountPixels(shot, 0xFFFFFF) + CountPixels(shot, ToPixel(::GetSysColor(COLOR_HIGHLIGHT))),
            shot.width * shot.height / 2);
}

TEST(SettingsRestart, ClearAndExitLeavesOnlyTheProgramSectionAndAFreshStart) {
  TestFolder folder;
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    app.Type(L"gone soon");
    ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"gone soon"; }));
    ::SetWindowPos(app.Window(), nullptr, 40, 50, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(app.Close());
  }
  ASSERT_EQ(ReadSettings(folder.Path()).Value(L"OPTION", L"Text"), L"gone soon");
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(ChooseFromMenu(app, {L"クリアして終了"}));
    ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s));
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.wellFormed);
  EXPECT_EQ(file.Names(), (std::vector<std::wstring>{L"PROGRAM"}));
  EXPECT_EQ(file.Value(L"PROGRAM", L"Version"), L"V1.3");

  // As the very first start: half the screen, above the middle, "Orvane" selected.
  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  const RECT work = WorkArea();
  int width = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  int height = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  RECT window = app.WindowRect();
  EXPECT_EQ(window.right - window.left, width);
  EXPECT_EQ(window.bottom - window.top, height);
  EXPECT_EQ(window.left, (work.right - work.left - width) / 2);
  EXPECT_EQ(window.top, (work.bottom - work.top - height - app.ClientSize().cy) / 2);
  EXPECT_EQ(app.Text(), L"Orvane");
  EXPECT_EQ(app.Selection(), (std::pair{0, 6}));
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));
}

// ---- The file as a whole ------------------------------------------------------

TEST(SettingsFile, AnotherProgramsSectionsKeepTheirPlaceBeforeTheProgramsOwn) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  // Appended after OPTION, in this order.
  ASSERT_TRUE(WriteSetting(folder.Path(), L"Zulu", L"Colour", L"green"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"Alpha", L"Name", L"two words"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"Zulu", L"Size", L"12"));
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    app.Type(L"mine");
    ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"mine"; }));
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.wellFormed);
  EXPECT_EQ(file.Names(), (std::vector<std::wstring>{L"Zulu", L"Alpha", L"PROGRAM", L"POSITION", L"OPTION"}));
  ASSERT_NE(file.Lines(L"Zulu"), nullptr);
  EXPECT_EQ(*file.Lines(L"Zulu"), (std::vector<std::wstring>{L"Colour=green", L"Size=12"}));
  EXPECT_EQ(file.Value(L"Alpha", L"Name"), L"two words");
  EXPECT_EQ(file.Value(L"OPTION", L"Text"), L"mine");
}

TEST(SettingsFile, AnEmojiTurnsTheFileUnicodeAndItStaysSo) {
  TestFolder folder;
  const std::wstring text = L"猫\U0001F600";
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    app.Type(text);  // the emoji as its two surrogates
    ASSERT_TRUE(WaitUntil([&] { return app.Text() == text; })) << testing::PrintToString(app.Text());
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.unicode) << "the ANSI code page has no emoji";
  EXPECT_TRUE(file.wellFormed);
  EXPECT_EQ(file.Value(L"OPTION", L"Text"), text);
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Text(), text);
    EXPECT_TRUE(app.WaitForFittedCaption(text)) << testing::PrintToString(app.Caption());
    ASSERT_TRUE(app.Activate());
    app.SelectAll();
    app.Type(L"plain");
    ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"plain"; }));
    ASSERT_TRUE(app.Close());
  }
  file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.unicode) << "a file with a byte-order mark keeps it";
  EXPECT_EQ(file.Value(L"OPTION", L"Text"), L"plain");
  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_EQ(app.Text(), L"plain");
}

TEST(SettingsFile, AFileSavedAsUtf8WithAByteOrderMarkIsReadAndWrittenBackAsUtf16) {
  TestFolder folder;
  const char8_t utf8[] = u8"\uFEFF[Foreign]\r\nName=日本語\r\n[OPTION]\r\nText=漢字テキスト\r\nSelectAll=0\r\n";
  ASSERT_TRUE(WriteFileBytes(SettingsPath(folder.Path()), reinterpret_cast<const char*>(utf8)));
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    EXPECT_EQ(app.Text(), L"漢字テキスト");
    EXPECT_EQ(app.Selection(), (std::pair{6, 6})) << "SelectAll=0 is read: the first section is not lost";
    ASSERT_TRUE(app.Close());
  }
  SettingsFile file = ReadSettings(folder.Path());
  EXPECT_TRUE(file.unicode) << "UTF-16 LE with its byte-order mark, which every profile reader reads";
  EXPECT_TRUE(file.wellFormed);
  EXPECT_EQ(file.Names(), (std::vector<std::wstring>{L"Foreign", L"PROGRAM", L"POSITION", L"OPTION"}));
  EXPECT_EQ(file.Value(L"Foreign", L"Name"), L"日本語");
  EXPECT_EQ(file.Value(L"OPTION", L"Text"), L"漢字テキスト");
}

TEST(SettingsFile, ATemporaryFileLeftByAKilledSaveIsGoneAfterTheNextClose) {
  TestFolder folder;
  DWORD ended = 0;
  {
    Orvane first({.folder = folder.Path()});
    ASSERT_TRUE(first.Started());
    ended = first.ProcessId();
    ASSERT_TRUE(first.Close());
  }
  const std::wstring leftover = folder.File(L"Orvane.ini." + std::to_wstring(ended) + L"-0.tmp");
  // Another copy saving at this moment: this test's own process stands for it.
  const std::wstring saving = folder.File(L"Orvane.ini." + std::to_wstring(::GetCurrentProcessId()) + L"-3.tmp");
  const std::wstring others[] = {folder.File(L"Orvane.ini.bak.tmp"), folder.File(L"Other.ini.12-0.tmp"),
                                 folder.File(L"notes.tmp")};
  for (const std::wstring& path : {leftover, saving, others[0], others[1], others[2]}) {
    ASSERT_TRUE(WriteFileBytes(path, "[PROG"));
  }
  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  ASSERT_TRUE(app.Close());
  auto exists = [](const std::wstring& path) { return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; };
  EXPECT_FALSE(exists(leftover));
  EXPECT_TRUE(exists(saving)) << "the file of a copy still running";
  for (const std::wstring& path : others) EXPECT_TRUE(exists(path)) << testing::PrintToString(path);
  EXPECT_TRUE(ReadSettings(folder.Path()).wellFormed);
}

// ---- When the file cannot be written ------------------------------------------

class SettingsErrors : public ::testing::Test {
 protected:
  // A first start leaves a file with this text; the second start changes the
  // text, so its close has something new to write.
  void SetUp() override {
    {
      Orvane first({.folder = folder.Path()});
      ASSERT_TRUE(first.Started());
      ASSERT_TRUE(first.Activate());
      first.Type(L"kept");
      ASSERT_TRUE(WaitUntil([&] { return first.Text() == L"kept"; }));
      ASSERT_TRUE(first.Close());
    }
    saved = ReadFileBytes(Path());
    ASSERT_NE(saved.find("Text=kept"), std::string::npos);
    app.emplace(StartOptions{.folder = folder.Path()});
    ASSERT_TRUE(app->Started());
    ASSERT_TRUE(app->WaitForStartUp());
    ASSERT_TRUE(app->Activate());
    app->SelectAll();
    app->Type(L"changed");
    ASSERT_TRUE(WaitUntil([&] { return app->Text() == L"changed"; }));
  }
  void TearDown() override {
    Release();
    if (app && app->Running()) {
      for (HWND box : app->Dialogs()) Orvane::PressOk(box);
    }
  }
  std::wstring Path() const { return SettingsPath(folder.Path()); }

  // Another program opens the settings file and keeps it open.
  bool Hold(DWORD access, DWORD share) {
    other = ::CreateFileW(Path().c_str(), access, share, nullptr, OPEN_EXISTING, 0, nullptr);
    return other != INVALID_HANDLE_VALUE;
  }
  void Release() {
    if (other != INVALID_HANDLE_VALUE) ::CloseHandle(other);
    other = INVALID_HANDLE_VALUE;
  }

  // Asks the window to close and returns the one box it shows instead.
  HWND CloseFailing() {
    ::PostMessageW(app->Window(), WM_CLOSE, 0, 0);
    std::vector<HWND> boxes;
    WaitUntil([&] { return !(boxes = app->Dialogs()).empty() || !app->Running(); }, 10s);
    EXPECT_EQ(boxes.size(), 1u);
    return boxes.empty() ? nullptr : boxes.front();
  }

  bool TemporaryFilesLeft() const {
    WIN32_FIND_DATAW found{};
    HANDLE search = ::FindFirstFileW((folder.Path() + L"\\*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    ::FindClose(search);
    return true;
  }

  TestFolder folder;
  std::string saved;
  std::optional<Orvane> app;
  HANDLE other = INVALID_HANDLE_VALUE;
};

TEST_F(SettingsErrors, AFileThatCannotBeReplacedAsksWhetherToCloseWithoutSaving) {
  // The program writes a new file beside the old one and moves it into its
  // place. Another program reading the old file, without letting it be
  // deleted, blocks that move on Windows and under Wine alike. Read-only
  // attributes would not: Windows ignores one on a folder, and under Wine,
  // run as root, neither a read-only file nor a read-only folder stops a write.
  ASSERT_TRUE(Hold(GENERIC_READ, FILE_SHARE_READ));
  HWND box = CloseFailing();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Orvane::Title(box), L"Orvane");
  std::wstring message = Orvane::DialogText(box);
  EXPECT_TRUE(StartsWith(message, L"Cannot create file \"" + Path() + L"\". ")) << testing::PrintToString(message);
  EXPECT_TRUE(message.ends_with(L".\r\n\r\n" + std::wstring(kCloseWithoutSaving))) << testing::PrintToString(message);

  // No: the window stays, with nothing lost.
  EXPECT_TRUE(Orvane::Answer(box, IDNO));
  app->Sync();
  EXPECT_TRUE(app->Running()) << "the window stays open";
  EXPECT_TRUE(::IsWindowVisible(app->Window()));
  EXPECT_EQ(app->Text(), L"changed") << "nothing the user typed is lost";
  EXPECT_EQ(ReadFileBytes(Path()), saved) << "the old file is untouched";
  EXPECT_FALSE(TemporaryFilesLeft());

  // Log-off is never held up, and asks nothing.
  DWORD_PTR answer = FALSE;
  ASSERT_TRUE(::SendMessageTimeoutW(app->Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                                    &answer));
  EXPECT_EQ(answer, static_cast<DWORD_PTR>(TRUE));
  EXPECT_TRUE(app->Dialogs().empty());

  // Yes: the window closes, and the old file stays as it was.
  box = CloseFailing();
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(Orvane::Answer(box, IDYES));
  EXPECT_TRUE(WaitUntil([&] { return !app->Running(); }, 10s)) << "closed without saving";
  EXPECT_EQ(ReadFileBytes(Path()), saved);
  EXPECT_FALSE(TemporaryFilesLeft());
}

TEST_F(SettingsErrors, AFileAnotherProgramHoldsOpenForWritingIsReportedAndTheWindowCanStay) {
  // Another program's handle with write access; the save reads the old file
  // only beside other readers, so its open fails.
  ASSERT_TRUE(Hold(GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE));
  HWND box = CloseFailing();
  ASSERT_NE(box, nullptr);
  EXPECT_EQ(Orvane::Title(box), L"Orvane");
  std::wstring message = Orvane::DialogText(box);
  EXPECT_TRUE(StartsWith(message, L"Cannot open file \"" + Path() + L"\". ")) << testing::PrintToString(message);
  EXPECT_TRUE(Orvane::Answer(box, IDNO));
  app->Sync();
  EXPECT_TRUE(app->Running()) << "the window stays open";
  EXPECT_EQ(app->Text(), L"changed");
  Release();
  EXPECT_EQ(ReadFileBytes(Path()), saved);
  EXPECT_FALSE(TemporaryFilesLeft());

  // Once the other program lets go, closing saves.
  ASSERT_TRUE(app->Close());
  EXPECT_EQ(ReadSettings(folder.Path()).Value(L"OPTION", L"Text"), L"changed");
}

TEST(SettingsErrorsAtStart, AColourThatIsNoNumberStopsTheRestOfStartUp) {
  TestFolder folder;
  ASSERT_TRUE(CloseAFirstStart(folder));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontColor", L"red"));
  ASSERT_TRUE(WriteSetting(folder.Path(), L"OPTION", L"FontName", L"ＭＳ ゴシック"));

  Orvane app({.waitUntilVisible = false, .folder = folder.Path()});
  ASSERT_TRUE(app.Running());
  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(boxes = app.Dialogs()).empty(); }, 10s));
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(Orvane::Title(boxes.front()), L"Orvane");
  EXPECT_EQ(Orvane::DialogText(boxes.front()), L"'red' is not a valid integer value.");
  ASSERT_TRUE(Orvane::PressOk(boxes.front()));
  ASSERT_TRUE(app.WaitUntilVisible());

  // A key is taken only after every message posted before it: once it shows,
  // the system-menu item would be there if start-up had gone on.
  ASSERT_TRUE(app.Activate());
  app.Type(L"x");
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"x"; }));
  EXPECT_EQ(SystemMenuItems(app.Window()), 0);
  EXPECT_TRUE(app.Dialogs().empty());
  // What was read before the bad colour stays: the face.
  EXPECT_TRUE(WaitUntil([&] { return app.Caption().ends_with(L" ＭＳ ゴシック"); }))
      << testing::PrintToString(app.Caption());

  // The rest of start-up stays skipped, but the window refits as ever.
  ASSERT_TRUE(app.ResizeClientTo(500, 240));
  EXPECT_TRUE(WaitUntil([&] { return app.Caption() == L"x 500 x 240 ＭＳ ゴシック"; }))
      << testing::PrintToString(app.Caption());
}

// ---- A taskbar at the top ---------------------------------------------------------

// The work area starts below the screen's top. Set inside the program's
// process through the probe: under Wine the setting holds for the calling
// process only; on Windows it is the system's, and is put back at the end.
class SettingsTopTaskbar : public ::testing::Test {
 protected:
  void SetUp() override { original = WorkArea(); }
  void TearDown() override { ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &original, SPIF_SENDCHANGE); }
  RECT original{};
};

TEST_F(SettingsTopTaskbar, AWindowClosedInFullScreenComesBackWhereItWas) {
  TestFolder folder;
  const RECT moved{300, 200, 1000, 600};
  {
    Orvane app({.folder = folder.Path()});
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.WaitForStartUp());
    ASSERT_EQ(SetProgramWorkArea(app.Window(), 40).top, 40) << "the program sees a taskbar at the top";
    ::SetWindowPos(app.Window(), nullptr, moved.left, moved.top, moved.right - moved.left, moved.bottom - moved.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return Same(app.WindowRect(), moved); })) << ToString(app.WindowRect());
    ASSERT_TRUE(app.Activate());
    app.PressKey(VK_SPACE, Orvane::kCtrl);
    RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ASSERT_TRUE(WaitUntil([&] { return Same(app.WindowRect(), screen); }));
    ASSERT_TRUE(app.Close());
  }
  Orvane app({.folder = folder.Path()});
  ASSERT_TRUE(app.Started());
  EXPECT_TRUE(::IsZoomed(app.Window()));
  ASSERT_TRUE(app.WaitForStartUp());
  EXPECT_TRUE(RestoresTo(app, moved)) << "not moved by the taskbar's thickness";
}

// ---- Two copies in one folder ----------------------------------------------------

TEST(SettingsTwoCopies, ClosingAtTheSameMomentLeavesOneWholeFileOfOneCopy) {
  TestFolder folder;
  const RECT placeA{20, 30, 620, 330};
  const RECT placeB{700, 400, 1100, 640};
  for (int round = 0; round < 20; ++round) {
    SCOPED_TRACE("round " + std::to_string(round));
    // Texts of this round only: a file left from an earlier round is caught too.
    const std::wstring textA = L"a" + std::to_wstring(round);
    const std::wstring textB = L"b" + std::to_wstring(round);
    // Each start finished before the next, so that no late activation of one
    // takes the keys typed into the other.
    Orvane a({.folder = folder.Path()});
    ASSERT_TRUE(a.Started() && a.WaitForStartUp());
    Orvane b({.folder = folder.Path()});
    ASSERT_TRUE(b.Started() && b.WaitForStartUp());
    for (auto [app, text, place] : {std::tuple{&b, textB, placeB}, std::tuple{&a, textA, placeA}}) {
      ::SetWindowPos(app->Window(), nullptr, place.left, place.top, place.right - place.left,
                     place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
      ASSERT_TRUE(app->Activate());
      app->SelectAll();
      ASSERT_EQ(app->Selection(), (std::pair{0, static_cast<int>(app->Text().size())}));
      app->Type(text);
      // Typed keys reach the window that is in front when they arrive.
      ASSERT_TRUE(WaitUntil([&] { return app->Text() == text; })) << testing::PrintToString(app->Text());
    }
    ASSERT_TRUE(WaitUntil([&] { return Same(a.WindowRect(), placeA) && Same(b.WindowRect(), placeB); }));

    ::PostMessageW(a.Window(), WM_CLOSE, 0, 0);
    ::PostMessageW(b.Window(), WM_CLOSE, 0, 0);
    bool ended = WaitUntil([&] { return !a.Running() && !b.Running(); }, 10s);
    for (Orvane* app : {&a, &b}) {
      for (HWND box : app->Dialogs()) ADD_FAILURE() << testing::PrintToString(Orvane::DialogText(box));
    }
    ASSERT_TRUE(ended) << "both copies end";

    SettingsFile file = ReadSettings(folder.Path());
    ASSERT_TRUE(file.wellFormed);
    ASSERT_EQ(file.Names(), (std::vector<std::wstring>{L"PROGRAM", L"POSITION", L"OPTION"}));
    std::optional<std::wstring> text = file.Value(L"OPTION", L"Text");
    ASSERT_TRUE(text == textA || text == textB) << testing::PrintToString(text.value_or(L"(none)"));
    const RECT& place = text == textA ? placeA : placeB;
    EXPECT_TRUE(Same(file.Bounds(), place)) << "the text of one copy, the place of another: "
                                            << ToString(file.Bounds());
    EXPECT_EQ(file.Lines(L"PROGRAM")->size(), 4u);
    EXPECT_EQ(file.Lines(L"POSITION")->size(), 9u);
    EXPECT_EQ(file.Lines(L"OPTION")->size(), 6u);
    if (HasFailure()) break;
  }
  EXPECT_EQ(ReadSettings(folder.Path()).sections.size(), 3u);
}

}  // namespace
}  // namespace e2e
