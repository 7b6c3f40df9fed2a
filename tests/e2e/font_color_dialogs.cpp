#include "font_color_dialogs.h"

#include <dlgs.h>

namespace e2e {
namespace {

constexpr int kRedBox = 706, kGreenBox = 707, kBlueBox = 708;  // the colour dialog's edits

std::wstring TextOf(HWND hwnd) {
  wchar_t text[256] = {};
  ::SendMessageW(hwnd, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

// The program's visible dialog that holds a control with this id.
HWND DialogWith(const Orvane& app, int id) {
  for (HWND dialog : app.Dialogs()) {
    if (::GetDlgItem(dialog, id)) return dialog;
  }
  return nullptr;
}

HWND WaitForDialogWith(const Orvane& app, int id, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = DialogWith(app, id)) != nullptr; }, timeout);
  return found;
}

bool Press(HWND dialog, int id) {
  ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
  return WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
}

// Selects an entry of a drop-down list as a click would, telling the dialog.
bool Select(HWND dialog, int id, LRESULT index) {
  HWND box = ::GetDlgItem(dialog, id);
  if (index < 0 || ::SendMessageW(box, CB_SETCURSEL, index, 0) == CB_ERR) return false;
  ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
  return true;
}

}  // namespace

FontDialogWindow FontDialogWindow::WaitFor(const Orvane& app, std::chrono::milliseconds timeout) {
  FontDialogWindow window;
  window.hwnd_ = WaitForDialogWith(app, cmb1, timeout);
  return window;
}

bool FontDialogWindow::IsOpen(const Orvane& app) { return DialogWith(app, cmb1) != nullptr; }

std::wstring FontDialogWindow::Face() const { return TextOf(::GetDlgItem(hwnd_, cmb1)); }
std::wstring FontDialogWindow::Size() const { return TextOf(::GetDlgItem(hwnd_, cmb3)); }
std::optional<COLORREF> FontDialogWindow::Color() const {
  HWND box = ::GetDlgItem(hwnd_, cmb4);
  LRESULT entry = ::SendMessageW(box, CB_GETCURSEL, 0, 0);
  if (entry == CB_ERR) return std::nullopt;
  return static_cast<COLORREF>(::SendMessageW(box, CB_GETITEMDATA, entry, 0));
}

bool FontDialogWindow::ChooseFace(const std::wstring& face) {
  HWND box = ::GetDlgItem(hwnd_, cmb1);
  return Select(
      hwnd_, cmb1,
      ::SendMessageW(box, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(face.c_str())));
}

bool FontDialogWindow::ChooseColor(COLORREF colour) {
  HWND box = ::GetDlgItem(hwnd_, cmb4);
  for (LRESULT i = 0, n = ::SendMessageW(box, CB_GETCOUNT, 0, 0); i < n; ++i) {
    if (static_cast<COLORREF>(::SendMessageW(box, CB_GETITEMDATA, i, 0)) == colour)
      return Select(hwnd_, cmb4, i);
  }
  return false;
}

void FontDialogWindow::Apply() {
  // Returns once applied; a timeout, should the program answer with a box.
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(::GetDlgItem(hwnd_, psh3), BM_CLICK, 0, 0, SMTO_NORMAL, 5000, &result);
}

bool FontDialogWindow::Ok() { return Press(hwnd_, IDOK); }
bool FontDialogWindow::Cancel() { return Press(hwnd_, IDCANCEL); }

ColorDialogWindow ColorDialogWindow::WaitFor(const Orvane& app, std::chrono::milliseconds timeout) {
  ColorDialogWindow window;
  window.hwnd_ = WaitForDialogWith(app, kRedBox, timeout);
  return window;
}

COLORREF ColorDialogWindow::Rgb() const {
  auto value = [&](int id) {
    return static_cast<BYTE>(std::stoi(L"0" + TextOf(::GetDlgItem(hwnd_, id))));
  };
  return RGB(value(kRedBox), value(kGreenBox), value(kBlueBox));
}

void ColorDialogWindow::SetRgb(COLORREF colour) {
  for (auto [id, value] :
       {std::pair{kRedBox, GetRValue(colour)}, std::pair{kGreenBox, GetGValue(colour)},
        std::pair{kBlueBox, GetBValue(colour)}}) {
    std::wstring text = std::to_wstring(value);
    ::SendMessageW(::GetDlgItem(hwnd_, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
}

bool ColorDialogWindow::Ok() { return Press(hwnd_, IDOK); }

std::uint32_t MarginPixel(const Orvane& app) {
  RECT client = app.ClientOnScreen();
  int middle = (client.top + client.bottom) / 2;
  return CaptureScreen({client.left - 2, middle, client.left - 1, middle + 1}).At(0, 0);
}

}  // namespace e2e
