#include "app/main_window_win.h"

// After the window headers, which these need.
#include <commctrl.h>
#include <imm.h>

#include <chrono>

#include "app/user_error.h"
#include "platform/message_boxes_win.h"
#include "platform/printers_win.h"

namespace orvane {
namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr UINT_PTR kEdit1SubclassId = 1;
constexpr int kEdit1Id = 100;
constexpr int kInnerBorder = 3;  // pixels at 96 dpi, painted in the window colour
constexpr int kEdit1Slack = 16;  // pixels at 96 dpi that Edit1 reaches beyond each side

}  // namespace

void TForm1::Create() {
  WNDCLASSEXW wc{sizeof wc};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = ::LoadIconW(instance_, MAKEINTRESOURCEW(1));
  wc.hIconSm = static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON, 16, 16, 0));
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
    FormCreate();
  } catch (...) {
    // The steps after the failing one are skipped; the window is shown all the same.
    ReportCurrentException(hwnd_);
  }
  // From here on every resize refits, whether FormCreate got through or not.
  formCreated_ = true;
  ::ShowWindow(hwnd_, showCommand_);
  ::UpdateWindow(hwnd_);
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  TForm1* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<TForm1*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException(hwnd);
    return 0;
  }
}

LRESULT CALLBACK TForm1::Edit1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                   UINT_PTR, DWORD_PTR self) noexcept {
  try {
    return reinterpret_cast<TForm1*>(self)->OnEdit1Message(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException(::GetParent(hwnd));
    return 0;
  }
}

LRESULT TForm1::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      CreateEdit1();
      CreatePopupMenu1();
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
      return 1;  // Edit1 covers the whole client area
    case WM_SIZE:
      LayoutEdit1();
      if (wParam != SIZE_MINIMIZED) FormResize();
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(Edit1.hwnd());
      return 0;
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == Edit1.hwnd() && HIWORD(wParam) == EN_CHANGE &&
          edit1ChangeAttached_) {
        Edit1Change();
      }
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetTextColor(dc, ToColorRef(font_.color));
      ::SetBkColor(dc, ToColorRef(backColor_));
      return reinterpret_cast<LRESULT>(backBrush_.get());
    }
    case WM_CLOSE:
      Close();
      return 0;
    case WM_SYSCOMMAND:
      FormSysCommand(wParam, lParam);
      return 0;
    case WM_CONTEXTMENU:
      OnContextMenu(lParam);
      return 0;
    case WM_MOUSEWHEEL:
      FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_DPICHANGED: {
      // Per-monitor aware: take the size the system proposes for the new
      // scale; the resize refits the text and the frame recomputes its border.
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      return 0;
    }
    case kFinishCreate:
      FinishCreate();
      return 0;
    case WM_TIMER:
      if (wParam == kTimer1) Timer1Timer();
      if (wParam == kTimer2) Timer2Timer();
      return 0;
    case WM_QUERYENDSESSION:
      // At log-off the settings are saved as at any close; a failed save is
      // reported and keeps the session from ending with the window.
      try {
        return FormCloseQuery() ? TRUE : FALSE;
      } catch (...) {
        ReportCurrentException(hwnd_);
        return FALSE;
      }
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd_, message, wParam, lParam);
  }
}

LRESULT TForm1::OnEdit1Message(UINT message, WPARAM wParam, LPARAM lParam) {
  HWND edit = Edit1.hwnd();
  switch (message) {
    case WM_CHAR: {
      auto key = static_cast<wchar_t>(wParam);
      Edit1KeyPress(key);
      if (key == 0) return 0;
      return ::DefSubclassProc(edit, message, key, lParam);
    }
    case WM_MOUSEMOVE:
      if (Edit1MouseMove(wParam)) return 0;
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
      OnContextMenu(lParam);
      return 0;
    case WM_MOUSEWHEEL:
      // Zooms the window; not passed on, so the main window does not zoom twice.
      FormMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the double-buffered paint fills the background itself
    case WM_PAINT:
      // A DC in wParam is the edit control's own double-buffering hook.
      if (wParam) break;
      PaintEdit1();
      return 0;
    case WM_SETFOCUS: {
      LRESULT result = ::DefSubclassProc(edit, message, wParam, lParam);
      // Open the input method with the focus, so Japanese can be typed at once.
      if (HIMC context = ::ImmGetContext(edit)) {
        ::ImmSetOpenStatus(context, TRUE);
        ::ImmReleaseContext(edit, context);
      }
      return result;
    }
    case WM_NCDESTROY:
      ::RemoveWindowSubclass(edit, Edit1Proc, kEdit1SubclassId);
      break;
    default:
      break;
  }
  return ::DefSubclassProc(edit, message, wParam, lParam);
}

void TForm1::CreateEdit1() {
  HWND edit = ::CreateWindowExW(
      0, L"EDIT", L"Orvane", WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL | ES_NOHIDESEL,
      0, 0, 0, 0, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kEdit1Id)), instance_,
      nullptr);
  if (!edit) throw UserError(u"Cannot create the text field");
  Edit1.Attach(edit);
  ::SetWindowSubclass(edit, Edit1Proc, kEdit1SubclassId, reinterpret_cast<DWORD_PTR>(this));
  SetColors(font_.color, kWhite);
  SetWindowColor(windowColor_);
  LOGFONTW initial{};
  initial.lfHeight = font_.height;
  initial.lfCharSet = font_.charSet;
  std::copy(font_.face.begin(), font_.face.end(), initial.lfFaceName);
  fontHandle_.reset(::CreateFontIndirectW(&initial));
  ::SendMessageW(edit, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle_.get()), FALSE);
  ::SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  LayoutEdit1();
}

