// Placing the window: wheel zoom, full screen, centring, stay on top,
// maximize, minimize, and the ways out (Escape, clear-and-exit).

#include <gtest/gtest.h>

#include "driver.h"
#include "menu_reader.h"

namespace e2e {
namespace {

class WindowCommands : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(app.WaitForStartUp());
  }
  RECT Rect() const { return app.WindowRect(); }

  Orvane app;
};

// The zoom as the window should do it: about its centre, 32-bit arithmetic.
RECT Zoomed(RECT r, int percent) {
  int w0 = r.right - r.left, h0 = r.bottom - r.top;
  double ratio = static_cast<double>(h0) / w0;
  int w = static_cast<int>(w0 * percent / 100.0 + 0.5);
  int h = static_cast<int>(w * ratio + 0.5);
  int left = r.left + (w0 - w) / 2, top = r.top + (h0 - h) / 2;
  return {left, top, left + w, top + h};
}

TEST_F(WindowCommands, WheelZoomsByWholeNotchesAboutTheCentre) {
  RECT start = Rect();
  app.Wheel(-120);  // towards the user: smaller
  RECT smaller = Zoomed(start, 99);
  EXPECT_TRUE(WaitUntil([&] { return Same(smaller, Rect()); }));
  app.Wheel(-60);
  app.Sync();
  EXPECT_TRUE(Same(smaller, Rect())) << "half a notch does nothing";
  app.Wheel(-60);
  RECT twice = Zoomed(smaller, 99);
  EXPECT_TRUE(WaitUntil([&] { return Same(twice, Rect()); })) << "two halves make one";
  app.Wheel(120);
  RECT larger = Zoomed(twice, 101);
  EXPECT_TRUE(WaitUntil([&] { return Same(larger, Rect()); }));
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane")) << "the zoom refits";
}

TEST_F(WindowCommands, FullScreenInAndOutRestoresTheBoundsExactly) {
  RECT before = Rect();
  app.PressKey(VK_SPACE, Orvane::kCtrl);
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  ASSERT_TRUE(WaitUntil([&] { return Same(screen, Rect()); }));
  EXPECT_EQ(::GetWindowLongPtrW(app.Window(), GWL_STYLE) & WS_CAPTION, 0) << "no frame";
  EXPECT_EQ(app.Text(), L"Orvane") << "Ctrl+Space typed nothing";
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));

  app.PressKey(VK_SPACE, Orvane::kCtrl);
  EXPECT_TRUE(WaitUntil([&] { return Same(before, Rect()); }));
  EXPECT_FALSE(::IsZoomed(app.Window()));
  EXPECT_NE(::GetWindowLongPtrW(app.Window(), GWL_STYLE) & WS_CAPTION, 0);
  EXPECT_EQ(SystemMenuItems(app.Window()), 1) << "the frame comes back with the program's item, once";
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));
}

TEST_F(WindowCommands, EscapeLeavesFullScreenFirstAndClosesAfter) {
  RECT before = Rect();
  app.PressKey(VK_SPACE, Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return Rect().left == 0 && Rect().top == 0; }));
  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Same(before, Rect()); }));
  app.Sync();
  EXPECT_TRUE(app.Running()) << "the first Escape only leaves full screen";
  EXPECT_EQ(SystemMenuItems(app.Window()), 1);
  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s)) << "the second Escape closes";
}

TEST_F(WindowCommands, CentringUsesTheWorkAreaFromTheScreenOrigin) {
  ::SetWindowPos(app.Window(), nullptr, 17, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"センタリング"}));
  RECT area = WorkArea();
  SIZE work{area.right - area.left, area.bottom - area.top};
  RECT r = Rect();
  int w = r.right - r.left, h = r.bottom - r.top;
  EXPECT_TRUE(WaitUntil([&] { return Rect().left == (work.cx - w) / 2 && Rect().top == (work.cy - h) / 2; }))
      << Rect().left << ", " << Rect().top;
}

TEST_F(WindowCommands, StayOnTopFlipsTheTopmostStyleAndItsMark) {
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"常に手前に表示"}));
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongPtrW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }));
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"常に手前に表示"}));
  EXPECT_TRUE(WaitUntil([&] { return (::GetWindowLongPtrW(app.Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) == 0; }));
}

TEST_F(WindowCommands, MaximizeAndMinimize) {
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"最大化"}));
  EXPECT_TRUE(WaitUntil([&] { return ::IsZoomed(app.Window()) != FALSE; }));
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane")) << "the larger window refits";
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"最大化"}));
  EXPECT_TRUE(WaitUntil([&] { return ::IsZoomed(app.Window()) == FALSE; }));
  ASSERT_TRUE(ChooseFromMenu(app, {L"ウィンドウ設定", L"最小化"}));
  EXPECT_TRUE(WaitUntil([&] { return ::IsIconic(app.Window()) != FALSE; }));
}

TEST_F(WindowCommands, ClearAndExitEndsTheProgramWithAnEmptyText) {
  ASSERT_TRUE(ChooseFromMenu(app, {L"クリアして終了"}));
  ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s));
  SettingsFile file = ReadSettings(app.Folder());
  EXPECT_NE(file.Lines(L"PROGRAM"), nullptr);
  EXPECT_EQ(file.Lines(L"OPTION"), nullptr) << "an empty text saves no options";
  EXPECT_EQ(file.Lines(L"POSITION"), nullptr);
}

TEST_F(WindowCommands, EscapeAfterFullScreenGuessedFromAHandSizedWindowGivesAUsableWindow) {
  // Sized by hand to exactly the screen: the menu takes it for full screen,
  // though nothing was saved to go back to.
  const int width = ::GetSystemMetrics(SM_CXSCREEN), height = ::GetSystemMetrics(SM_CYSCREEN);
  ::SetWindowPos(app.Window(), nullptr, 0, 0, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Rect().right == width && Rect().bottom == height; }));
  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return Rect().right - Rect().left == width / 2; })) << ToString(Rect());
  EXPECT_EQ(Rect().bottom - Rect().top, height / 2) << "the first-start size, not a window of no size";
  app.Sync();
  EXPECT_TRUE(app.Running());
  EXPECT_TRUE(app.WaitForFittedCaption(L"Orvane"));
}

TEST_F(WindowCommands, KeysQueuedBehindACommandRunAfterItInTheirOrder) {
  // Entering telop mode lets pending messages run. The two Escapes queued
  // behind Ctrl+Enter must not run inside it (leaving telop mode and closing
  // the window halfway through entering it) but after it: one leaves telop
  // mode, the next closes, and the settings are saved from a framed window.
  app.PressKeys({{VK_RETURN, Orvane::kCtrl}, {VK_ESCAPE, 0}, {VK_ESCAPE, 0}});
  ASSERT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s));
  DWORD code = 1;
  ::GetExitCodeProcess(app.Process(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ReadSettings(app.Folder()).Value(L"OPTION", L"BackColor"), L"clWhite");
}

}  // namespace
}  // namespace e2e
