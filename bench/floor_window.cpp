// The least a Win32 program does to show a typed line as large as its window:
// an EDIT child that gets a new stretched font at every change of its text.
// The keystroke benchmark measures it beside Orvane to tell what the platform
// costs from what the program adds. Options add Orvane's extras one by one:
//   orvane_floor_window.exe [caption] [buffer] [borderless | full]
//   caption:    the frame's caption is set to "text W x H face" at every refit
//   buffer:     the text field paints off screen and copies the picture
//   borderless: no frame, a 3-pixel inner border, as Orvane's full screen
//   full:       borderless and maximized over the whole screen
//   ime:        the input method opened with the focus, as Orvane opens it
// The window class is TForm1, so the bench's driver places it as it places Orvane.

#include <windows.h>
#include <commctrl.h>
#include <imm.h>

#include <cwchar>
#include <string>

namespace {

constexpr int kSlack = 16;  // the text field reaches this far past each side, as Orvane's does
const wchar_t kFace[] = L"ＭＳ 明朝";

bool g_caption = false;
bool g_buffer = false;
bool g_borderless = false;
bool g_ime = false;
constexpr int kInnerBorder = 3;
HWND g_edit = nullptr;
HFONT g_font = nullptr;
HBITMAP g_picture = nullptr;
SIZE g_pictureSize{};

std::wstring Text() {
  std::wstring s(static_cast<std::size_t>(::GetWindowTextLengthW(g_edit)) + 1, L'\0');
  s.resize(static_cast<std::size_t>(::GetWindowTextW(g_edit, s.data(), static_cast<int>(s.size()))));
  return s;
}

void Refit(HWND frame) {
  std::wstring text = Text();
  int n = ::WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                nullptr, nullptr);
  RECT rc{};
  ::GetClientRect(frame, &rc);
  if (n > 0) {
    LOGFONTW lf{};
    lf.lfHeight = rc.bottom;
    lf.lfWidth = rc.right / n;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = SHIFTJIS_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    std::wcscpy(lf.lfFaceName, kFace);
    HFONT font = ::CreateFontIndirectW(&lf);
    ::SendMessageW(g_edit, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    ::SendMessageW(g_edit, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
    if (g_font) ::DeleteObject(g_font);
    g_font = font;
  }
  if (g_caption) {
    std::wstring caption = text + L" " + std::to_wstring(rc.right) + L" x " +
                           std::to_wstring(rc.bottom) + L" " + kFace;
    ::SetWindowTextW(frame, caption.c_str());
  }
}

LRESULT CALLBACK BufferedEdit(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR) {
  if (message == WM_ERASEBKGND) return 1;
  if (message != WM_PAINT || wParam) return ::DefSubclassProc(hwnd, message, wParam, lParam);
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(hwnd, &ps);
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  if (!g_picture || g_pictureSize.cx < rc.right || g_pictureSize.cy < rc.bottom) {
    if (g_picture) ::DeleteObject(g_picture);
    g_pictureSize = {rc.right, rc.bottom};
    g_picture = ::CreateCompatibleBitmap(dc, rc.right, rc.bottom);
  }
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ old = ::SelectObject(memory, g_picture);
  ::FillRect(memory, &rc, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
  ::DefSubclassProc(hwnd, WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
  ::BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
           ps.rcPaint.bottom - ps.rcPaint.top, memory, ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
  ::SelectObject(memory, old);
  ::DeleteDC(memory);
  ::EndPaint(hwnd, &ps);
  return 0;
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE:
      g_edit = ::CreateWindowExW(0, L"EDIT", L"ab",
                                 WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL | ES_NOHIDESEL, 0,
                                 0, 0, 0, hwnd, nullptr, nullptr, nullptr);
      if (g_buffer) ::SetWindowSubclass(g_edit, BufferedEdit, 1, 0);
      return 0;
    case WM_SIZE:
      ::MoveWindow(g_edit, -kSlack, 0, LOWORD(lParam) + 2 * kSlack, HIWORD(lParam), TRUE);
      Refit(hwnd);
      return 0;
    case WM_SETFOCUS:
      ::SetFocus(g_edit);
      if (HIMC context = g_ime ? ::ImmGetContext(g_edit) : nullptr) {
        ::ImmSetOpenStatus(context, TRUE);
        ::ImmReleaseContext(g_edit, context);
      }
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_NCCALCSIZE: {
      LRESULT result = ::DefWindowProcW(hwnd, message, wParam, lParam);
      if (g_borderless) {
        RECT* client = wParam ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam)->rgrc[0]
                              : reinterpret_cast<RECT*>(lParam);
        ::InflateRect(client, -kInnerBorder, -kInnerBorder);
      }
      return result;
    }
    case WM_COMMAND:
      if (HIWORD(wParam) == EN_CHANGE) Refit(hwnd);
      return 0;
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR commandLine, int show) {
  g_caption = std::wcsstr(commandLine, L"caption") != nullptr;
  g_buffer = std::wcsstr(commandLine, L"buffer") != nullptr;
  g_ime = std::wcsstr(commandLine, L"ime") != nullptr;
  const bool full = std::wcsstr(commandLine, L"full") != nullptr;
  g_borderless = full || std::wcsstr(commandLine, L"borderless") != nullptr;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = FrameProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"TForm1";
  ::RegisterClassExW(&wc);
  HWND frame = nullptr;
  if (g_borderless) {
    frame = ::CreateWindowExW(0, wc.lpszClassName, L"floor", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                              ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN), nullptr,
                              nullptr, instance, nullptr);
    ::ShowWindow(frame, full ? SW_SHOWMAXIMIZED : SW_SHOW);
  } else {
    frame = ::CreateWindowExW(0, wc.lpszClassName, L"floor", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                              CW_USEDEFAULT, CW_USEDEFAULT, 480, 280, nullptr, nullptr, instance, nullptr);
    ::ShowWindow(frame, show);
  }
  MSG m;
  while (::GetMessageW(&m, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
  if (g_font) ::DeleteObject(g_font);
  if (g_picture) ::DeleteObject(g_picture);
  return 0;
}
