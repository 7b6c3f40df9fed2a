// How soon a program's window shows: Orvane against Wine's own notepad.
// Starts each program N times and measures until its top-level window is
// visible, and until it first waits for input (Orvane has then looked up the
// default printer too). Prints figures only.
//   orvane_startup_bench.exe PROGRAM [PROGRAM...] [--runs N]

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "bench_windows.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int runs = 15;
  std::vector<std::wstring> programs;
  for (int i = 1; i < argc; ++i) {
    if (std::wstring(argv[i]) == L"--runs" && i + 1 < argc) {
      runs = _wtoi(argv[++i]);
    } else {
      programs.emplace_back(argv[i]);
    }
  }
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  auto since = [&](const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
  };
  std::printf("%-40s %14s %14s %14s\n", "program", "shown median", "shown min", "idle median");
  for (const std::wstring& program : programs) {
    std::vector<double> shown, idle;
    for (int run = 0; run < runs; ++run) {
      std::wstring commandLine = L"\"" + program + L"\"";
      STARTUPINFOW startup{sizeof startup};
      PROCESS_INFORMATION process{};
      LARGE_INTEGER start;
      ::QueryPerformanceCounter(&start);
      if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
        std::fprintf(stderr, "cannot start %ls\n", program.c_str());
        return 2;
      }
      // Polled every millisecond: the window's appearance is what a user sees.
      for (int waited = 0; waited < 20000 && !bench::ShowsWindow(process.dwProcessId); ++waited) ::Sleep(1);
      shown.push_back(since(start));
      ::WaitForInputIdle(process.hProcess, 20000);
      idle.push_back(since(start));
      // Ended without a close, so it writes no settings beside itself.
      ::TerminateProcess(process.hProcess, 0);
      ::WaitForSingleObject(process.hProcess, 5000);
      ::CloseHandle(process.hThread);
      ::CloseHandle(process.hProcess);
    }
    std::printf("%-40ls %11.1f ms %11.1f ms %11.1f ms\n", program.c_str(), Median(shown),
                *std::min_element(shown.begin(), shown.end()), Median(idle));
  }
  std::printf("(%d starts each; 'idle' is when the program first waits for input)\n", runs);
  return 0;
}
