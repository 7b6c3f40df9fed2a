// Telop mode: the borderless, colour-keyed caption drifting over the desktop.

#include "app/main_window_win.h"
#include "display/display_modes.h"
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
  // Under X the cursor query is a round trip behind the move: a display that
  // moves a large shaped window slower than the timer then slows the drift,
  // instead of piling up moves that hold every other program up for seconds.
  POINT cursor;
  ::GetCursorPos(&cursor);
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
  const bool entering = !modes_.telop;
  // Keyed on the colour actually drawn: a system colour's index, nudged,
  // would name another system colour, possibly the text's own.
  const TelopChange change = entering ? EnterTelop(modes_, backColor_, KeyColorFor(ToColorRef(font_.color)))
                                      : LeaveTelop(modes_);
  modes_ = change.modes;
  SetSizable(change.sizable);  // sizable again brings the system-menu item back
  if (entering) {
    ::SetTimer(hwnd_, kTimer1, 20, nullptr);
    ::SetTimer(hwnd_, kTimer2, 60000, nullptr);
  } else {
    ::KillTimer(hwnd_, kTimer1);
    ::KillTimer(hwnd_, kTimer2);
  }
  SetColors(font_.color, change.back);
  SetWindowColor(change.window);
  SetColorKey(modes_.colorKey);
  if (entering) {
    telopDirection_ = random_.Next(kHeadings);
    telopActivation_ = {};
    ::HideCaret(edit);
  } else {
    PullIntoMotionBox();
  }
  // Edit1's WM_SETCURSOR picks the hand in telop mode; a cursor already
  // over the text changes at once, not at the next mouse move.
  POINT cursor{};
  if (::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == edit) {
    ::SetCursor(::LoadCursorW(nullptr, modes_.telop ? IDC_HAND : IDC_IBEAM));
  }
  ProcessMessages(*this);
}

void TForm1::SetColorKey(bool on) {
  LONG_PTR exStyle = ::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  if (on) {
    if (!(exStyle & WS_EX_LAYERED)) ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(hwnd_, ToColorRef(windowColor_), 255, LWA_COLORKEY);
  } else {
    ::SetWindowLongPtrW(hwnd_, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
  }
}

void TForm1::PullIntoMotionBox() {
  RECT work = WorkArea();
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  Rect pulled = PullIntoBox({r.left, r.top, r.right, r.bottom}, work.right - work.left, work.bottom - work.top);
  // One move to the final place rather than one per edge: the same rectangle.
  if (pulled.left != r.left || pulled.top != r.top) MoveTo(hwnd_, pulled.left, pulled.top);
}

void TForm1::Timer1Timer() {
  if (::GetFocus() == Edit1.hwnd()) ::HideCaret(Edit1.hwnd());
  // A full-screen caption holds still: one step off the screen's corner and
  // the window no longer counts as full screen, so Escape would skip that state.
  if (modes_.fullScreen) return;
  // Read before the move: the move that takes it off the screen can hand the
  // activation to the desktop at once.
  const bool activeBefore = ::GetForegroundWindow() == hwnd_;
  RECT work = WorkArea();
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  TelopStep step = MotionStep(telopDirection_, {r.left, r.top, r.right - r.left, r.bottom - r.top},
                              work.right - work.left, work.bottom - work.top, random_);
  telopDirection_ = step.heading;
  // One move to the final place per tick, not one per edge: every move of a
  // colour-keyed window makes the X server clip its whole shape again.
  if (step.window.left != r.left || step.window.top != r.top) MoveTo(hwnd_, step.window.left, step.window.top);
  // Escape and Ctrl+Enter must reach the caption again once it is back.
  ::GetWindowRect(hwnd_, &r);
  bool onScreen = ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
  const bool active = ::GetForegroundWindow() == hwnd_ || (!onScreen && activeBefore);
  if (telopActivation_.AfterStep(onScreen, active, NobodyActive())) {
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
