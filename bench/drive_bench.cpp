// Puts a running Orvane where the outside meters expect it, and drags its frame.
//   orvane_drive.exe place TEXT W H X Y   text set, caret at its end, client area
//                                         W x H with its top-left corner at X, Y
//   orvane_drive.exe place TEXT full      the same in full screen (Ctrl+Space)
//   orvane_drive.exe drag STEPS PIXELS    drags the bottom-right corner outwards
//   orvane_drive.exe caption              prints the caption (UTF-8)
//   orvane_drive.exe close                closes Orvane and waits for it to end
// place prints the client rectangle on the screen: "X Y W H". drag prints how
// many sizes the caption showed and refits per second. Figures only.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

#include "bench_windows.h"

namespace {

double g_tickMs = 0;

double NowMs() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_tickMs;
}

// Polls a condition every millisecond, up to a limit.
template <typename Condition>
bool WaitFor(Condition condition, double limitMs) {
  double end = NowMs() + limitMs;
  while (!condition()) {
    if (NowMs() > end) return false;
    ::Sleep(1);
  }
  return true;
}

HWND FindForm() {
  HWND found = nullptr;
  WaitFor([&] { return (found = bench::AnyMainWindow()) && ::IsWindowVisible(found); }, 30000);
  return found;
}

std::wstring Caption(HWND hwnd) {
  wchar_t text[512] = {};
  ::GetWindowTextW(hwnd, text, 512);  // the stored title, no message to the busy program
  return text;
}

RECT ClientOnScreen(HWND hwnd) {
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  ::MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&rc), 2);
  return rc;
}

