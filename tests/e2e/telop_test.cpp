// Telop mode: the text alone drifts over the desktop, frame and background
// gone, until Ctrl+Enter or Escape brings the window back into the work area.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <thread>
#include <vector>

#include "driver.h"
#include "menu_reader.h"

namespace e2e {
namespace {

// The colour keyed out: the text colour nudged by one in its low bits.
COLORREF KeyColourFor(COLORREF text) { return text % 16 < 8 ? text + 1 : text - 1; }

// A plain window of one colour just behind the program's: the desktop the
// caption floats over, the same whatever wallpaper the machine has.
constexpr COLORREF kBackdrop = RGB(40, 150, 90);

class Backdrop {
 public:
  Backdrop() {
    thread_ = std::thread([this] { Run(); });
    WaitUntil([&] { return ready_.load(); });
  }
  ~Backdrop() {
    if (window_) ::PostMessageW(window_, WM_CLOSE, 0, 0);
    thread_.join();
  }
  Backdrop(const Backdrop&) = delete;
  Backdrop& operator=(const Backdrop&) = delete;

  [[nodiscard]] HWND Window() const { return window_; }
  // Right below the window, covering the work area.
  // OPAQUE: the window covers its middle (not yet see-through).
  bool PutBehind(HWND window, bool opaque = true) const {
    RECT work = WorkArea();
    ::SetWindowPos(window_, window, work.left, work.top, work.right - work.left, work.bottom - work.top,
                   SWP_NOACTIVATE | SWP_SHOWWINDOW);
    // Wine restacks a window on screen only when its own process moves it,
    // and the X server may map the backdrop after that: raised until seen.
    RECT r{};
    ::GetWindowRect(window, &r);
    RECT middle{(r.left + r.right) / 2, (r.top + r.bottom) / 2, 0, 0};
    middle.right = middle.left + 1;
    middle.bottom = middle.top + 1;
    // ...and the backdrop itself seen beside it: until it is painted, the
    // desktop shows there and would pass for the window's own pixels.
    RECT beside{work.left + 2, work.top + 2, 0, 0};
    if (beside.left >= r.left && beside.left < r.right && beside.top >= r.top && beside.top < r.bottom) {
      beside.top = work.bottom - 3;
    }
    beside.right = beside.left + 1;
    beside.bottom = beside.top + 1;
    return WaitUntil([&] {
      ::SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      return (!opaque || CaptureScreen(middle).At(0, 0) != ToPixel(kBackdrop)) &&
             CaptureScreen(beside).At(0, 0) == ToPixel(kBackdrop);
    });
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) ::PostQuitMessage(0);
    if (message == WM_MOUSEACTIVATE) return MA_NOACTIVATE;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  void Run() {
    static const ATOM kClass = [] {
      WNDCLASSW wc{};
      wc.lpfnWndProc = Proc;
      wc.hInstance = ::GetModuleHandleW(nullptr);
      wc.hbrBackground = ::CreateSolidBrush(kBackdrop);
      wc.lpszClassName = L"OrvaneE2EBackdrop";
      return ::RegisterClassW(&wc);
    }();
    window_ = ::CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, MAKEINTATOM(kClass), L"", WS_POPUP,
                                0, 0, 0, 0, nullptr, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ready_ = true;
    if (!window_) return;
    MSG message;
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  }

  std::thread thread_;
  std::atomic<bool> ready_{false};
  HWND window_ = nullptr;
};

class Telop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(app.Started());
    ASSERT_TRUE(app.Activate());
    ASSERT_TRUE(app.WaitForStartUp());
  }

  [[nodiscard]] bool Layered() const { return (ExStyle() & WS_EX_LAYERED) != 0; }
  [[nodiscard]] LONG_PTR Style() const { return ::GetWindowLongPtrW(app.Window(), GWL_STYLE); }
  [[nodiscard]] LONG_PTR ExStyle() const { return ::GetWindowLongPtrW(app.Window(), GWL_EXSTYLE); }
  [[nodiscard]] RECT Rect() const { return app.WindowRect(); }

  // Ctrl+Enter, as the user switches it on or off.
  bool ToggleTelop() {
    bool was = Layered();
    app.PressKey(VK_RETURN, Orvane::kCtrl);
    if (!WaitUntil([&] { return Layered() != was; })) return false;
    // The toggle has returned once the program waits for input again: a
    // Ctrl+Enter arriving while it runs is the same command again, dropped.
    ::WaitForInputIdle(app.Process(), 5000);
    return true;
  }

