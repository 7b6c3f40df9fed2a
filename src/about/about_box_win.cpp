#include "about/about_box_win.h"

#include <algorithm>

#include "about/about_facts_win.h"
#include "about/about_text.h"
#include "platform/app_title.h"
#include "platform/screen_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

// The ids a message box gives its text and icon, so tools that read message
// boxes read this one too.
constexpr int kLabelId = 0xFFFF;
constexpr int kIconId = 20;

// The dialog's own frame: a tool window's small caption, no system menu and
// so no caption buttons, not resizable.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | DS_MODALFRAME | DS_SETFOREGROUND;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

// An empty dialog; the controls are made once the font and DPI are known.
struct alignas(4) EmptyTemplate {
  DLGTEMPLATE header;
  WORD menu = 0;
  WORD windowClass = 0;
  WORD title = 0;
};

NONCLIENTMETRICSW NonClientMetrics(UINT dpi) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi)) {
    ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  }
  return metrics;
}

HWND Child(HWND parent, const wchar_t* windowClass, const wchar_t* text, DWORD style, int id) {
  HWND child =
      ::CreateWindowExW(0, windowClass, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (!child) throw UserError(u"Cannot create the about box");
  return child;
}

}  // namespace

void AboutCommand::Show() {
  std::u16string exe = ExecutablePath();
  const SIZE screen = ScreenSize();
  AboutFacts facts{ApplicationTitle(exe), FileVersionText(exe), exe, screen.cx, screen.cy,
                   UkraineTimeLine()};
  AboutBox box(context_.instance, context_.random, facts.title, AboutText(facts));
  box.ShowModal(context_.window);
}

void AboutBox::ShowModal(HWND owner) {
  EmptyTemplate empty{};
  empty.header.style = kStyle;
  empty.header.dwExtendedStyle = kExStyle;
  INT_PTR result = ::DialogBoxIndirectParamW(instance_, &empty.header, owner, Procedure,
                                             reinterpret_cast<LPARAM>(this));
  if (result == -1) throw UserError(u"Cannot create the about box");
}

INT_PTR AboutBox::AfterFailure() noexcept {
  ::EndDialog(hwnd_, IDCANCEL);
  return TRUE;
}

INT_PTR AboutBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the focus goes to OK, the one control that takes it
    case WM_PAINT:
      AboutBoxPaint();
      return TRUE;
    case WM_ERASEBKGND:
      // The paint covers the whole client area.
      ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, 1);
      return TRUE;
    case WM_PRINTCLIENT:
      // A themed button drawing its parent's background behind its corners:
      // the picture on screen, not a new one.
      Fill(reinterpret_cast<HDC>(wParam), gradient_);
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      // The icon and the text are drawn straight over the gradient.
      HDC dc = reinterpret_cast<HDC>(wParam);
      ::SetBkMode(dc, TRANSPARENT);
      ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
      return reinterpret_cast<INT_PTR>(::GetStockObject(NULL_BRUSH));
    }
    case WM_SETCURSOR:
      if (reinterpret_cast<HWND>(wParam) == ok_ && LOWORD(lParam) == HTCLIENT) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
        ::SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, TRUE);
        return TRUE;
      }
      return FALSE;
    case WM_COMMAND:
      // OK, Enter (the default button) and Esc (IDCANCEL, which the dialog
      // sends though it has no such button) all close it.
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        ::EndDialog(hwnd_, IDOK);
        return TRUE;
      }
      return FALSE;
    default:
      return FALSE;
  }
}

