// Window placement: wheel zoom, full screen, centring, stay on top, maximize,
// minimize and the two ways out.

#include "app/main_window_win.h"
#include "display/placement.h"
#include "settings/placement_defaults.h"

namespace orvane {
namespace {

constexpr LONG_PTR kSizableStyle = WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

WindowBox BoxOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace

// What is queued runs now, shortcuts included.
void ProcessMessages(TForm1& form) {
  // What was queued before the call runs now, and nothing after: a 20 ms
  // telop timer that fires again before its last tick is done (a loaded
  // machine) would keep the loop, and the command that called it, running.
  const DWORD start = ::GetTickCount();
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    if (!form.PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (static_cast<LONG>(message.time - start) > 0) return;
  }
}

void TForm1::FormMouseWheel(int delta) {
  int notches = wheel_.Add(delta);
  for (; notches > 0; --notches) ZoomWindow(101);  // turned away from the user
  for (; notches < 0; ++notches) ZoomWindow(99);
}

void TForm1::ZoomWindow(int percent) {
  WindowBox before = BoxOf(hwnd_);
  WindowBox after = orvane::ZoomWindow(before, percent, WorkWidth(), WorkHeight());
  if (after == before) return;
  // One move for width, height and place: one refit instead of one per edge.
  ::SetWindowPos(hwnd_, nullptr, after.left, after.top, after.width, after.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::FullScreen1Click() {
  if (!modes_.fullScreen) {
    RECT current{};
    ::GetWindowRect(hwnd_, &current);
    ApplyModeChange(EnterFullScreen(modes_, {current.left, current.top, current.right, current.bottom},
                                    ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)));
    FitFont();
  } else {
    ApplyModeChange(LeaveFullScreen(modes_, LeaveBy::Command, Fallback()));
    FitFont();
    UpdateCaption();
  }
}

void TForm1::Exit1Click() {
  switch (NextExitStep(modes_)) {
    case ExitStep::LeaveFullScreen:
      ApplyModeChange(LeaveFullScreen(modes_, LeaveBy::Exit, Fallback()));
      break;
    case ExitStep::LeaveTelop:
      OrvaneFloat1Click();
      break;
    case ExitStep::Close:
      Close();
      break;
  }
}

void TForm1::ApplyModeChange(const ModeChange& change) {
  modes_ = change.modes;
  SetSizable(change.sizable);
  if (change.state == WindowState::Maximized) SetWindowState(SW_SHOWMAXIMIZED);
  if (change.state == WindowState::Normal) SetWindowState(SW_SHOWNORMAL);
  SetBounds(change.bounds);
}

Rect TForm1::FirstStartBounds() const {
  // Half the screen, centred across the work area and raised by half a client
  // height, as a first start places it; in screen coordinates.
  const int width = ::GetSystemMetrics(SM_CXSCREEN) / 2;
  const int height = ::GetSystemMetrics(SM_CYSCREEN) / 2;
  RECT frame{0, 0, 0, 0};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const int clientHeight = height - (frame.bottom - frame.top) - 2 * InnerBorder();
  RECT work{};
  ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  const int left = work.left + DefaultLeft(work.right - work.left, width);
  const int top = work.top + DefaultTop(work.bottom - work.top, height, clientHeight);
  return {left, top, left + width, top + height};
}

FallbackPlacement TForm1::Fallback() const {
  FallbackPlacement fallback;
  fallback.minimumWidth = ::GetSystemMetrics(SM_CXMINTRACK);
  fallback.minimumHeight = ::GetSystemMetrics(SM_CYMINTRACK);
  fallback.firstStart = FirstStartBounds();
  return fallback;
}

void TForm1::ClearClose1Click() {
  Edit1.SetText(u"");
  Close();
}

void TForm1::Centering1Click() {
  WindowBox box = Centred(BoxOf(hwnd_), WorkWidth(), WorkHeight());
  ::SetWindowPos(hwnd_, nullptr, box.left, box.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::StayOnTop1Click(bool checked) {
  ::SetWindowPos(hwnd_, checked ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  ProcessMessages(*this);
}

void TForm1::Maximize1Click(bool checked) {
  if (checked) {
    SetWindowState(SW_SHOWMAXIMIZED);
  } else {
    SetWindowState(SW_SHOWNORMAL);
    SetSizable(true);
  }
  ProcessMessages(*this);
}

void TForm1::Minimize1Click() {
  SetWindowState(SW_MINIMIZE);
}

void TForm1::SetSizable(bool sizable) {
  LONG_PTR style = ::GetWindowLongPtrW(hwnd_, GWL_STYLE);
  bool isSizable = (style & WS_THICKFRAME) != 0;
  if (isSizable == sizable) return;
  style = sizable ? ((style & ~WS_POPUP) | kSizableStyle) : ((style & ~kSizableStyle) | WS_POPUP);
  ::SetWindowLongPtrW(hwnd_, GWL_STYLE, style);
  // A new border brings the default system menu back, without the program's item.
  ::GetSystemMenu(hwnd_, TRUE);
  ::SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Whenever the window has a system menu, it carries the item once.
  if (sizable) AddSystemMenuItem();
}

void TForm1::SetWindowState(int showCommand) {
  if (!::IsWindowVisible(hwnd_)) return;
  bool already = showCommand == SW_SHOWMAXIMIZED ? ::IsZoomed(hwnd_) != 0
                 : showCommand == SW_MINIMIZE    ? ::IsIconic(hwnd_) != 0
                                                 : !::IsZoomed(hwnd_) && !::IsIconic(hwnd_);
  if (!already) ::ShowWindow(hwnd_, showCommand);
}

void TForm1::SetBounds(const Rect& bounds) {
  ::SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TForm1::Close() {
  // Never beneath a running command: it closes the window once it returns.
  if (running_ != Cmd::None) {
    closePending_ = true;
    return;
  }
  if (FormCloseQuery()) ::DestroyWindow(hwnd_);
}

}  // namespace orvane