  // The window's area on screen, taken while the window held still.
  Image CaptureWindow(RECT* where = nullptr) {
    Image shot;
    RECT at{};
    WaitUntil([&] {
      at = Rect();
      shot = CaptureScreen(at);
      return Same(at, Rect());
    });
    if (where) *where = at;
    return shot;
  }

  // Small and centred in the work area: a long way from every edge.
  void PlaceInTheMiddle(int width, int height) {
    RECT work = WorkArea();
    RECT want{(work.left + work.right - width) / 2, (work.top + work.bottom - height) / 2, 0, 0};
    want.right = want.left + width;
    want.bottom = want.top + height;
    ::SetWindowPos(app.Window(), nullptr, want.left, want.top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return Same(Rect(), want); })) << ToString(Rect());
    app.Sync();
  }

  // Shift+F10, the keyboard's way to the context menu; key-coloured pixels
  // let the mouse through to the desktop, so a right click must hit ink.
  std::vector<MenuLine> OpenMenuFromKeyboard() {
    app.PressKey(VK_F10, Orvane::kShift);
    EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() != nullptr; })) << "no menu opened";
    return ReadOpenMenu();
  }
  void CloseMenu() {
    if (!OpenMenuWindow()) return;
    app.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
  }
  void TearDown() override { CloseMenu(); }

  Orvane app;
};

const MenuLine* Find(const std::vector<MenuLine>& menu, std::wstring_view caption) {
  for (const MenuLine& line : menu) {
    if (line.Caption() == caption) return &line;
  }
  return nullptr;
}

// ---- Entering ---------------------------------------------------------------

TEST_F(Telop, CtrlEnterLeavesOnlyTheInkOverTheDesktop) {
  Backdrop desktop;
  ASSERT_NE(desktop.Window(), nullptr);
  // Far from every edge, so the caption is still wholly on the screen when
  // its picture is taken.
  PlaceInTheMiddle(480, 270);
  ASSERT_TRUE(desktop.PutBehind(app.Window())) << "the backdrop shows beside the window";
  ASSERT_TRUE(app.Activate());

  ASSERT_TRUE(ToggleTelop());
  app.Sync();
  // Wine may restack the caption's new layered window above the backdrop's
  // place, leaving the black virtual desktop right behind it: put back.
  ASSERT_TRUE(desktop.PutBehind(app.Window(), false)) << "the backdrop shows beside the caption";
  EXPECT_EQ(Style() & WS_CAPTION, 0) << "no frame";
  EXPECT_NE(Style() & WS_POPUP, 0);

  COLORREF key = 0;
  BYTE alpha = 0;
  DWORD flags = 0;
  ASSERT_TRUE(::GetLayeredWindowAttributes(app.Window(), &key, &alpha, &flags));
  EXPECT_NE(flags & LWA_COLORKEY, 0u);
  EXPECT_EQ(key, KeyColourFor(::GetSysColor(COLOR_WINDOWTEXT)));
  EXPECT_EQ(key, RGB(1, 0, 0)) << "black text";

  // Every pixel is either the desktop behind or the text's ink; the
  // background, its border and the caret are gone.
  Image shot;
  int ink = 0, desktopPixels = 0, keyed = 0, other = 0;
  const std::uint32_t kKeyPixel = ToPixel(key);
  WaitUntil([&] {
    shot = CaptureWindow();
    ink = desktopPixels = keyed = other = 0;
    for (std::uint32_t pixel : shot.pixels) {
      if (pixel == ToPixel(kBackdrop)) ++desktopPixels;
      else if (pixel == kKeyPixel) ++keyed;
      else if (IsInk(pixel)) ++ink;
      else ++other;
    }
    return keyed == 0 && other == 0 && ink > 0 && desktopPixels > ink;
  });
  KeepShot(shot, "telop");
  int area = shot.width * shot.height;
  EXPECT_EQ(keyed, 0) << "the key colour is never seen";
  EXPECT_EQ(other, 0) << "no white, no frame";
  EXPECT_GT(ink, area / 50) << "the characters stay, in black";
  EXPECT_GT(desktopPixels, area / 2) << "the desktop shows through";
}