void AboutBox::OnInitDialog() {
  const UINT dpi = ::GetDpiForWindow(hwnd_);
  NONCLIENTMETRICSW metrics = NonClientMetrics(dpi);
  font_.reset(::CreateFontIndirectW(&metrics.lfMessageFont));
  ::SetWindowTextW(hwnd_, W(title_));

  // The platform's message-dialog layout, measured in dialog units of the
  // message font so that it scales with the font and the DPI.
  WindowDC dc(hwnd_);
  SelectedObject selected(dc.get(), font_.get());
  TEXTMETRICW textMetrics{};
  ::GetTextMetricsW(dc.get(), &textMetrics);
  SIZE alphabet{};
  ::GetTextExtentPoint32W(dc.get(), L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52,
                          &alphabet);
  const int unitX = (alphabet.cx / 26 + 1) / 2;  // the average width, rounded
  const int unitY = textMetrics.tmHeight;
  auto horizontal = [&](int units) { return ::MulDiv(units, unitX, 4); };
  auto vertical = [&](int units) { return ::MulDiv(units, unitY, 8); };
  const int marginX = horizontal(8), marginY = vertical(8);
  const int spaceX = horizontal(10), spaceY = vertical(10);
  const int buttonWidth = horizontal(50), buttonHeight = vertical(14);
  const int iconSize = ::MulDiv(32, static_cast<int>(dpi), 96);

  // The text wraps at half the screen's width.
  RECT text{0, 0, ::GetSystemMetrics(SM_CXSCREEN) / 2, 0};
  ::DrawTextW(dc.get(), W(text_), -1, &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  const int textLeft = marginX + iconSize + spaceX;
  const int buttonTop = marginY + std::max<int>(iconSize, text.bottom) + spaceY;
  const int clientWidth = std::max<int>(textLeft + text.right + marginX, buttonWidth + 2 * marginX);
  const int clientHeight = buttonTop + buttonHeight + marginY;
  const int buttonLeft = (clientWidth - buttonWidth) / 2;

  icon_ = Child(hwnd_, L"STATIC", nullptr, SS_ICON | SS_REALSIZECONTROL, kIconId);
  iconImage_.reset(static_cast<HICON>(::LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                                   iconSize, iconSize, LR_DEFAULTCOLOR)));
  ::SendMessageW(icon_, STM_SETICON, reinterpret_cast<WPARAM>(iconImage_.get()), 0);
  ::MoveWindow(icon_, marginX, marginY, iconSize, iconSize, FALSE);

  label_ = Child(hwnd_, L"STATIC", W(text_), SS_LEFT | SS_NOPREFIX, kLabelId);
  ::MoveWindow(label_, textLeft, marginY, text.right, text.bottom, FALSE);

  ok_ = Child(hwnd_, L"BUTTON", L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, IDOK);
  ::MoveWindow(ok_, buttonLeft, buttonTop, buttonWidth, buttonHeight, FALSE);
  for (HWND child : {label_, ok_}) {
    ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
  }

  // Sized to fit and centred on the screen.
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                             FALSE, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)),
                             dpi);
  const int width = frame.right - frame.left, height = frame.bottom - frame.top;
  ::SetWindowPos(hwnd_, nullptr, (::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);

  // The pointer onto OK, four fifths across and just below its top edge, so
  // that one click closes the box.
  RECT outer{};
  RECT client{};
  ::GetWindowRect(hwnd_, &outer);
  ::GetClientRect(hwnd_, &client);
  ::SetCursorPos(outer.left + buttonLeft + 4 * (buttonWidth / 5),
                 outer.top + (outer.bottom - outer.top) - client.bottom + buttonTop);
}

void AboutBox::AboutBoxPaint() {
  gradient_.end = static_cast<COLORREF>(random_.Next(0xFFFFFF));
  gradient_.vertical = random_.Next(2) == 1;
  PaintScope paint(hwnd_);
  Fill(paint.dc(), gradient_);
  // The transparent icon and text show the new background only when they
  // are drawn after it.
  for (HWND child : {icon_, label_}) ::InvalidateRect(child, nullptr, FALSE);
}

void AboutBox::Fill(HDC dc, const Gradient& gradient) const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  // Each 8-bit channel c becomes the vertex's 16-bit c * 256.
  auto channel = [](BYTE c) { return static_cast<COLOR16>(c << 8); };
  TRIVERTEX corners[2] = {
      {client.left, client.top, channel(255), channel(255), channel(255), 0},
      {client.right, client.bottom, channel(GetRValue(gradient.end)),
       channel(GetGValue(gradient.end)), channel(GetBValue(gradient.end)), 0},
  };
  GRADIENT_RECT rectangle{0, 1};
  ::GradientFill(dc, corners, 2, &rectangle, 1,
                 gradient.vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

}  // namespace orvane
