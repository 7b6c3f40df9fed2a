// What telop mode costs: the real Orvane.exe drifts for ten seconds; prints
// the CPU time its process used and the moves seen. Prints only: timing never
// makes it fail.
//   telop_bench.exe [PATH\Orvane.exe [WxH|full [SECONDS [TEXT]]]]
// (default: Orvane.exe one folder up, the window as it starts, 10 s, the text
// it starts with: "Orvane" in a fresh folder). WxH sets
// the client size first, full the work area, near the work area less 32 px
// at each edge; "drifting" and "drift over" lines
// mark the drift for a script that measures other processes meanwhile.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_windows.h"

namespace {

double g_drift_seconds = 10.0;
constexpr double kIdleSeconds = 5.0;
constexpr DWORD kPollMs = 5;
constexpr int kTickMs = 20;  // the program's motion timer

double g_tick_ms = 0;

double NowMs() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_tick_ms;
}

void Fail(const char* what) {
  std::fprintf(stderr, "telop_bench: %s (error %lu)\n", what, ::GetLastError());
  std::exit(2);
}

std::wstring DefaultProduct() {
  wchar_t self[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path = self;
  path.resize(path.find_last_of(L"\\/"));     // the bench's folder
  path.resize(path.find_last_of(L"\\/") + 1);  // the build folder
  return path + L"Orvane.exe";
}

std::wstring FreshFolder() {
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"orvane-telop-bench-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void RemoveFolder(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = found.cFileName;
      if (name != L"." && name != L"..") ::DeleteFileW((folder + L"\\" + name).c_str());
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
  }
  ::RemoveDirectoryW(folder.c_str());
}

// An error box (no default printer, say) would hold the keyboard: pressed away.
int DismissDialogs(DWORD pid) {
  int dismissed = 0;
  for (HWND dialog : bench::WindowsOf(pid).dialogs) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      wchar_t name[16] = {};
      ::GetClassNameW(child, name, 16);
      if (_wcsicmp(name, L"Button") == 0 && ::IsWindowVisible(child)) {
        ::SendMessageW(child, BM_CLICK, 0, 0);
        ++dismissed;
        break;
      }
    }
  }
  return dismissed;
}

template <typename Condition>
bool WaitFor(Condition condition, double timeoutMs) {
  double deadline = NowMs() + timeoutMs;
  while (!condition()) {
    if (NowMs() > deadline) return false;
    ::Sleep(10);
  }
  return true;
}

