#include "menu_reader.h"

#include <sstream>

namespace e2e {
namespace {

const UINT kProbeMessage = ::RegisterWindowMessageW(L"OrvaneE2EProbe");

std::wstring Received;

LRESULT CALLBACK ReceiverProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COPYDATA) {
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    Received.assign(static_cast<const wchar_t*>(data->lpData), data->cbData / sizeof(wchar_t));
    if (!Received.empty() && Received.back() == L'\0') Received.pop_back();
    return TRUE;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

HWND Receiver() {
  static HWND receiver = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = ReceiverProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"OrvaneE2EReceiver";
    ::RegisterClassW(&wc);
    return ::CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  }();
  return receiver;
}

// The probe is a DLL beside the test program; the hook loads it into the
// thread that owns the window.
std::vector<MenuLine> Ask(HWND target, WPARAM what) {
  static HMODULE probe = [] {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return ::LoadLibraryW((folder + L"orvane_e2e_probe.dll").c_str());
  }();
  std::vector<MenuLine> lines;
  if (!probe || !target) return lines;
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(probe, "ProbeHook")));
  DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
  HHOOK installed = ::SetWindowsHookExW(WH_CALLWNDPROC, hook, probe, thread);
  if (!installed) return lines;
  Received.clear();
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(target, kProbeMessage, what, reinterpret_cast<LPARAM>(Receiver()), SMTO_NORMAL,
                        5000, &result);
  ::UnhookWindowsHookEx(installed);
  std::wistringstream in(Received);
  std::wstring row;
  while (std::getline(in, row)) {
    MenuLine line;
    std::wistringstream fields(row);
    std::wstring field;
    std::getline(fields, field, L'|');
    line.depth = std::stoi(field);
    std::getline(fields, field, L'|');
    line.id = static_cast<UINT>(std::stoul(field));
    std::getline(fields, field, L'|');
    line.state = static_cast<UINT>(std::stoul(field));
    std::getline(fields, field, L'|');
    line.type = static_cast<UINT>(std::stoul(field));
    std::getline(fields, line.text);
    lines.push_back(line);
  }
  return lines;
}

}  // namespace

HWND OpenMenuWindow() {
  HWND found = nullptr;
  ::EnumWindows(
      [](HWND hwnd, LPARAM out) -> BOOL {
        wchar_t name[16] = {};
        ::GetClassNameW(hwnd, name, 16);
        if (std::wstring(name) == L"#32768" && ::IsWindowVisible(hwnd)) {
          *reinterpret_cast<HWND*>(out) = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<MenuLine> ReadOpenMenu() { return Ask(OpenMenuWindow(), 1); }

std::vector<MenuLine> ReadSystemMenu(HWND window) { return Ask(window, 2); }

}  // namespace e2e

#include "driver.h"

namespace e2e {
namespace {

bool Names(const MenuLine& line, const std::wstring& caption) {
  return line.Caption() == caption || line.Caption().starts_with(caption + L" (");
}

}  // namespace

bool ChooseFromMenu(Orvane& app, const std::vector<std::wstring>& path) {
  SIZE client = app.ClientSize();
  app.RightClickClient({client.cx / 2, client.cy / 2});
  if (!WaitUntil([] { return OpenMenuWindow() != nullptr; })) return false;
  std::vector<MenuLine> menu = ReadOpenMenu();
  std::size_t from = 0;
  int depth = 0;
  for (std::size_t level = 0; level < path.size(); ++level, ++depth) {
    // Arrow keys step over separators, not over grey items.
    int steps = 0;
    std::size_t at = from;
    for (; at < menu.size() && menu[at].depth >= depth; ++at) {
      if (menu[at].depth != depth || menu[at].Separator()) continue;
      ++steps;
      if (Names(menu[at], path[level])) break;
    }
    if (at == menu.size() || menu[at].depth < depth) return false;
    // In the top menu, opened by the mouse, nothing is highlighted yet; a
    // submenu opened with the right arrow starts on its first item.
    int presses = level == 0 ? steps : steps - 1;
    for (int i = 0; i < presses; ++i) app.PressKey(VK_DOWN);
    if (level + 1 < path.size()) {
      app.PressKey(VK_RIGHT);
      from = at + 1;
    }
  }
  app.PressKey(VK_RETURN);
  return WaitUntil([] { return OpenMenuWindow() == nullptr; });
}

}  // namespace e2e