TEST_F(Telop, EnteringWithTheWholeTextSelectedPutsTheCaretAtTheEnd) {
  app.SelectAll();
  ASSERT_EQ(app.Selection(), (std::pair{0, 6}));
  ASSERT_TRUE(ToggleTelop());
  EXPECT_EQ(app.Selection(), (std::pair{6, 6})) << "no highlighted background over the desktop";
  EXPECT_EQ(app.Text(), L"Orvane") << "Ctrl+Enter typed nothing";
}

// Wherever the window stands, the caret stays where it was: the whole text is
// never left selected, so the next key adds to the text instead of replacing it.
TEST_F(Telop, EnteringAtEachCornerKeepsTheCaretWithoutASelection) {
  std::wstring text = L"Edge select";
  app.SelectAll();
  app.Type(text);
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == text; }));
  RECT work = WorkArea();
  RECT r = Rect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  const POINT corners[] = {{work.left, work.top},
                           {work.right - w, work.top},
                           {work.left, work.bottom - h},
                           {work.right - w, work.bottom - h}};
  for (POINT at : corners) {
    SCOPED_TRACE(std::to_string(at.x) + ", " + std::to_string(at.y));
    ::SetWindowPos(app.Window(), nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return Rect().left == at.x && Rect().top == at.y; }));
    ASSERT_TRUE(app.Activate());
    app.PressKey(VK_END);
    const int n = static_cast<int>(text.size());
    ASSERT_TRUE(WaitUntil([&] { return app.Selection() == std::pair{n, n}; }));

    ASSERT_TRUE(ToggleTelop());
    // A few motion steps, out across the edges or along them.
    const RECT entered = Rect();
    ASSERT_TRUE(WaitUntil([&] {
      RECT now = Rect();
      return std::abs(now.left - entered.left) + std::abs(now.top - entered.top) >= 4;
    }));
    EXPECT_EQ(app.Selection(), (std::pair{n, n})) << "only the caret, at the end";
    app.Type(L"Z");
    text += L"Z";
    EXPECT_TRUE(WaitUntil([&] { return app.Text() == text; })) << testing::PrintToString(app.Text());
    ASSERT_TRUE(ToggleTelop());
  }
}

TEST_F(Telop, BlankTextCannotFloat) {
  app.PressKey(VK_DELETE);  // the whole text is selected at the first start
  ASSERT_TRUE(WaitUntil([&] { return app.Text().empty(); }));
  app.Type(L"   ");
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == L"   "; }));
  app.PressKey(VK_RETURN, Orvane::kCtrl);
  app.Sync();
  EXPECT_FALSE(Layered());
  EXPECT_NE(Style() & WS_CAPTION, 0);
}

// ---- Drifting ---------------------------------------------------------------

TEST_F(Telop, DriftsInAStraightLineAtAboutFiftyPixelsASecond) {
  PlaceInTheMiddle(400, 200);
  RECT start = Rect();
  ASSERT_TRUE(ToggleTelop());

  struct Sample {
    Clock::time_point at;
    RECT rect;
  };
  std::vector<Sample> samples;
  WaitUntil([&] {
    samples.push_back({Clock::now(), Rect()});
    return samples.back().at - samples.front().at >= 2s;
  }, 10s);
  ASSERT_GE(samples.size(), 2u);

  const Sample& first = samples.front();
  const Sample& last = samples.back();
  double seconds = std::chrono::duration<double>(last.at - first.at).count();
  int dx = last.rect.left - first.rect.left;
  int dy = last.rect.top - first.rect.top;
  std::printf("    drift over %.2f s: %d, %d px from %s (started at %s)\n", seconds, dx, dy,
              ToString(first.rect).c_str(), ToString(start).c_str());
  EXPECT_TRUE(dx != 0 || dy != 0) << "the window drifts";
  // A moving axis goes about 50 px/s (1 px every 20 ms); the other stays put.
  for (int delta : {dx, dy}) {
    if (delta == 0) continue;
    double speed = std::abs(delta) / seconds;
    EXPECT_GT(speed, 25.0);
    EXPECT_LT(speed, 75.0);
  }
  // Far from the edges nothing turns it: each axis keeps its direction.
  for (std::size_t i = 1; i < samples.size(); ++i) {
    const RECT& a = samples[i - 1].rect;
    const RECT& b = samples[i].rect;
    EXPECT_GE((b.left - a.left) * (dx < 0 ? -1 : 1), 0) << "sample " << i;
    EXPECT_GE((b.top - a.top) * (dy < 0 ? -1 : 1), 0) << "sample " << i;
    if (dx == 0) {
      EXPECT_EQ(b.left, a.left);
    }
    if (dy == 0) {
      EXPECT_EQ(b.top, a.top);
    }
    EXPECT_EQ(b.right - b.left, 400) << "the size stays";
    EXPECT_EQ(b.bottom - b.top, 200);
  }
}

