#include "menu_reader.h"

#include "driver.h"

#include <optional>
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
std::wstring AskText(HWND target, WPARAM what) {
  static HMODULE probe = [] {
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.resize(folder.find_last_of(L'\\') + 1);
    return ::LoadLibraryW((folder + L"orvane_e2e_probe.dll").c_str());
  }();
  if (!probe || !target) return {};
  auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void*>(::GetProcAddress(probe, "ProbeHook")));
  DWORD thread = ::GetWindowThreadProcessId(target, nullptr);
  HHOOK installed = ::SetWindowsHookExW(WH_CALLWNDPROC, hook, probe, thread);
  if (!installed) return {};
  Received.clear();
  DWORD_PTR result = 0;
  ::SendMessageTimeoutW(target, kProbeMessage, what, reinterpret_cast<LPARAM>(Receiver()), SMTO_NORMAL,
                        5000, &result);
  ::UnhookWindowsHookEx(installed);
  return Received;
}

std::vector<MenuLine> Ask(HWND target, WPARAM what) {
  std::vector<MenuLine> lines;
  std::wistringstream in(AskText(target, what));
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

RECT SetProgramWorkArea(HWND window, int top) {
  std::wistringstream in(AskText(window, 3 | (static_cast<WPARAM>(top) << 8)));
  RECT work{-1, -1, -1, -1};
  in >> work.left >> work.top >> work.right >> work.bottom;
  return work;
}

std::optional<int> ProbeUserObjects(HWND window) {
  std::wstring count = AskText(window, 4);
  if (count.empty()) return std::nullopt;
  return std::stoi(count);
}

bool InjectFailure(HWND window, InjectedFailure call) {
  return AskText(window, 5 | (static_cast<WPARAM>(call) << 8)) == L"1";
}

int SystemMenuItems(HWND window) {
  int count = 0;
  for (const MenuLine& line : ReadSystemMenu(window)) {
    if (line.id == 100 && line.Caption() == L"Orvaneメニュー") ++count;
  }
  return count;
}

namespace {

bool Names(const MenuLine& line, const std::wstring& caption) {
  return line.Caption() == caption || line.Caption().starts_with(caption + L" (");
}

// The item of the menu window on top (the submenu last opened) that is
// highlighted, if any.
std::optional<MenuLine> Highlighted() {
  for (const MenuLine& line : ReadOpenMenu()) {
    if (line.depth == 0 && (line.state & MFS_HILITE)) return line;
  }
  return std::nullopt;
}

// Steps down until the item is highlighted, checking after every key: a stray
// mouse move over the menu may have highlighted something already.
bool StepTo(Orvane& app, const std::wstring& caption) {
  for (int step = 0; step < 64; ++step) {
    std::optional<MenuLine> at = Highlighted();
    if (at && Names(*at, caption)) return true;
    app.PressKey(VK_DOWN);
    WaitUntil([&] {
      std::optional<MenuLine> now = Highlighted();
      return now && (!at || now->text != at->text);
    }, 2s);
  }
  return false;
}

}  // namespace

bool ChooseFromMenu(Orvane& app, const std::vector<std::wstring>& path) {
  SIZE client = app.ClientSize();
  app.RightClickClient({client.cx / 2, client.cy / 2});
  if (!WaitUntil([] { return OpenMenuWindow() != nullptr; })) return false;
  // Keep the pointer off the menu, so only the keys move the highlight.
  PointerTo({0, 0});
  for (std::size_t level = 0; level < path.size(); ++level) {
    if (!StepTo(app, path[level])) return false;
    if (level + 1 < path.size()) {
      HWND parent = OpenMenuWindow();
      app.PressKey(VK_RIGHT);
      if (!WaitUntil([&] { return OpenMenuWindow() != parent && OpenMenuWindow() != nullptr; })) return false;
    }
  }
  app.PressKey(VK_RETURN);
  return WaitUntil([] { return OpenMenuWindow() == nullptr; });
}

}  // namespace e2e
