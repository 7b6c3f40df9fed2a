// Keeps Wine's virtual desktop up for a whole test run.
//
// Wine's server closes the desktop one second after the threads it counts on
// it are no more than the desktop process's own. Between two programs of a
// run that mark is met (no program at all for a moment), and it seems now and
// then also while programs still run. The desktop's X window then goes, and a
// program that starts or opens a window at that moment ends on an X error.
// The threads here are counted too and never leave: the mark is out of reach.
//
//   orvane_desktop_keeper.exe READY_FILE   (writes READY_FILE once it counts)

#include <windows.h>
#include <shellapi.h>

#include <array>

namespace {

LRESULT CALLBACK Window(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  // Not closed by anyone: the run's end stops the whole Wine server.
  if (message == WM_CLOSE) return 0;
  return ::DefWindowProcW(window, message, wparam, lparam);
}

DWORD WINAPI Idle(void*) {
  ::Sleep(INFINITE);
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  PWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
  // A window ties the process to the desktop, as the programs are; each
  // thread made after it is counted on the desktop as well.
  WNDCLASSW type{};
  type.lpfnWndProc = Window;
  type.hInstance = instance;
  type.lpszClassName = L"OrvaneDesktopKeeper";
  if (!::RegisterClassW(&type) ||
      !::CreateWindowExW(WS_EX_TOOLWINDOW, type.lpszClassName, L"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                         instance, nullptr)) {
    return 1;
  }
  // More than the desktop process has of its own, so that no coming and going
  // of other threads meets the mark.
  std::array<HANDLE, 16> threads{};
  for (HANDLE& thread : threads) thread = ::CreateThread(nullptr, 0, Idle, nullptr, 0, nullptr);
  if (argc > 1) {
    HANDLE ready = ::CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (ready != INVALID_HANDLE_VALUE) ::CloseHandle(ready);
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) ::DispatchMessageW(&message);
  return 0;
}
