// Loaded into Orvane's process by a hook, so the tests can read menus, which
// another process cannot: the command menu while it is open, and the window's
// system menu. Also sets the work area as the program sees it: under Wine that
// setting holds for the calling process only. Answers one registered message
// with WM_COPYDATA.

#include <windows.h>

#include <string>

namespace {

const UINT kProbeMessage = ::RegisterWindowMessageW(L"OrvaneE2EProbe");

// One line per item: depth, id, state, type, text; submenus follow their item.
void Describe(HMENU menu, int depth, std::wstring& out) {
  int count = ::GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[256] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_SUBMENU;
    info.dwTypeData = text;
    info.cch = 255;
    if (!::GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    out += std::to_wstring(depth) + L"|" + std::to_wstring(info.wID) + L"|" +
           std::to_wstring(info.fState) + L"|" + std::to_wstring(info.fType) + L"|" + text + L"\n";
    if (info.hSubMenu) Describe(info.hSubMenu, depth + 1, out);
  }
}

// USER objects of this process where the system keeps no count of them (Wine):
// its windows and its menus. A menu handle's low word is its table index,
// which the system takes on its own.
int CountUserObjects() {
  int count = 0;
  auto countWindow = [](HWND, LPARAM total) -> BOOL {
    ++*reinterpret_cast<int*>(total);
    return TRUE;
  };
  struct Walk {
    int* total;
    DWORD pid;
    WNDENUMPROC child;
  } walk{&count, ::GetCurrentProcessId(), countWindow};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* w = reinterpret_cast<Walk*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hwnd, &pid);
        if (pid != w->pid) return TRUE;
        ++*w->total;
        ::EnumChildWindows(hwnd, w->child, reinterpret_cast<LPARAM>(w->total));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
  for (UINT_PTR index = 0x20; index < 0xFFF0; ++index) {
    if (::IsMenu(reinterpret_cast<HMENU>(index))) ++count;
  }
  return count;
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == kProbeMessage) {
    // wParam 1: the open menu of this menu window; 2: this window's system
    // menu; 3 + (top << 8): the work area becomes the screen below top, and
    // the answer is the work area as it now is, "left top right bottom".
    // 4: the count of USER objects, in decimal.
    std::wstring out;
    if (call->wParam == 4) {
      out = std::to_wstring(CountUserObjects());
    } else if ((call->wParam & 0xFF) == 3) {
      RECT work{0, static_cast<LONG>(call->wParam >> 8), ::GetSystemMetrics(SM_CXSCREEN),
                ::GetSystemMetrics(SM_CYSCREEN)};
      ::SystemParametersInfoW(SPI_SETWORKAREA, 0, &work, SPIF_SENDCHANGE);
      ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
      out = std::to_wstring(work.left) + L" " + std::to_wstring(work.top) + L" " + std::to_wstring(work.right) +
            L" " + std::to_wstring(work.bottom);
    } else {
      HMENU menu = call->wParam == 1 ? reinterpret_cast<HMENU>(::SendMessageW(call->hwnd, MN_GETHMENU, 0, 0))
                                     : ::GetSystemMenu(call->hwnd, FALSE);
      if (menu) Describe(menu, 0, out);
    }
    COPYDATASTRUCT data{};
    data.dwData = 0x4F52;
    data.cbData = static_cast<DWORD>((out.size() + 1) * sizeof(wchar_t));
    data.lpData = out.data();
    ::SendMessageW(reinterpret_cast<HWND>(call->lParam), WM_COPYDATA,
                   reinterpret_cast<WPARAM>(call->hwnd), reinterpret_cast<LPARAM>(&data));
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
