#include "app/main_window_win.h"
#include "app/program_win.h"

// After the window headers, which these need.
#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <string_view>

#include "display/color_ref_win.h"
#include "platform/printers_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

constexpr wchar_t kClassName[] = L"TForm1";  // other programs find the window by it
constexpr UINT kFinishCreate = WM_APP + 1;   // the start-up steps after the first show
constexpr UINT_PTR kTextFieldSubclass = 1;
constexpr int kTextFieldId = 100;

}  // namespace

Program::Program(HINSTANCE instance) : window_(std::make_unique<MainWindow>(instance)) {}
Program::~Program() = default;
void Program::Start() { window_->Create(); }
bool Program::PreTranslateMessage(const MSG& message) {
  return window_->PreTranslateMessage(message);
}

MainWindow::MainWindow(HINSTANCE instance) noexcept
    : instance_(instance),
      context_{nullptr, instance, text_, modes_, printer_, random_, *this},
      features_(context_),
      settings_(context_),
      menu_(context_, *this) {}

void MainWindow::Create() {
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = Procedure;
  wc.hInstance = instance_;
  wc.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(1));
  wc.hIconSm =
      static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  if (!::RegisterClassExW(&wc)) throw UserError(u"Cannot register the main window class");

  // 440 x 220 client pixels until the settings say otherwise.
  RECT frame{0, 0, 440 + 2 * kInnerBorder, 220 + 2 * kInnerBorder};
  ::AdjustWindowRectEx(&frame, WS_OVERLAPPEDWINDOW, FALSE, 0);
  if (!::CreateWindowExW(0, kClassName, L"Orvane", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                         CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                         frame.bottom - frame.top, nullptr, nullptr, instance_, this)) {
    throw UserError(u"Cannot create the main window");
  }
  try {
    // The settings, the random source, the window colour, the first fit and
    // the caption; the printer lookup and the system-menu item follow once
    // the window shows: loading the spooler costs more than everything before it.
    settings_.Load();
    random_.Seed(
        static_cast<std::uint32_t>(std::chrono::steady_clock::now().time_since_epoch().count()));
    // The window colour (the inner border) follows the background colour.
    SetWindowColor(text_.BackColor());
    text_.StartFitting();
    text_.Refit();
    ::PostMessageW(hwnd_, kFinishCreate, 0, 0);
  } catch (...) {
    // Start-up's own failure: the steps after the failing one are skipped,
    // and the window is shown all the same.
    ReportCurrentException(hwnd_);
  }
  // From here on every resize refits, whether start-up got through or not.
  text_.StartFitting();
  ::ShowWindow(hwnd_, settings_.ShowCommand());
  ::UpdateWindow(hwnd_);
}

void MainWindow::FinishCreate() {
  printer_.copies = 0;
  std::optional<std::u16string> name = DefaultPrinterName();
  if (!name) throw UserError(kNoDefaultPrinter);
  printer_.device = std::move(*name);
  menu_.AddSystemMenuItem();
}

