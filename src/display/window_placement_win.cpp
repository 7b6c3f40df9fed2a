#include "display/window_placement_win.h"

#include "display/placement_defaults.h"
#include "display/stretched_text_win.h"
#include "platform/screen_win.h"

namespace orvane {
namespace {

constexpr LONG_PTR kSizableStyle =
    WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;

WindowBox BoxOf(HWND hwnd) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// WorkWidth and WorkHeight: the screen in full screen, else the work area.
SIZE WorkSize(const DisplayModes& modes) {
  if (modes.fullScreen) return ScreenSize();
  const RECT work = WorkArea();
  return {work.right - work.left, work.bottom - work.top};
}

}  // namespace

void WindowPlacement::OnWheel(int delta) {
  int notches = wheel_.Add(delta);
  for (; notches > 0; --notches) Zoom(101);  // turned away from the user
  for (; notches < 0; ++notches) Zoom(99);
}

void WindowPlacement::Zoom(int percent) {
  const SIZE work = WorkSize(context_.modes);
  WindowBox before = BoxOf(context_.window);
  WindowBox after = ZoomWindow(before, percent, work.cx, work.cy);
  if (after == before) return;
  // One move for width, height and place: one refit instead of one per edge.
  ::SetWindowPos(context_.window, nullptr, after.left, after.top, after.width, after.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPlacement::ToggleFullScreen() {
  if (!context_.modes.fullScreen) {
    RECT current{};
    ::GetWindowRect(context_.window, &current);
    const SIZE screen = ScreenSize();
    ApplyModeChange(EnterFullScreen(context_.modes,
                                    {current.left, current.top, current.right, current.bottom},
                                    screen.cx, screen.cy));
    context_.text.FitFont();
  } else {
    ApplyModeChange(LeaveFullScreen(context_.modes, LeaveBy::Command, Fallback()));
    context_.text.Refit();
  }
}

void WindowPlacement::LeaveFullScreenForExit() {
  ApplyModeChange(LeaveFullScreen(context_.modes, LeaveBy::Exit, Fallback()));
}

void WindowPlacement::ApplyModeChange(const ModeChange& change) {
  context_.modes = change.modes;
  SetSizable(context_, change.sizable);
  if (change.state == WindowState::Maximized) SetWindowState(SW_SHOWMAXIMIZED);
  if (change.state == WindowState::Normal) SetWindowState(SW_SHOWNORMAL);
  SetBounds(change.bounds);
}

Rect WindowPlacement::FirstStartBounds() const {
  // Half the screen, centred across the work area and raised by half a client
  // height, as a first start places it; in screen coordinates.
  const SIZE screen = ScreenSize();
  const int width = screen.cx / 2;
  const int height = screen.cy / 2;
  RECT frame{0, 0, 0, 0};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  const int clientHeight = height - (frame.bottom - frame.top) - 2 * InnerBorder(context_.window);
  const RECT work = WorkArea();
  const int left = work.left + DefaultLeft(work.right - work.left, width);
  const int top = work.top + DefaultTop(work.bottom - work.top, height, clientHeight);
  return {left, top, left + width, top + height};
}

FallbackPlacement WindowPlacement::Fallback() const {
  FallbackPlacement fallback;
  fallback.minimumWidth = ::GetSystemMetrics(SM_CXMINTRACK);
  fallback.minimumHeight = ::GetSystemMetrics(SM_CYMINTRACK);
  fallback.firstStart = FirstStartBounds();
  return fallback;
}

void WindowPlacement::Centre() {
  const SIZE work = WorkSize(context_.modes);
  WindowBox box = Centred(BoxOf(context_.window), work.cx, work.cy);
  ::SetWindowPos(context_.window, nullptr, box.left, box.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WindowPlacement::ToggleStayOnTop() {
  const bool topmost = (::GetWindowLongPtrW(context_.window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  ::SetWindowPos(context_.window, topmost ? HWND_NOTOPMOST : HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
  context_.seam.ProcessMessages();
}

void WindowPlacement::ToggleMaximized() {
  if (!::IsZoomed(context_.window)) {
    SetWindowState(SW_SHOWMAXIMIZED);
  } else {
    SetWindowState(SW_SHOWNORMAL);
    SetSizable(context_, true);
  }
  context_.seam.ProcessMessages();
}

void WindowPlacement::Minimize() { SetWindowState(SW_MINIMIZE); }

void WindowPlacement::SetWindowState(int showCommand) {
  HWND window = context_.window;
  if (!::IsWindowVisible(window)) return;
  bool already = showCommand == SW_SHOWMAXIMIZED ? ::IsZoomed(window) != 0
                 : showCommand == SW_MINIMIZE    ? ::IsIconic(window) != 0
                                                 : !::IsZoomed(window) && !::IsIconic(window);
  if (!already) ::ShowWindow(window, showCommand);
}

void WindowPlacement::SetBounds(const Rect& bounds) {
  ::SetWindowPos(context_.window, nullptr, bounds.left, bounds.top, bounds.Width(), bounds.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void SetSizable(const WindowContext& context, bool sizable) {
  HWND window = context.window;
  LONG_PTR style = ::GetWindowLongPtrW(window, GWL_STYLE);
  bool isSizable = (style & WS_THICKFRAME) != 0;
  if (isSizable == sizable) return;
  style = sizable ? ((style & ~WS_POPUP) | kSizableStyle) : ((style & ~kSizableStyle) | WS_POPUP);
  ::SetWindowLongPtrW(window, GWL_STYLE, style);
  // A new border brings the default system menu back, without the program's item.
  ::GetSystemMenu(window, TRUE);
  ::SetWindowPos(window, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  // Whenever the window has a system menu, it carries the item once.
  if (sizable) context.seam.AddSystemMenuItem();
}

}  // namespace orvane