int TForm1::InnerBorder() const noexcept {
  return ::MulDiv(kInnerBorder, static_cast<int>(::GetDpiForWindow(hwnd_)), 96);
}

int TForm1::Edit1Slack() const noexcept {
  return ::MulDiv(kEdit1Slack, static_cast<int>(::GetDpiForWindow(hwnd_)), 96);
}

SIZE TForm1::ClientSize() const noexcept {
  RECT rc{};
  ::GetClientRect(hwnd_, &rc);
  return {rc.right, rc.bottom};
}

void TForm1::LayoutEdit1() {
  if (!Edit1.hwnd()) return;
  SIZE size = ClientSize();
  // Edit1 reaches a little beyond both sides of the client area, where it is
  // clipped: a line fitted to the exact width then leaves room for the caret
  // after its last character, and the edit control has no reason to scroll.
  int slack = Edit1Slack();
  ::MoveWindow(Edit1.hwnd(), -slack, 0, size.cx + 2 * slack, size.cy, TRUE);
}

LRESULT TForm1::OnNcCalcSize(WPARAM wParam, LPARAM lParam) {
  LRESULT result = ::DefWindowProcW(hwnd_, WM_NCCALCSIZE, wParam, lParam);
  // The inner border belongs to the frame, so the client area (and the font
  // fitted to it) excludes it.
  RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                        : reinterpret_cast<RECT*>(lParam);
  int border = InnerBorder();
  client->left += border;
  client->top += border;
  client->right = std::max(client->left, client->right - border);
  client->bottom = std::max(client->top, client->bottom - border);
  return result;
}

void TForm1::PaintInnerBorder() {
  RECT window{};
  ::GetWindowRect(hwnd_, &window);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd_, &origin);
  SIZE size = ClientSize();
  RECT client{origin.x - window.left, origin.y - window.top, 0, 0};
  client.right = client.left + size.cx;
  client.bottom = client.top + size.cy;
  RECT ring = client;
  int border = InnerBorder();
  ::InflateRect(&ring, border, border);
  WholeWindowDC dc(hwnd_);
  if (!dc) return;
  ::ExcludeClipRect(dc.get(), client.left, client.top, client.right, client.bottom);
  ::FillRect(dc.get(), &ring, windowBrush_.get());
}

void TForm1::PaintEdit1() {
  HWND edit = Edit1.hwnd();
  PaintScope paint(edit);
  RECT rc{};
  ::GetClientRect(edit, &rc);
  if (rc.right <= 0 || rc.bottom <= 0) return;
  // Painting off screen and copying keeps refits from flickering; the buffer
  // only grows, so resizing does not churn bitmaps.
  if (!paintBuffer_ || paintBufferSize_.cx < rc.right || paintBufferSize_.cy < rc.bottom) {
    paintBufferSize_ = {std::max(rc.right, paintBufferSize_.cx), std::max(rc.bottom, paintBufferSize_.cy)};
    paintBuffer_.reset(::CreateCompatibleBitmap(paint.dc(), paintBufferSize_.cx, paintBufferSize_.cy));
  }
  UniqueMemoryDC memory(::CreateCompatibleDC(paint.dc()));
  if (!memory || !paintBuffer_) {
    ::DefSubclassProc(edit, WM_PAINT, reinterpret_cast<WPARAM>(paint.dc()), 0);
    return;
  }
  SelectedObject buffer(memory.get(), paintBuffer_.get());
  ::FillRect(memory.get(), &rc, backBrush_.get());
  ::DefSubclassProc(edit, WM_PAINT, reinterpret_cast<WPARAM>(memory.get()), 0);
  const RECT& area = paint.area();
  ::BitBlt(paint.dc(), area.left, area.top, area.right - area.left, area.bottom - area.top,
           memory.get(), area.left, area.top, SRCCOPY);
}

void TForm1::SetColors(Color text, Color back) {
  font_.color = text;
  backColor_ = back;
  backBrush_.reset(::CreateSolidBrush(ToColorRef(back)));
  if (Edit1.hwnd()) ::InvalidateRect(Edit1.hwnd(), nullptr, FALSE);
}

void TForm1::SetWindowColor(Color color) {
  windowColor_ = color;
  windowBrush_.reset(::CreateSolidBrush(ToColorRef(color)));
  if (hwnd_) ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TForm1::FormCreate() {
  LoadSettings();
  random_.Seed(static_cast<std::uint32_t>(
      std::chrono::steady_clock::now().time_since_epoch().count()));
  // The window colour (the inner border) follows the background colour.
  SetWindowColor(backColor_);
  formCreated_ = true;
  FitFont();
  UpdateCaption();
  // The printer lookup and the system-menu item follow once the window shows:
  // loading the spooler costs more than everything before it.
  ::PostMessageW(hwnd_, kFinishCreate, 0, 0);
}

void TForm1::FinishCreate() {
  printer_.copies = 0;
  SelectDefaultPrinter();
  AddSystemMenuItem();
}

void TForm1::OnContextMenu(LPARAM lParam) {
  POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  if (at.x == -1 && at.y == -1) {
    // From the keyboard: open over the middle of the text.
    SIZE client = ClientSize();
    at = {client.cx / 2, client.cy / 2};
    ::ClientToScreen(hwnd_, &at);
  }
  OpenPopupMenu1(at);
}

void TForm1::SelectDefaultPrinter() {
  std::optional<std::u16string> name = DefaultPrinterName();
  if (!name) throw UserError(u"There is no default printer currently selected");
  printer_.device = std::move(*name);
}

}  // namespace orvane