LRESULT MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NCCREATE:
      context_.window = hwnd_;
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
    case WM_CREATE:
      OnCreate();
      return 0;
    case WM_NCCALCSIZE:
      return OnNcCalcSize(wParam, lParam);
    case WM_NCPAINT:
    case WM_NCACTIVATE: {
      LRESULT result = ::DefWindowProcW(hwnd_, message, wParam, lParam);
      PaintInnerBorder();
      return result;
    }
    case WM_ERASEBKGND:
      return 1;  // the text field covers the whole client area
    case WM_SIZE:
      text_.Layout();
      if (wParam != SIZE_MINIMIZED) text_.OnResize();
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(text_.Field().hwnd());
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == text_.Field().hwnd() && HIWORD(wParam) == EN_CHANGE) {
        text_.OnTextChanged();
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
      return reinterpret_cast<LRESULT>(text_.Colorize(reinterpret_cast<HDC>(wParam)));
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      menu_.OnSysCommand(wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      menu_.OnContextMenu(lParam);
      return 0;
    case WM_MOUSEWHEEL:
      FeatureOf<WindowPlacement>().OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_DPICHANGED: {
      // Per-monitor aware: take the size the system proposes for the new
      // scale; the resize refits the text and the frame recomputes its border.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      CreateOwnFont(LOWORD(wParam));
      ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return 0;
    }
    case kFinishCreate:
      FinishCreate();
      return 0;
    case WM_TIMER:
      FeatureOf<TelopMode>().OnTimer(wParam);
      return 0;
    case WM_QUERYENDSESSION:
      settings_.SaveAtSessionEnd(true);
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) settings_.SaveAtSessionEnd(false);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT CALLBACK MainWindow::TextFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR self) noexcept {
  try {
    return reinterpret_cast<MainWindow*>(self)->OnTextFieldMessage(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException(::GetParent(hwnd));
    return 0;
  }
}

LRESULT MainWindow::OnTextFieldMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND edit = text_.Field().hwnd();
  switch (message) {
    case WM_CHAR: {
      auto key = static_cast<wchar_t>(wParam);
      text_.OnCharacter(key);
      if (key == 0) return 0;
      return ::DefSubclassProc(edit, message, key, lParam);
    }
    case WM_MOUSEMOVE:
      if (text_.OnMouseMove(wParam)) return 0;
      break;
    case WM_SETCURSOR:
      if (modes_.telop && LOWORD(lParam) == HTCLIENT) {
        // A hand over the floating caption: it can be dragged, not typed into.
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
      }
      break;
    case WM_CONTEXTMENU:
      // The command menu instead of the edit control's own.
      menu_.OnContextMenu(lParam);
      return 0;
    case WM_MOUSEWHEEL:
      // Zooms the window; not passed on, so the main window does not zoom twice.
      FeatureOf<WindowPlacement>().OnWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the double-buffered paint fills the background itself
    case WM_PAINT:
      // A DC in wParam is the edit control's own double-buffering hook.
      if (wParam) break;
      text_.Paint();
      return 0;
    case WM_SETFOCUS: {
      text_.BeforeFocus();
      LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      text_.OpenInputMethod();
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, TextFieldProc, kTextFieldSubclass);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

void MainWindow::OnCreate() {
  CreateOwnFont(::GetDpiForWindow(hwnd_));
  HWND edit = text_.Create(hwnd_, instance_, kTextFieldId);
  ::SetWindowSubclass(edit, TextFieldProc, kTextFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
  SetWindowColor(windowColor_);
  menu_.Create();
}

void MainWindow::CreateOwnFont(UINT dpi) {
  // "Meiryo UI" 11 pixels high at 96 dpi, scaled to the window's monitor.
  LOGFONTW own{};
  own.lfHeight = -::MulDiv(11, static_cast<int>(dpi), 96);
  own.lfCharSet = DEFAULT_CHARSET;
  constexpr std::wstring_view kFace = L"Meiryo UI";
  std::copy(kFace.begin(), kFace.end(), own.lfFaceName);
  ownFont_.reset(::CreateFontIndirectW(&own));
}

LRESULT MainWindow::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  LRESULT result = ::DefWindowProcW(hwnd_, WM_NCCALCSIZE, wParam, lParam);
  // The inner border belongs to the frame, so the client area (and the font
  // fitted to it) excludes it.
  RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                        : reinterpret_cast<RECT*>(lParam);
  int border = InnerBorder(hwnd_);
  client->left += border;
  client->top += border;
  client->right = std::max(client->left, client->right - border);
  client->bottom = std::max(client->top, client->bottom - border);
  return result;
}

void MainWindow::PaintInnerBorder() {
  RECT window{};
  ::GetWindowRect(hwnd_, &window);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd_, &origin);
  RECT size{};
  ::GetClientRect(hwnd_, &size);
  RECT client{origin.x - window.left, origin.y - window.top, 0, 0};
  client.right = client.left + size.right;
  client.bottom = client.top + size.bottom;
  RECT ring = client;
  int border = InnerBorder(hwnd_);
  ::InflateRect(&ring, border, border);
  WholeWindowDC dc(hwnd_);
  if (!dc) return;
  ::ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  ::FillRect(dc.get(), &ring, windowBrush_.get());
}

void MainWindow::SetWindowColor(Color color) {
  windowColor_ = color;
  windowBrush_.reset(::CreateSolidBrush(ToColorRef(color)));
  if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void MainWindow::ProcessMessages() {
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
    if (!PreTranslateMessage(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
    if (static_cast<LONG>(message.time - start) > 0) return;
  }
}

void MainWindow::Close() {
  // Never beneath a running command: it closes the window once it returns.
  if (menu_.Running()) {
    menu_.CloseWhenDone();
    return;
  }
  CloseNow();
}

void MainWindow::CloseNow() {
  if (settings_.SaveAtClose()) ::DestroyWindow(hwnd_);
}

void MainWindow::RunHandler(Cmd command) {
  switch (command) {
#define ORVANE_RUN_HANDLER(id, parent, caption, shortcut, enable, feature, handler) \
  case Cmd::id:                                                                     \
    FeatureOf<feature>().handler();                                                 \
    return;
    ORVANE_COMMANDS(ORVANE_RUN_HANDLER, ORVANE_NO_ID, ORVANE_NO_ID)
#undef ORVANE_RUN_HANDLER
    default:
      return;  // a submenu
  }
}

void MainWindow::ClearAndExit() {
  text_.Field().SetText(u"");
  Close();
}

void MainWindow::Exit() {
  switch (NextExitStep(modes_)) {
    case ExitStep::LeaveFullScreen:
      FeatureOf<WindowPlacement>().LeaveFullScreenForExit();
      break;
    case ExitStep::LeaveTelop:
      FeatureOf<TelopMode>().Toggle();
      break;
    case ExitStep::Close:
      Close();
      break;
  }
}

}  // namespace orvane
