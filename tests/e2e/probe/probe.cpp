// Loaded into Orvane's process by a hook, so the tests can read menus, which
// another process cannot: the command menu while it is open, and the window's
// system menu. Also sets the work area as the program sees it: under Wine that
// setting holds for the calling process only, and makes platform calls fail
// that nothing outside the process can make fail. Answers one registered
// message with WM_COPYDATA.

#include <windows.h>

#include <shlobj.h>

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

// Stand-ins for calls the program makes, failing as the platform may.
BOOL WINAPI FailingBitBlt(HDC, int, int, int, int, HDC, int, int, DWORD) {
  ::SetLastError(ERROR_INVALID_HANDLE);
  return FALSE;
}
HANDLE WINAPI FailingSetClipboardData(UINT, HANDLE) {
  ::SetLastError(ERROR_SUCCESS);  // a failure that leaves no error code
  return nullptr;
}
HRESULT STDMETHODCALLTYPE FailingSetPath(IShellLinkW*, LPCWSTR) { return E_INVALIDARG; }

bool Overwrite(void** slot, void* replacement) {
  DWORD old = 0;
  if (!::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return false;
  *slot = replacement;
  ::VirtualProtect(slot, sizeof *slot, old, &old);
  return true;
}

// Points the program's imports of dll!name at the replacement; true if it
// imports that function.
bool RedirectImport(const wchar_t* dll, const char* name, void* replacement) {
  auto* real = reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(dll), name));
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!real || imports.VirtualAddress == 0) return false;
  bool found = false;
  for (auto* module = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); module->Name;
       ++module) {
    for (auto** slot = reinterpret_cast<void**>(base + module->FirstThunk); *slot; ++slot) {
      if (*slot == real) found = Overwrite(slot, replacement) || found;
    }
  }
  return found;
}

// Every shell link of the process shares one method table: its SetPath fails
// from now on. The object is kept, and with it the library that holds the table.
bool BreakShellLinkSetPath() {
  IShellLinkW* link = nullptr;
  if (FAILED(::CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&link)))) return false;
  constexpr int kSetPath = 20;  // the last of IShellLinkW's methods
  void** table = *reinterpret_cast<void***>(link);
  return Overwrite(&table[kSetPath], reinterpret_cast<void*>(&FailingSetPath));
}

// 1: BitBlt, 2: SetClipboardData, 3: IShellLinkW::SetPath fails for the rest of
// the run. The stand-ins live here: the probe stays loaded once unhooked.
bool InjectFailure(WPARAM what) {
  HMODULE self = nullptr;
  if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_PIN,
                            reinterpret_cast<LPCWSTR>(&InjectFailure), &self)) {
    return false;
  }
  switch (what) {
    case 1: return RedirectImport(L"gdi32.dll", "BitBlt", reinterpret_cast<void*>(&FailingBitBlt));
    case 2: return RedirectImport(L"user32.dll", "SetClipboardData", reinterpret_cast<void*>(&FailingSetClipboardData));
    case 3: return BreakShellLinkSetPath();
    default: return false;
  }
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK ProbeHook(int code, WPARAM wParam, LPARAM lParam) {
  const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
  if (code == HC_ACTION && call && call->message == kProbeMessage) {
    // wParam 1: the open menu of this menu window; 2: this window's system
    // menu; 3 + (top << 8): the work area becomes the screen below top, and
    // the answer is the work area as it now is, "left top right bottom".
    // 4: the count of USER objects, in decimal. 5 + (call << 8): that call
    // fails from now on (InjectFailure); the answer is 1 if it was found.
    std::wstring out;
    if (call->wParam == 4) {
      out = std::to_wstring(CountUserObjects());
    } else if ((call->wParam & 0xFF) == 5) {
      out = InjectFailure(call->wParam >> 8) ? L"1" : L"0";
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