// ---- The menu ---------------------------------------------------------------

TEST_F(Telop, MenuGreysWhatAFloatingCaptionCannotDoAndOffersReturn) {
  const wchar_t* const kGrey[] = {L"クリアして入力", L"背景色...", L"入替え", L"画像をコピー",
                                  L"画像で保存..."};
  std::vector<MenuLine> menu = OpenMenuFromKeyboard();
  for (const wchar_t* caption : kGrey) {
    const MenuLine* line = Find(menu, caption);
    ASSERT_NE(line, nullptr) << caption;
    EXPECT_FALSE(line->Grey()) << "before: " << testing::PrintToString(std::wstring(caption));
  }
  ASSERT_NE(Find(menu, L"終了"), nullptr);
  CloseMenu();

  ASSERT_TRUE(ToggleTelop());
  menu = OpenMenuFromKeyboard();
  for (const wchar_t* caption : kGrey) {
    const MenuLine* line = Find(menu, caption);
    ASSERT_NE(line, nullptr) << caption;
    EXPECT_TRUE(line->Grey()) << testing::PrintToString(std::wstring(caption));
  }
  const MenuLine* telop = Find(menu, L"テロップ表示");
  ASSERT_NE(telop, nullptr);
  EXPECT_TRUE(telop->Checked());
  EXPECT_FALSE(telop->Grey()) << "the way back stays open";
  EXPECT_EQ(Find(menu, L"終了"), nullptr);
  const MenuLine* back = Find(menu, L"復帰");
  ASSERT_NE(back, nullptr);
  EXPECT_FALSE(back->Grey());
  EXPECT_EQ(back->Shortcut(), L"Esc");
  CloseMenu();
  EXPECT_TRUE(Layered()) << "closing the menu leaves telop mode on";
}

// ---- Leaving ----------------------------------------------------------------

TEST_F(Telop, EscapeBringsTheFrameBackAndPullsTheWindowInsideTheRightEdge) {
  ASSERT_TRUE(ToggleTelop());
  // Hung 100 px past the right edge, far from the others: the drift cannot
  // bring it back inside before the key arrives.
  RECT work = WorkArea();
  const int W = work.right - work.left, H = work.bottom - work.top;
  RECT r = Rect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  ASSERT_LT(h + 200, H);
  ::SetWindowPos(app.Window(), nullptr, W + 100 - w, (H - h) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Rect().right > W + 50; }));

  app.PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] { return !Layered(); }));
  app.Sync();
  RECT after = Rect();
  EXPECT_EQ(after.right, W) << ToString(after);
  EXPECT_EQ(after.right - after.left, w) << "the size stays";
  EXPECT_EQ(after.bottom - after.top, h);
  EXPECT_GT(after.top, 0);
  EXPECT_LT(after.bottom, H);
  EXPECT_NE(Style() & WS_CAPTION, 0) << "the frame is back";
  EXPECT_TRUE(app.Running()) << "Escape only left telop mode";
  // The drift has stopped: the window stays where it was put.
  EXPECT_FALSE(WaitUntil([&] { return !Same(Rect(), after); }, 300ms)) << ToString(Rect());
}

TEST_F(Telop, CtrlEnterPullsAWindowPastTheBottomLeftCornerInside) {
  ASSERT_TRUE(ToggleTelop());
  RECT work = WorkArea();
  const int H = work.bottom - work.top;
  RECT r = Rect();
  const int w = r.right - r.left, h = r.bottom - r.top;
  ::SetWindowPos(app.Window(), nullptr, -100, H + 100 - h, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return Rect().left < -50 && Rect().bottom > H + 50; }));

  ASSERT_TRUE(ToggleTelop());
  app.Sync();
  RECT after = Rect();
  EXPECT_EQ(after.left, 0) << ToString(after);
  EXPECT_EQ(after.top, H - h) << ToString(after);
  EXPECT_EQ(after.right - after.left, w);
}