double CpuMs(HANDLE process) {
  FILETIME created, exited, kernel, user;
  if (!::GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
  auto ms = [](const FILETIME& t) {
    return static_cast<double>((static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

void SendKeys(std::initializer_list<std::pair<WORD, bool>> keys) {
  std::vector<INPUT> inputs;
  for (auto [key, up] : keys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    inputs.push_back(input);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

bool Layered(HWND hwnd) { return (::GetWindowLongPtrW(hwnd, GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  g_tick_ms = 1000.0 / static_cast<double>(frequency.QuadPart);
  ::SetProcessDPIAware();

  std::wstring product = argc > 1 && argv[1][0] ? argv[1] : DefaultProduct();
  std::wstring size = argc > 2 ? argv[2] : L"";
  if (argc > 3) g_drift_seconds = std::max(1.0, _wtof(argv[3]));
  std::wstring text = argc > 4 ? argv[4] : L"";
  std::wstring folder = FreshFolder();
  std::wstring exe = folder + L"\\Orvane.exe";
  if (!::CopyFileW(product.c_str(), exe.c_str(), FALSE)) Fail("cannot copy Orvane.exe");

  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process)) {
    Fail("cannot start Orvane.exe");
  }
  ::WaitForInputIdle(process.hProcess, 10000);
  HWND window = nullptr;
  int dismissed = 0;
  WaitFor([&] {
    dismissed += DismissDialogs(process.dwProcessId);
    window = bench::WindowsOf(process.dwProcessId).main;
    return window && ::IsWindowVisible(window) && ::GetWindowTextLengthW(window) > 0;
  }, 15000);
  if (!window) Fail("no window");
  // Start-up's last steps (printer lookup, system menu) are over by now.
  WaitFor([&] { dismissed += DismissDialogs(process.dwProcessId); return false; }, 1000);

  RECT rect{};
  if (size == L"full" || size == L"near") {
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &rect, 0);
    // A window that covers the work area counts as full screen and holds
    // still; "near" keeps it 32 px inside each edge, so it drifts.
    if (size == L"near") ::InflateRect(&rect, -32, -32);
    ::SetWindowPos(window, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  } else if (int w = 0, h = 0; swscanf(size.c_str(), L"%dx%d", &w, &h) == 2) {
    RECT frame{0, 0, w, h};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_STYLE)), FALSE,
                         static_cast<DWORD>(::GetWindowLongPtrW(window, GWL_EXSTYLE)));
    ::SetWindowPos(window, nullptr, 100, 100, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (!text.empty()) {
    // The field is the window's one child; the change refits as typing would.
    HWND edit = ::FindWindowExW(window, nullptr, L"Edit", nullptr);
    if (!edit) Fail("no text field");
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  WaitFor([] { return false; }, 500);  // the refit to the new size
  ::GetWindowRect(window, &rect);
  RECT client{};
  ::GetClientRect(window, &client);
  std::printf("client %ld x %ld px\n", client.right, client.bottom);
  std::printf("Orvane window %ld x %ld px, motion tick %d ms\n", rect.right - rect.left,
              rect.bottom - rect.top, kTickMs);

  // At rest first, for comparison.
  double cpu0 = CpuMs(process.hProcess);
  double t0 = NowMs();
  WaitFor([] { return false; }, kIdleSeconds * 1000);
  double idleCpu = CpuMs(process.hProcess) - cpu0;
  double idleMs = NowMs() - t0;

  // Ctrl+Enter, as the user types it, with the window in front.
  bool entered = WaitFor([&] {
    if (Layered(window)) return true;
    ::SetForegroundWindow(window);
    if (::GetForegroundWindow() == window) {
      SendKeys({{VK_CONTROL, false}, {VK_RETURN, false}, {VK_RETURN, true}, {VK_CONTROL, true}});
      WaitFor([&] { return Layered(window); }, 500);
    }
    return Layered(window);
  }, 5000);
  if (!entered) {
    // The keyboard path failed (no foreground): the menu command itself.
    std::printf("(Ctrl+Enter did not arrive; telop mode not entered)\n");
    ::TerminateProcess(process.hProcess, 1);
    RemoveFolder(folder);
    return 2;
  }

  // Drifting: every position the window takes, polled every ~5 ms.
  ::GetWindowRect(window, &rect);
  RECT last = rect;
  long changes = 0, pathX = 0, pathY = 0, jumps = 0, polls = 0;
  std::printf("drifting\n");
  std::fflush(stdout);
  cpu0 = CpuMs(process.hProcess);
  t0 = NowMs();
  double end = t0 + g_drift_seconds * 1000;
  while (NowMs() < end) {
    ::Sleep(kPollMs);
    ++polls;
    RECT now{};
    ::GetWindowRect(window, &now);
    if (now.left == last.left && now.top == last.top) continue;
    ++changes;
    long dx = std::labs(now.left - last.left), dy = std::labs(now.top - last.top);
    if (dx > 50 || dy > 50) {
      ++jumps;  // re-entry at the other side of the work area
    } else {
      pathX += dx;
      pathY += dy;
    }
    last = now;
  }
  double driftMs = NowMs() - t0;
  std::printf("drift over\n");
  std::fflush(stdout);
  double driftCpu = CpuMs(process.hProcess) - cpu0;

  std::printf("at rest %.1f s:   CPU %.0f ms (%.2f %% of one core)\n", idleMs / 1000, idleCpu,
              100 * idleCpu / idleMs);
  std::printf("drifting %.1f s: CPU %.0f ms (%.2f %% of one core), %.2f ms CPU per expected tick\n",
              driftMs / 1000, driftCpu, 100 * driftCpu / driftMs, driftCpu / (driftMs / kTickMs));
  std::printf("moves: %ld position changes seen in %ld polls (~%lu ms apart; a diagonal step is two moves,\n"
              "       seen as one or two); path %ld px across, %ld px down/up, %ld re-entries;\n"
              "       expected %.0f ticks of 1 px on each moving axis\n",
              changes, polls, kPollMs, pathX, pathY, jumps, driftMs / kTickMs);
  std::printf("       = %.1f px/s on the busier axis\n", 1000.0 * std::max(pathX, pathY) / driftMs);
  if (dismissed) std::printf("(%d dialog(s) at start-up pressed away)\n", dismissed);

  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    DismissDialogs(process.dwProcessId);
    if (::WaitForSingleObject(process.hProcess, 5000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
  }
  ::WaitForSingleObject(process.hProcess, 5000);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  RemoveFolder(folder);
  return 0;
}
