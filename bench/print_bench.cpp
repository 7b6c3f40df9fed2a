// What printing costs. First the whole-line fit on the default printer's
// landscape sheet, for lines of 10, 40 and 200 characters: the height found
// and milliseconds. Then a 20-page one-character-per-sheet
// job of the real Orvane.exe: from OK in the print dialog to the job handed to
// the spooler, and to the PDF printer's file. Prints only: timing never makes
// it fail.
//   print_bench.exe PATH\Orvane.exe PDF_FOLDER (the PDF printer's output folder)

#include <windows.h>
#include <winspool.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "bench_windows.h"
#include "output/printing_win.h"

namespace {

double g_tick_ms = 0;

double NowMs() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_tick_ms;
}

template <typename Condition>
bool WaitFor(Condition condition, double timeoutMs) {
  double deadline = NowMs() + timeoutMs;
  while (!condition()) {
    if (NowMs() > deadline) return false;
    ::Sleep(5);
  }
  return true;
}

// ---- The fit --------------------------------------------------------------

void BenchFit() {
  wchar_t printer[512] = {};
  DWORD size = 512;
  if (!::GetDefaultPrinterW(printer, &size)) {
    std::printf("fit: no default printer\n");
    return;
  }
  // The printer's own settings, turned to landscape.
  HANDLE handle = nullptr;
  if (!::OpenPrinterW(printer, &handle, nullptr)) return;
  LONG bytes = ::DocumentPropertiesW(nullptr, handle, printer, nullptr, nullptr, 0);
  std::vector<std::uint8_t> mode(bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
  auto* devmode = reinterpret_cast<DEVMODEW*>(mode.data());
  if (mode.empty() || ::DocumentPropertiesW(nullptr, handle, printer, devmode, nullptr, DM_OUT_BUFFER) != IDOK) {
    ::ClosePrinter(handle);
    return;
  }
  ::ClosePrinter(handle);
  devmode->dmFields |= DM_ORIENTATION;
  devmode->dmOrientation = DMORIENT_LANDSCAPE;
  HDC dc = ::CreateICW(L"WINSPOOL", printer, nullptr, devmode);
  if (!dc) return;
  std::printf("fit on %ls: landscape %d x %d px at %d dpi, face ＭＳ 明朝\n", printer, ::GetDeviceCaps(dc, HORZRES),
              ::GetDeviceCaps(dc, VERTRES), ::GetDeviceCaps(dc, LOGPIXELSX));

  LOGFONTW look{};
  look.lfWeight = FW_NORMAL;
  look.lfCharSet = SHIFTJIS_CHARSET;
  wcscpy_s(look.lfFaceName, L"ＭＳ 明朝");
  const wchar_t* kinds[] = {L"ABCDEFGHIJKLMNOPQRSTUVWXYZ", L"本日休業"};
  for (const wchar_t* kind : kinds) {
    for (int length : {10, 40, 200}) {
      std::u16string line;
      for (int i = 0; i < length; ++i) line += static_cast<char16_t>(kind[i % wcslen(kind)]);
      constexpr int kRuns = 5;
      std::vector<double> ms;
      orvane::LineFit fit;
      for (int run = 0; run < kRuns; ++run) {
        double start = NowMs();
        orvane::FittedLine fitted = orvane::FitLineOnSheet(dc, look, line);
        ms.push_back(NowMs() - start);
        fit = fitted.fit;
      }
      std::sort(ms.begin(), ms.end());
      std::printf("  %3d %-9s height %5d, width %5d: %7.2f ms (median of %d)\n", length,
                  kind[0] == L'A' ? "half-width" : "full-width", fit.height, fit.width, ms[kRuns / 2], kRuns);
    }
  }
  ::DeleteDC(dc);
}

// ---- A 20-page job ----------------------------------------------------------

std::set<std::wstring> Files(const std::wstring& pattern) {
  std::set<std::wstring> names;
  WIN32_FIND_DATAW found{};
  HANDLE search = ::FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do names.insert(found.cFileName);
  while (::FindNextFileW(search, &found));
  ::FindClose(search);
  return names;
}

std::wstring SpoolPattern() {
  wchar_t windows[MAX_PATH] = {};
  ::GetWindowsDirectoryW(windows, MAX_PATH);
  return std::wstring(windows) + L"\\system32\\spool\\PRINTERS\\*.SPL";
}

// A PDF is whole once it ends in its end-of-file marker.
bool WholePdf(const std::wstring& path) {
  HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  char tail[16] = {};
  DWORD got = 0;
  LARGE_INTEGER back{};
  back.QuadPart = -static_cast<LONGLONG>(sizeof tail);
  bool whole = ::SetFilePointerEx(file, back, nullptr, FILE_END) && ::ReadFile(file, tail, sizeof tail, &got, nullptr) &&
               std::string(tail, got).find("%%EOF") != std::string::npos;
  ::CloseHandle(file);
  return whole;
}

void BenchJob(const std::wstring& product, const std::wstring& pdfFolder) {
  constexpr wchar_t kText[] = L"ABCDEFGHIJKLMNOPQRST";  // 20 sheets
  wchar_t temp[MAX_PATH] = {};
  ::GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"orvane-print-bench-" + std::to_wstring(::GetCurrentProcessId());
  ::CreateDirectoryW(folder.c_str(), nullptr);
  std::wstring exe = folder + L"\\Orvane.exe";
  std::wstring ini = folder + L"\\Orvane.ini";
  ::CopyFileW(product.c_str(), exe.c_str(), FALSE);
  ::WritePrivateProfileStringW(L"OPTION", L"Text", kText, ini.c_str());
  ::WritePrivateProfileStringW(L"OPTION", L"SelectAll", L"0", ini.c_str());

  std::wstring commandLine = L"\"" + exe + L"\"";
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                        &startup, &process)) {
    std::printf("job: cannot start Orvane.exe\n");
    return;
  }
  ::WaitForInputIdle(process.hProcess, 10000);
  HWND window = nullptr;
  WaitFor([&] {
    window = bench::WindowsOf(process.dwProcessId).main;
    return window && ::IsWindowVisible(window);
  }, 15000);
  HWND dialog = nullptr;
  auto printDialog = [&] {
    for (HWND d : bench::WindowsOf(process.dwProcessId).dialogs) {
      if (::GetDlgItem(d, 0x482)) dialog = d;  // the copies field
    }
    return dialog != nullptr;
  };
  // Ctrl+P with the window in front, until the dialog shows.
  WaitFor([&] {
    ::SetForegroundWindow(window);
    if (::GetForegroundWindow() == window) {
      INPUT keys[4] = {};
      WORD vk[4] = {VK_CONTROL, 'P', 'P', VK_CONTROL};
      for (int i = 0; i < 4; ++i) {
        keys[i].type = INPUT_KEYBOARD;
        keys[i].ki.wVk = vk[i];
        keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
      }
      ::SendInput(4, keys, sizeof(INPUT));
    }
    return WaitFor(printDialog, 2000);
  }, 20000);
  if (!dialog) {
    std::printf("job: no print dialog\n");
  } else {
    std::set<std::wstring> before = Files(pdfFolder + L"\\*.pdf");
    std::wstring spool = SpoolPattern();
    double ok = NowMs();
    ::PostMessageW(::GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    bool started = WaitFor([&] { return !Files(spool).empty(); }, 20000);
    double start = NowMs();
    bool handedOn = started && WaitFor([&] { return Files(spool).empty(); }, 600000);
    double spooled = NowMs();
    std::wstring pdf;
    bool printed = WaitFor([&] {
      for (const std::wstring& name : Files(pdfFolder + L"\\*.pdf")) {
        if (!before.contains(name)) pdf = pdfFolder + L"\\" + name;
      }
      return !pdf.empty() && WholePdf(pdf);
    }, 600000);
    double done = NowMs();
    std::printf("job of 20 sheets, one character each:\n");
    if (started) std::printf("  OK to the job's start:          %8.0f ms\n", start - ok);
    if (handedOn) std::printf("  OK to the job handed on:        %8.0f ms (%.0f ms a sheet)\n", spooled - ok,
                              (spooled - start) / 20);
    if (printed) std::printf("  OK to the PDF, whole:           %8.0f ms\n", done - ok);
    if (!printed) std::printf("  no PDF appeared in %ls\n", pdfFolder.c_str());
    if (!pdf.empty()) ::DeleteFileW(pdf.c_str());
  }
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) ::TerminateProcess(process.hProcess, 1);
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  ::DeleteFileW(ini.c_str());
  ::DeleteFileW(exe.c_str());
  ::RemoveDirectoryW(folder.c_str());
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  g_tick_ms = 1000.0 / static_cast<double>(frequency.QuadPart);
  BenchFit();
  if (argc > 2) BenchJob(argv[1], argv[2]);
  return 0;
}