// Some window systems hand the activation to the desktop while a window is
// wholly off the screen (Wine outside a virtual desktop); the test does the
// same the moment the caption is out of sight. Back on the screen, the caption
// takes the keys again.
TEST_F(Telop, EscapeStillLeavesAfterTheCaptionWrappedAcrossTheScreen) {
  PlaceInTheMiddle(400, 200);
  ASSERT_TRUE(ToggleTelop());
  RECT work = WorkArea();
  const int W = work.right - work.left, H = work.bottom - work.top;
  const int w = 400, h = 200;
  const RECT start = Rect();
  ASSERT_TRUE(WaitUntil([&] { return !Same(Rect(), start); }));
  ASSERT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app.Window(); }))
      << "active before the wrap, foreground " << ::GetForegroundWindow();
  const RECT moved = Rect();
  const int dx = (moved.left > start.left) - (moved.left < start.left);
  const int dy = (moved.top > start.top) - (moved.top < start.top);
  auto outOfSight = [&] {
    RECT now = Rect();
    return ::MonitorFromRect(&now, MONITOR_DEFAULTTONULL) == nullptr;
  };

  bool handedOver = false;
  for (int attempt = 0; attempt < 3 && !handedOver; ++attempt) {
    // Two pixels short of leaving on the side it heads for: it wraps at once.
    RECT r = Rect();
    int x = r.left, y = r.top;
    if (dx > 0) x = W - 2;
    else if (dx < 0) x = -w + 2;
    else if (dy > 0) y = H - 2;
    else y = -h + 2;
    ::SetWindowPos(app.Window(), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    handedOver = WaitUntil([&] {
      if (!outOfSight()) return false;
      ::SetForegroundWindow(::GetDesktopWindow());
      return true;
    }, 3s);
  }
  ASSERT_TRUE(handedOver) << "the caption never left the screen: " << ToString(Rect());
  ASSERT_TRUE(WaitUntil([&] { return !outOfSight(); })) << "it comes back on the other side";
  RECT back = Rect();
  if (dx != 0) {
    EXPECT_TRUE(dx > 0 ? back.left < 0 : back.right > W) << "wrapped: " << ToString(back);
  }
  EXPECT_TRUE(WaitUntil([&] { return ::GetForegroundWindow() == app.Window(); }))
      << "active again, foreground " << ::GetForegroundWindow();
  EXPECT_EQ(app.Selection(), (std::pair{6, 6})) << "the caret where entering put it, nothing selected";

  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !Layered(); })) << "Escape left telop mode";
  EXPECT_TRUE(app.Running());
}

TEST_F(Telop, LeavingRestoresTheWhiteBackgroundItsBorderAndTheSystemMenuItemEveryTime) {
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    ASSERT_TRUE(ToggleTelop());
    app.Sync();
    EXPECT_EQ(SystemMenuItems(app.Window()), 0) << "no frame, no system menu item";
    ASSERT_TRUE(ToggleTelop());
    app.Sync();

    EXPECT_NE(Style() & WS_CAPTION, 0);
    EXPECT_EQ(ExStyle() & WS_EX_LAYERED, 0);
    EXPECT_EQ(SystemMenuItems(app.Window()), 1) << "the program's item, once";

    Image client = app.CaptureSettled();
    KeepShot(client, "after-round-" + std::to_string(round));
    int area = client.width * client.height;
    EXPECT_GT(CountPixels(client, 0xFFFFFF), area / 2) << "white again";
    EXPECT_EQ(CountPixels(client, ToPixel(RGB(1, 0, 0))), 0) << "no key colour left";
    EXPECT_GT(static_cast<int>(std::count_if(client.pixels.begin(), client.pixels.end(), IsInk)), area / 100);

    // The inner border, just outside the client area, has the background's colour.
    RECT inner = app.ClientOnScreen();
    const int border = ::MulDiv(3, static_cast<int>(::GetDpiForWindow(app.Window())), 96);
    RECT ring = inner;
    ::InflateRect(&ring, border, border);
    Image frame = CaptureScreen(ring);
    int off = 0;
    for (int y = 0; y < frame.height; ++y) {
      for (int x = 0; x < frame.width; ++x) {
        bool inside = x >= border && x < frame.width - border && y >= border && y < frame.height - border;
        if (!inside && frame.At(x, y) != 0xFFFFFF) ++off;
      }
    }
    KeepShot(frame, "border-round-" + std::to_string(round));
    EXPECT_EQ(off, 0) << "border pixels that are not white";
  }
}

