#pragma once
// Finding a running Orvane's windows from the benchmark's own process: its
// main window (class TForm1), the dialogs it shows, or whatever top-level
// window a process shows first.

#include <windows.h>

#include <string>
#include <vector>

namespace bench {

inline constexpr wchar_t kMainWindowClass[] = L"TForm1";

// The main window of Orvane in whichever process shows one.
inline HWND AnyMainWindow() { return ::FindWindowW(kMainWindowClass, nullptr); }

// The windows of one process.
struct ProcessWindows {
  DWORD pid;
  HWND main = nullptr;        // class TForm1, shown or not
  std::vector<HWND> dialogs;  // visible ones only
};

inline ProcessWindows WindowsOf(DWORD pid) {
  ProcessWindows found{pid};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* w = reinterpret_cast<ProcessWindows*>(lParam);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner != w->pid) return TRUE;
        wchar_t name[32] = {};
        ::GetClassNameW(hwnd, name, 32);
        if (std::wstring(name) == kMainWindowClass) w->main = hwnd;
        if (std::wstring(name) == L"#32770" && ::IsWindowVisible(hwnd)) w->dialogs.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

// Whether the process shows a visible window of its own (not owned by
// another), of any class: what a user sees of a start.
inline bool ShowsWindow(DWORD pid) {
  struct Search {
    DWORD pid;
    bool found;
  } search{pid, false};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && ::IsWindowVisible(hwnd) && !::GetWindow(hwnd, GW_OWNER)) {
          s->found = true;
          return FALSE;  // the first one is enough: the start is timed by it
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace bench
