#include "telop/telop_mode_win.h"

#include "display/color_ref_win.h"
#include "display/display_modes.h"
#include "display/stretched_text_win.h"
#include "display/window_placement_win.h"
#include "platform/screen_win.h"
#include "platform/wine_win.h"
#include "telop/keyed_shape.h"

namespace orvane {
namespace {

constexpr UINT_PTR kMotionTimer = 1;  // one step every 20 ms
constexpr UINT_PTR kTurnTimer = 2;    // a turn every minute

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

void TelopMode::Toggle() {
  HWND window = context_.window;
  StretchedText& text = context_.text;
  HWND edit = text.Field().hwnd();
  DisplayModes& modes = context_.modes;
  // A whole-text selection would show the background highlighted.
  if (text.WholeTextSelected() && text.Field().TextLength() > 0) text.ToggleSelectAll();
  const bool entering = !modes.telop;
  // Keyed on the colour actually drawn: a system colour's index, nudged,
  // would name another system colour, possibly the text's own.
  const TelopChange change =
      entering ? EnterTelop(modes, text.BackColor(), KeyColorFor(ToColorRef(text.Font().color)))
               : LeaveTelop(modes);
  modes = change.modes;
  SetSizable(context_, change.sizable);  // sizable again brings the system-menu item back
  if (entering) {
    ::SetTimer(window, kMotionTimer, 20, nullptr);
    ::SetTimer(window, kTurnTimer, 60000, nullptr);
  } else {
    ::KillTimer(window, kMotionTimer);
    ::KillTimer(window, kTurnTimer);
  }
  text.SetColors(text.Font().color, change.back);
  context_.seam.SetWindowColor(change.window);
  SetColorKey(modes.colorKey);
  if (entering) {
    heading_ = context_.random.Next(kHeadings);
    activation_ = {};
    ::HideCaret(edit);
  } else {
    PullIntoMotionBox();
  }
  // The field's WM_SETCURSOR picks the hand in telop mode; a cursor already
  // over the text changes at once, not at the next mouse move.
  POINT cursor{};
  if (::GetCursorPos(&cursor) && ::WindowFromPoint(cursor) == edit) {
    ::SetCursor(::LoadCursorW(nullptr, modes.telop ? IDC_HAND : IDC_IBEAM));
  }
  context_.seam.ProcessMessages();
}

bool TelopMode::OnTimer(UINT_PTR id) {
  if (id == kMotionTimer) {
    OnMotionTick();
  } else if (id == kTurnTimer) {
    OnTurnTick();
  } else {
    return false;
  }
  return true;
}

void TelopMode::SetColorKey(bool on) {
  HWND window = context_.window;
  LONG_PTR exStyle = ::GetWindowLongPtrW(window, GWL_EXSTYLE);
  if (on) {
    // Wine makes a colour-keyed window an X shape out of its picture, and a
    // shape past what the X library can send ends the program: from the
    // first keyed picture on, each is judged before it reaches the window.
    if (RunningUnderWine()) context_.text.SetGuard(this);
    if (!(exStyle & WS_EX_LAYERED))
      ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    ::SetLayeredWindowAttributes(window, ToColorRef(context_.seam.WindowColor()), 255,
                                 LWA_COLORKEY);
  } else {
    ::SetWindowLongPtrW(window, GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
    ::RedrawWindow(window, nullptr, nullptr,
                   RDW_FRAME | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    context_.text.SetGuard(nullptr);
  }
}

bool TelopMode::Check(std::uint32_t* pixels, int width, int height, int stride) {
  const COLORREF key = ToColorRef(context_.seam.WindowColor());
  return CoverWhenTooComplex({pixels, width, height, stride}, PixelOf(key), PixelOf(Cover()),
                             kMostShapeRectangles);
}

Color TelopMode::Cover() const {
  return CoverColorFor(ToColorRef(context_.modes.savedBackColor),
                       ToColorRef(context_.seam.WindowColor()));
}

void TelopMode::PullIntoMotionBox() {
  const RECT work = WorkArea();
  RECT r{};
  ::GetWindowRect(context_.window, &r);
  Rect pulled = PullIntoBox({r.left, r.top, r.right, r.bottom}, work.right - work.left,
                            work.bottom - work.top);
  // One move to the final place rather than one per edge: the same rectangle.
  if (pulled.left != r.left || pulled.top != r.top)
    MoveTo(context_.window, pulled.left, pulled.top);
}

void TelopMode::OnMotionTick() {
  HWND window = context_.window;
  HWND edit = context_.text.Field().hwnd();
  if (::GetFocus() == edit) ::HideCaret(edit);
  // A full-screen caption holds still: one step off the screen's corner and
  // the window no longer counts as full screen, so Escape would skip that state.
  if (context_.modes.fullScreen) return;
  // Read before the move: the move that takes it off the screen can hand the
  // activation to the desktop at once.
  const bool activeBefore = ::GetForegroundWindow() == window;
  const RECT work = WorkArea();
  RECT r{};
  ::GetWindowRect(window, &r);
  TelopStep step = MotionStep(heading_, {r.left, r.top, r.right - r.left, r.bottom - r.top},
                              work.right - work.left, work.bottom - work.top, context_.random);
  heading_ = step.heading;
  // One move to the final place per tick, not one per edge: every move of a
  // colour-keyed window makes the X server clip its whole shape again.
  if (step.window.left != r.left || step.window.top != r.top)
    MoveTo(window, step.window.left, step.window.top);
  // Escape and Ctrl+Enter must reach the caption again once it is back.
  ::GetWindowRect(window, &r);
  bool onScreen = ::MonitorFromRect(&r, MONITOR_DEFAULTTONULL) != nullptr;
  const bool active = ::GetForegroundWindow() == window || (!onScreen && activeBefore);
  if (activation_.AfterStep(onScreen, active, NobodyActive())) {
    ::SetForegroundWindow(window);
    ::SetFocus(edit);
    ::HideCaret(edit);
  }
}

void TelopMode::OnTurnTick() {
  heading_ = Turn(heading_, context_.random);
  ::HideCaret(context_.text.Field().hwnd());
}

}  // namespace orvane