TEST_F(Telop, EscapeLeavesFullScreenFirstThenTelopThenCloses) {
  RECT before = Rect();
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  app.PressKey(VK_SPACE, Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return Same(screen, Rect()); }));
  ASSERT_TRUE(ToggleTelop());
  // A step off the screen's corner would make it no longer full screen.
  EXPECT_FALSE(WaitUntil([&] { return !Same(screen, Rect()); }, 300ms))
      << "a full-screen caption stays put: " << ToString(Rect());

  app.PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitUntil([&] {
    RECT r = Rect();
    return r.right - r.left == before.right - before.left && r.bottom - r.top == before.bottom - before.top;
  })) << "the first Escape gives back the size before full screen: " << ToString(Rect());
  app.Sync();
  EXPECT_TRUE(Layered()) << "and stays in telop mode";
  EXPECT_TRUE(app.Running());

  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !Layered(); })) << "the second leaves telop mode";
  app.Sync();
  EXPECT_TRUE(app.Running());

  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !app.Running(); }, 10s)) << "the third closes";
}

// ---- Long lines -------------------------------------------------------------

// Under Wine the colour key makes the window an X shape out of its picture,
// which the X library cannot send for a long line at full screen: the caption
// then shows on the background it had, and the program lives on.
TEST_F(Telop, ALongLineAtFullScreenFloatsTakesKeysAndZoomsAndComesBackWhole) {
  std::wstring text;
  while (text.size() < 200) text += L"本日休業のお知らせ";
  text.resize(200);
  app.SelectAll();
  app.Type(text);
  ASSERT_TRUE(WaitUntil([&] { return app.Text() == text; }, 20s));
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  app.PressKey(VK_SPACE, Orvane::kCtrl);
  ASSERT_TRUE(WaitUntil([&] { return Same(screen, Rect()); })) << ToString(Rect());
  // The strokes' black: what shows through a keyed caption may be dark too.
  auto black = [](std::uint32_t pixel) { return pixel == 0; };
  const Box line = BoxOf(app.CaptureSettled(), black);

  ASSERT_TRUE(ToggleTelop());
  Image shot = app.CaptureSettled();  // a full-screen caption holds still
  ASSERT_TRUE(app.Running()) << "entering";
  KeepShot(shot, "long-line");
  const Box ink = BoxOf(shot, black);
  EXPECT_NEAR(ink.left, line.left, 2) << ToString(ink) << " was " << ToString(line);
  EXPECT_NEAR(ink.right, line.right, 2) << ToString(ink) << " was " << ToString(line);
  if (UnderWine()) {
    const int white = CountPixels(shot, 0xFFFFFF);
    EXPECT_GT(white, 0);
    EXPECT_EQ(CountPixels(shot, 0) + white, shot.width * shot.height) << "no desktop between the strokes";
  }

  app.Type(L"！");
  text += L"！";
  EXPECT_TRUE(WaitUntil([&] { return app.Text() == text || !app.Running(); }));
  ASSERT_TRUE(app.Running()) << "typing";
  // Over a stroke: where the key shows, the wheel would reach the desktop.
  auto stroke = [](const Image& image) {
    POINT at{image.width / 2, image.height / 2};
    while (at.x < image.width - 1 && image.At(at.x, at.y) != 0) ++at.x;
    return at;
  };
  app.Wheel(-3 * WHEEL_DELTA, stroke(shot));
  EXPECT_TRUE(WaitUntil([&] { return !Same(screen, Rect()) || !app.Running(); })) << "zoomed out";
  const RECT smaller = Rect();
  app.Wheel(2 * WHEEL_DELTA, stroke(app.CaptureSettled()));
  EXPECT_TRUE(WaitUntil([&] { return !Same(smaller, Rect()) || !app.Running(); })) << "zoomed in";
  ASSERT_TRUE(app.Running()) << "zooming";

  // Zoomed, the window no longer covers the screen: Escape leaves telop mode.
  app.PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitUntil([&] { return !Layered() || !app.Running(); }));
  app.Sync();
  ASSERT_TRUE(app.Running()) << "leaving";
  EXPECT_NE(Style() & WS_CAPTION, 0) << "the frame is back";
  EXPECT_EQ(app.Text(), text) << "the text whole";
}

}  // namespace
}  // namespace e2e