void SendKeys(std::initializer_list<WORD> down) {
  std::vector<INPUT> inputs;
  for (WORD key : down) {
    INPUT in{INPUT_KEYBOARD};
    in.ki.wVk = key;
    inputs.push_back(in);
  }
  for (auto it = down.end(); it != down.begin();) {
    INPUT in{INPUT_KEYBOARD};
    in.ki.wVk = *--it;
    in.ki.dwFlags = KEYEVENTF_KEYUP;
    inputs.push_back(in);
  }
  ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

void Mouse(int x, int y, DWORD button) {
  // Absolute coordinates run 0..65535 over the primary screen.
  int w = ::GetSystemMetrics(SM_CXSCREEN);
  int h = ::GetSystemMetrics(SM_CYSCREEN);
  INPUT in{INPUT_MOUSE};
  in.mi.dx = static_cast<LONG>((static_cast<long long>(x) * 65535 + (w - 1) / 2) / (w - 1));
  in.mi.dy = static_cast<LONG>((static_cast<long long>(y) * 65535 + (h - 1) / 2) / (h - 1));
  in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
  ::SendInput(1, &in, sizeof in);
}

int Place(const wchar_t* text, int argc, wchar_t** argv) {
  HWND form = FindForm();
  HWND edit = form ? ::FindWindowExW(form, nullptr, L"EDIT", nullptr) : nullptr;
  if (!edit) {
    std::fprintf(stderr, "orvane_drive: no Orvane window\n");
    return 2;
  }
  ::SetForegroundWindow(form);
  bool full = argc >= 1 && std::wstring(argv[0]) == L"full";
  if (full) {
    int w = ::GetSystemMetrics(SM_CXSCREEN);
    int h = ::GetSystemMetrics(SM_CYSCREEN);
    // The window covers the screen; its client area lies inside the inner border.
    auto isFull = [&] {
      RECT rc{};
      ::GetWindowRect(form, &rc);
      return rc.left == 0 && rc.top == 0 && rc.right == w && rc.bottom == h;
    };
    if (!isFull()) SendKeys({VK_CONTROL, VK_SPACE});
    if (!WaitFor(isFull, 10000)) std::fprintf(stderr, "orvane_drive: not full screen\n");
  } else if (argc >= 4) {
    int w = _wtoi(argv[0]), h = _wtoi(argv[1]), x = _wtoi(argv[2]), y = _wtoi(argv[3]);
    RECT window{};
    ::GetWindowRect(form, &window);
    RECT client = ClientOnScreen(form);
    int left = x - (client.left - window.left);
    int top = y - (client.top - window.top);
    int frameW = (window.right - window.left) - (client.right - client.left);
    int frameH = (window.bottom - window.top) - (client.bottom - client.top);
    ::SetWindowPos(form, nullptr, left, top, w + frameW, h + frameH, SWP_NOZORDER);
    WaitFor([&] {
      RECT rc = ClientOnScreen(form);
      return rc.left == x && rc.top == y && rc.right - rc.left == w && rc.bottom - rc.top == h;
    }, 10000);
  }
  ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  ::SendMessageW(edit, EM_SETSEL, 0x7FFFFFFF, 0x7FFFFFFF);
  ::SendMessageW(form, WM_NULL, 0, 0);  // everything before it has been handled
  RECT rc = ClientOnScreen(form);
  std::printf("%ld %ld %ld %ld\n", static_cast<long>(rc.left), static_cast<long>(rc.top),
              static_cast<long>(rc.right - rc.left), static_cast<long>(rc.bottom - rc.top));
  return 0;
}

// One drag of the bottom-right corner. paceMs 0: each step waits until the
// caption shows its size; otherwise steps follow each other every paceMs.
struct DragResult {
  int steps;
  int captions;     // distinct captions seen, the final one included
  double ms;        // first move until the caption showed the last size
  bool reached;     // the caption ended on the last size
};

DragResult Drag(HWND form, int steps, int pixels, double paceMs) {
  RECT window{};
  ::GetWindowRect(form, &window);
  int x = window.right - 3;
  int y = window.bottom - 3;
  RECT client = ClientOnScreen(form);
  int cw = client.right - client.left;
  int ch = client.bottom - client.top;
  auto sizeText = [](int w, int h) { return L" " + std::to_wstring(w) + L" x " + std::to_wstring(h) + L" "; };
  Mouse(x, y, 0);
  ::Sleep(50);  // the pointer rests before the button goes down, as a hand's does
  Mouse(x, y, MOUSEEVENTF_LEFTDOWN);
  ::Sleep(50);
  std::wstring last = Caption(form);
  int captions = 0;
  auto poll = [&] {
    std::wstring now = Caption(form);
    if (now != last) {
      ++captions;
      last = now;
    }
  };
  double t0 = NowMs();
  for (int i = 1; i <= steps; ++i) {
    Mouse(x + i * pixels, y + i * pixels, 0);
    std::wstring want = sizeText(cw + i * pixels, ch + i * pixels);
    if (paceMs == 0) {
      WaitFor([&] { poll(); return last.find(want) != std::wstring::npos; }, 2000);
    } else {
      double next = t0 + i * paceMs;
      while (NowMs() < next) {
        poll();
        ::Sleep(1);
      }
    }
  }
  std::wstring want = sizeText(cw + steps * pixels, ch + steps * pixels);
  bool reached = WaitFor([&] { poll(); return last.find(want) != std::wstring::npos; }, 5000);
  double ms = NowMs() - t0;
  Mouse(x + steps * pixels, y + steps * pixels, MOUSEEVENTF_LEFTUP);
  ::Sleep(100);
  return {steps, captions, ms, reached};
}

int DragRun(int steps, int pixels) {
  HWND form = FindForm();
  if (!form) {
    std::fprintf(stderr, "orvane_drive: no Orvane window\n");
    return 2;
  }
  // The frame follows the mouse only when windows are dragged whole.
  ::SystemParametersInfoW(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  ::SetForegroundWindow(form);
  RECT start{};
  ::GetWindowRect(form, &start);
  auto reset = [&] {
    ::SetWindowPos(form, nullptr, start.left, start.top, start.right - start.left,
                   start.bottom - start.top, SWP_NOZORDER);
    ::SendMessageW(form, WM_NULL, 0, 0);
  };
  struct Mode {
    const char* name;
    double pace;
  };
  for (Mode mode : {Mode{"each step waits for its caption", 0}, Mode{"a step every 16 ms (60 Hz)", 16},
                    Mode{"a step every 8 ms (125 Hz)", 8}}) {
    reset();
    DragResult r = Drag(form, steps, pixels, mode.pace);
    std::printf("drag, %s: %d steps of %d px, %d sizes shown, %.0f ms, %.1f refits/s, "
                "last size %s\n",
                mode.name, r.steps, pixels, r.captions, r.ms, 1000.0 * r.captions / r.ms,
                r.reached ? "shown" : "NOT shown");
  }
  reset();
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::setvbuf(stdout, nullptr, _IONBF, 0);
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  g_tickMs = 1000.0 / static_cast<double>(f.QuadPart);
  if (argc >= 4 && std::wstring(argv[1]) == L"place") return Place(argv[2], argc - 3, argv + 3);
  if (argc >= 2 && std::wstring(argv[1]) == L"close") {
    HWND form = bench::AnyMainWindow();
    if (!form) return 0;
    DWORD process = 0;
    ::GetWindowThreadProcessId(form, &process);
    HANDLE handle = ::OpenProcess(SYNCHRONIZE, FALSE, process);
    ::PostMessageW(form, WM_CLOSE, 0, 0);
    if (handle) {
      ::WaitForSingleObject(handle, 10000);
      ::CloseHandle(handle);
    }
    return 0;
  }
  if (argc >= 2 && std::wstring(argv[1]) == L"caption") {
    HWND form = FindForm();
    if (!form) return 2;
    std::wstring caption = Caption(form);
    std::string utf8(static_cast<std::size_t>(caption.size()) * 3 + 1, '\0');
    utf8.resize(static_cast<std::size_t>(::WideCharToMultiByte(
        CP_UTF8, 0, caption.c_str(), static_cast<int>(caption.size()), utf8.data(),
        static_cast<int>(utf8.size()), nullptr, nullptr)));
    std::printf("%s\n", utf8.c_str());
    return 0;
  }
  if (argc >= 4 && std::wstring(argv[1]) == L"drag") return DragRun(_wtoi(argv[2]), _wtoi(argv[3]));
  std::fprintf(stderr, "usage: orvane_drive place TEXT W H X Y | place TEXT full | drag STEPS PIXELS\n");
  return 2;
}
