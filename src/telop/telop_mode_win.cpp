// Telop mode: the borderless, colour-keyed caption drifting over the desktop.

#include "app/main_window_win.h"
#include "telop/telop_motion.h"

namespace orvane {
namespace {

RECT WorkArea() {
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

void MoveTo(HWND hwnd, int left, int top) {
  ::SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// No program holds the activation: the desktop has it, or nothing does.
bool NobodyActive() {
  HWND active = ::GetForegroundWindow();
  return !active || active == ::GetDesktopWindow() || active == ::GetShellWindow();
}

}  // namespace

void TForm1::OrvaneFloat1Click() {
  HWND edit = Edit1.hwnd();
  // A whole-text selection would show the background highlighted.
  if (selectAll_ && Edit1.TextLength() > 0) SelectAll1Click();
  if (!telop_) {
    telop_ = true;
    SetSizable(false);
    ::SetTimer(hwnd_, kTimer1, 20, nullptr);
    ::SetTimer(hwnd_, kTimer2, 60000, nullptr);
    savedBackColor_ = backColor_;
    // Keyed on the colour actually drawn: a system colour's index, nudged,
    // would name another system colour, possibly the text's own.
    SetColors(font_.color, KeyColorFor(ToColorRef(font_.color)));
    SetWindowColor(backColor_);
    SetColorKey(true);
    telopDirection_ = random_.Next(kHeadings);
    telopActivation_ = {};
    ::HideCaret(edit);
  } else {
    telop_ = false;
    SetSizable(true);  // also brings the system-menu item back
    ::KillTimer(hwnd_, kTimer1);
    ::KillTimer(hwnd_, kTimer2);
    SetColors(font_.color, savedBackColor_);
    SetWindowColor(backColor_);
    SetColorKey(false);
    PullIntoMotionBox();
  }
  // Edit1's WM_SETCURSOR picks the hand while telop_ is set; a cursor already
  // over the text changes at once, not at the next mouse move.
  POINT cursor{};
  if (::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == edit) {
    ::SetCursor(::LoadCursorW(nullptr, telop_ ? IDC_HAND : IDC_IBEAM));
  }
  ProcessMessages(*this);
}

void TForm1::SetColorKey(bool on) {
  LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (on) {
    colorKey_ = true;
    if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(hwnd_, ToColorRef(windowColor_), 255, LWA_COLORKEY);
  } else {
    colorKey_ = false;
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
}

void TForm1::PullIntoMotionBox() {
  RECT work = WorkArea();
  const int W = work.right - work.left;
  const int H = work.bottom - work.top;
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  if (r.left < 0) MoveTo(hwnd_, 0, r.top);
  ::GetWindowRect(hwnd_, &r);
  if (r.right > W) MoveTo(hwnd_, W - (r.right - r.left), r.top);
  ::GetWindowRect(hwnd_, &r);
  if (r.top < 0) MoveTo(hwnd_, r.left, 0);
  ::GetWindowRect(hwnd_, &r);
  if (r.bottom > H) MoveTo(hwnd_, r.left, H - (r.bottom - r.top));
}

void TForm1::Timer1Timer() {
  if (::GetFocus() == Edit1.hwnd()) ::HideCaret(Edit1.hwnd());
  // A full-screen caption holds still: one step off the screen's corner and
  // the window no longer counts as full screen, so Escape would skip that state.
  if (fullScreen_) return;
  RECT work = WorkArea();
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  TelopStep step = MotionStep(telopDirection_, {r.left, r.top, r.right - r.left, r.bottom - r.top},
                              work.right - work.left, work.bottom - work.top, random_);
  telopDirection_ = step.heading;
  int left = r.left;
  int top = r.top;
  for (int i = 0; i < step.moveCount; ++i) {
    const TelopMove& move = step.moves[i];
    int& coordinate = move.axis == TelopMove::Axis::Left ? left : top;
    if (coordinate == move.value) continue;  // a zero step moves nothing
    coordinate = move.value;
    MoveTo(hwnd_, left, top);
  }
  // Escape and Ctrl+Enter must reach the caption again once it is back.
  ::GetWindowRect(hwnd_, &r);
  bool onScreen = ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
  if (telopActivation_.AfterStep(onScreen, ::GetForegroundWindow() == hwnd_, NobodyActive())) {
    ::SetForegroundWindow(hwnd_);
    ::SetFocus(Edit1.hwnd());
    ::HideCaret(Edit1.hwnd());
  }
}

void TForm1::Timer2Timer() {
  telopDirection_ = Turn(telopDirection_, random_);
  ::HideCaret(Edit1.hwnd());
}

}  // namespace orvane
