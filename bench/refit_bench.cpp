// Cost of one refit of the stretched line, and the bare font swap it is built on.
// Prints figures only: timing never makes it fail.

#include "app/program_win.h"

#include <commctrl.h>
#include <objbase.h>
#include <psapi.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "display/font_fit.h"
#include "display/log_font_win.h"
#include "platform/text_win.h"
#include "step_profile_win.h"

namespace {

constexpr int kRefitsPerText = 300;  // timed refits to each text of a pair
constexpr int kWarmUpPairs = 10;
constexpr int kProfiledPairs = 60;  // refits per text pair in the step breakdown
constexpr int kEditSlack = 16;  // the product's text field reaches this far past each side

struct Size {
  int cx;
  int cy;
};
constexpr Size kSizes[] = {{440, 220}, {1920, 1080}};

// Each pair alternates, so every refit builds a font of another width
// (the mixed text has more ANSI bytes than units).
struct TextPair {
  std::wstring_view ascii;
  std::wstring_view mixed;
};
constexpr std::wstring_view kAscii40 = L"Stretched line refit: forty ASCII units.";
constexpr std::wstring_view kMixed40 =
    L"全角文字abcd全角文字abcd全角文字abcd全角文字abcd全角文字abcd";
static_assert(kAscii40.size() == 40 && kMixed40.size() == 40);
constexpr TextPair kTexts[] = {
    {L"Ab", L"字a"},
    {L"Orvane", L"日本語abc"},
    {kAscii40, kMixed40},
};

struct Stats {
  double median_ms;
  double p99_ms;
  std::size_t count;
};

double g_tick_ms = 0;
int g_dialogs_dismissed = 0;

double NowMs() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_tick_ms;
}

Stats Summarise(std::vector<double> samples) {
  std::sort(samples.begin(), samples.end());
  auto rank = [&](double q) {  // nearest rank
    std::size_t r = static_cast<std::size_t>(std::ceil(q * static_cast<double>(samples.size())));
    return samples[std::clamp<std::size_t>(r, 1, samples.size()) - 1];
  };
  return {rank(0.5), rank(0.99), samples.size()};
}

void Pump() {
  MSG m;
  while (::PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&m);
    ::DispatchMessageW(&m);
  }
}

std::string Utf8(std::wstring_view s) {
  int n = ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), nullptr, 0,
                                nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr,
                        nullptr);
  return out;
}

int Ansi(std::wstring_view s) { return orvane::AnsiLength(orvane::U16(s)); }

std::wstring WindowTextOf(HWND hwnd) {
  std::wstring s(static_cast<std::size_t>(::GetWindowTextLengthW(hwnd)) + 1, L'\0');
  s.resize(static_cast<std::size_t>(::GetWindowTextW(hwnd, s.data(), static_cast<int>(s.size()))));
  return s;
}

// The program's error boxes would wait for a click; the bench closes them and counts them.
LRESULT CALLBACK DismissDialogs(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    wchar_t cls[16] = {};
    ::GetClassNameW(reinterpret_cast<HWND>(wParam), cls, 16);
    if (std::wstring_view(cls) == L"#32770") {
      ++g_dialogs_dismissed;
      ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, IDOK, 0);
      ::PostMessageW(reinterpret_cast<HWND>(wParam), WM_CLOSE, 0, 0);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Lets the form's client area exceed the virtual desktop.
LRESULT CALLBACK LargerTracking(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                DWORD_PTR) {
  LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_GETMINMAXINFO) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMaxTrackSize = {8000, 8000};
    info->ptMaxSize = {8000, 8000};
  }
  return result;
}

SIZE ClientOf(HWND hwnd) {
  RECT rc{};
  ::GetClientRect(hwnd, &rc);
  return {rc.right, rc.bottom};
}

// Places a framed window so its client area is cx x cy, starting at the
// desktop's top-left corner when it is as large as the desktop.
bool SetClientSize(HWND hwnd, Size size) {
  RECT window{};
  ::GetWindowRect(hwnd, &window);
  POINT origin{0, 0};
  ::ClientToScreen(hwnd, &origin);
  SIZE client = ClientOf(hwnd);
  int dx = (window.right - window.left) - client.cx;
  int dy = (window.bottom - window.top) - client.cy;
  int left = size.cx >= 1000 ? window.left - origin.x : 40;
  int top = size.cx >= 1000 ? window.top - origin.y : 40;
  ::SetWindowPos(hwnd, nullptr, left, top, size.cx + dx, size.cy + dy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  Pump();
  client = ClientOf(hwnd);
  return client.cx == size.cx && client.cy == size.cy;
}

LOGFONTW FloorLogFont(int cx, int cy, std::wstring_view text) {
  return orvane::ToLogFont(orvane::FitRecord(cx, cy, Ansi(text), u"ＭＳ 明朝", 0));
}

struct Row {
  Size size;
  std::wstring_view text;
  Stats stats;
  LOGFONTW font;  // as the text field held it after the last refit to this text
  int faults;     // refits whose result was not the expected font and caption
};

void PrintRows(const char* title, const std::vector<Row>& rows) {
  std::printf("\n%s\n", title);
  std::printf("  %-11s %-6s %5s %5s %6s %10s %10s %12s %6s\n", "client", "text", "units", "ansi",
              "n", "median ms", "p99 ms", "font h x w", "faults");
  for (const Row& r : rows) {
    char client[24];
    std::snprintf(client, sizeof client, "%dx%d", r.size.cx, r.size.cy);
    bool ascii = std::all_of(r.text.begin(), r.text.end(), [](wchar_t c) { return c < 0x80; });
    char font[24];
    std::snprintf(font, sizeof font, "%ld x %ld", static_cast<long>(r.font.lfHeight),
                  static_cast<long>(r.font.lfWidth));
    std::printf("  %-11s %-6s %5zu %5d %6zu %10.3f %10.3f %12s %6d\n", client,
                ascii ? "ascii" : "mixed", r.text.size(), Ansi(r.text), r.stats.count,
                r.stats.median_ms, r.stats.p99_ms, font, r.faults);
  }
}

LOGFONTW FontOf(HWND edit) {
  LOGFONTW lf{};
  auto font = reinterpret_cast<HFONT>(::SendMessageW(edit, WM_GETFONT, 0, 0));
  if (font) ::GetObjectW(font, sizeof lf, &lf);
  return lf;
}

struct FontCheck {
  HWND edit;
  HWND captionOwner;  // null: no caption to check
  Size size;
  LOGFONTW font() const { return FontOf(edit); }
  bool operator()(std::wstring_view text) const {
    LOGFONTW lf = FontOf(edit);
    bool ok = lf.lfHeight == size.cy && lf.lfWidth == size.cx / Ansi(text) &&
              WindowTextOf(edit) == text;
    if (captionOwner) ok = ok && WindowTextOf(captionOwner).starts_with(text);
    RECT dirty;
    return ok && !::GetUpdateRect(edit, &dirty, FALSE);
  }
};

// Runs the message a refit posted to finish itself (the caption), as the message
// loop would next. Peeked only while the caption is not yet the text's: under
// Wine a peek that finds nothing also presents the window and yields the CPU.
void RunPosted(HWND hwnd, std::wstring_view text) {
  if (WindowTextOf(hwnd).starts_with(text)) return;
  MSG m;
  while (::PeekMessageW(&m, hwnd, WM_APP, 0xBFFF, PM_REMOVE)) {
    ::DispatchMessageW(&m);
    if (WindowTextOf(hwnd).starts_with(text)) return;
  }
}

// Hands what the thread painted to the display: under Wine window surfaces
// reach the X server when the thread waits, and a refit is done only then.
void Present() { ::MsgWaitForMultipleObjectsEx(0, nullptr, 0, QS_ALLINPUT, 0); }

// One way to refit, measured in turns with the others so that all of them see
// the same load on a busy machine.
struct Subject {
  std::function<void()> enter;  // brings its window to the front with the focus it types with
  std::function<double(std::wstring_view)> refit;  // ms of one timed refit
  FontCheck check;
  std::vector<Row>* rows;
};

// Alternates the two texts of a pair in blocks, subject after subject.
void RunInterleaved(Size size, const TextPair& pair, std::vector<Subject>& subjects) {
  constexpr int kBlocks = 10;
  constexpr int kPairsPerBlock = kRefitsPerText / kBlocks;
  struct Samples {
    std::vector<double> ascii, mixed;
    int asciiFaults = 0, mixedFaults = 0;
  };
  std::vector<Samples> samples(subjects.size());
  for (int block = 0; block < kBlocks; ++block) {
    for (std::size_t k = 0; k < subjects.size(); ++k) {
      Subject& s = subjects[k];
      s.enter();
      for (int i = 0; i < (block == 0 ? kWarmUpPairs : 2); ++i) {
        s.refit(pair.ascii);
        Pump();
        s.refit(pair.mixed);
        Pump();
      }
      for (int i = 0; i < kPairsPerBlock; ++i) {
        samples[k].ascii.push_back(s.refit(pair.ascii));
        if (!s.check(pair.ascii)) ++samples[k].asciiFaults;
        Pump();
        samples[k].mixed.push_back(s.refit(pair.mixed));
        if (!s.check(pair.mixed)) ++samples[k].mixedFaults;
        Pump();
      }
    }
  }
  for (std::size_t k = 0; k < subjects.size(); ++k) {
    Subject& s = subjects[k];
    s.enter();
    s.refit(pair.ascii);
    s.rows->push_back({size, pair.ascii, Summarise(samples[k].ascii), s.check.font(), samples[k].asciiFaults});
    s.refit(pair.mixed);
    s.rows->push_back({size, pair.mixed, Summarise(samples[k].mixed), s.check.font(), samples[k].mixedFaults});
    Pump();
  }
}

double PeakWorkingSetMiB() {
  PROCESS_MEMORY_COUNTERS pmc{sizeof pmc};
  ::GetProcessMemoryInfo(::GetCurrentProcess(), &pmc, sizeof pmc);
  return static_cast<double>(pmc.PeakWorkingSetSize) / (1024.0 * 1024.0);
}

LRESULT CALLBACK FloorParentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // the text field covers the client area
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

// Times each step of a refit (messages, and the calls the program makes) and
// prints them nested as they ran: own time and time with nested steps.
template <typename Refit>
void PrintBreakdown(const char* who, Size size, const TextPair& pair, Refit refit) {
  bench::StepProfile::Reset();
  for (int i = 0; i < kWarmUpPairs; ++i) {
    refit(pair.ascii);
    refit(pair.mixed);
  }
  for (int i = 0; i < kProfiledPairs; ++i) {
    for (std::wstring_view text : {pair.ascii, pair.mixed}) {
      bench::StepProfile::Begin();
      refit(text);
      bench::StepProfile::End();
      Pump();
    }
  }
  std::printf("\nbreakdown: %s at %dx%d, texts \"%s\" / \"%s\", %d refits; per refit: calls,\n"
              "  median own ms (nested steps excluded), median total ms\n",
              who, size.cx, size.cy, Utf8(pair.ascii).c_str(), Utf8(pair.mixed).c_str(),
              2 * kProfiledPairs);
  double fonts = 0;
  for (const bench::StepRow& row : bench::StepProfile::Rows()) {
    if (row.name == "CreateFontIndirectW") fonts = row.calls;
    if (row.totalMs < 0.002 && row.calls < 0.5) continue;
    std::printf("  %5.2f %8.3f %8.3f  %*s%s\n", row.calls, row.selfMs, row.totalMs, 2 * row.depth, "",
                row.name.c_str());
  }
  std::printf("  fonts created per refit: %.2f (one is the rule)\n", fonts);
}

}  // namespace

int wmain() {
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  LARGE_INTEGER freq;
  ::QueryPerformanceFrequency(&freq);
  g_tick_ms = 1000.0 / static_cast<double>(freq.QuadPart);

  ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  ::InitCommonControlsEx(&controls);
  HHOOK hook = ::SetWindowsHookExW(WH_CBT, DismissDialogs, nullptr, ::GetCurrentThreadId());
  HINSTANCE instance = ::GetModuleHandleW(nullptr);

  std::printf("orvane_bench: one refit of the stretched line\n");
  std::printf(
      "method: in-process. The bench links the program's window sources (orvane_shell,\n"
      "  orvane_core, same manifest) and creates the real main window (class TForm1). One refit =\n"
      "  SetWindowTextW(EDIT child, text) [EN_CHANGE -> OnTextChanged -> FitFont, same thread]\n"
      "  + UpdateWindow(main window) [synchronous WM_PAINT of the window and its\n"
      "  text field] + the message the refit posted (UpdateCaption) + a zero-timeout\n"
      "  MsgWaitForMultipleObjectsEx, which hands the painted window to the X server (every\n"
      "  floor ends with it too). Texts alternate ascii/mixed\n"
      "  of equal UTF-16 length, so every refit makes a font of another width. %d timed refits\n"
      "  per text after %d warm-up pairs, in 10 blocks taken in turn with the floors' blocks;\n"
      "  median and p99 by nearest rank; QueryPerformanceCounter.\n",
      kRefitsPerText, kWarmUpPairs);
  std::printf("ANSI code page %u; 'ansi' = bytes in it, which FitFont divides the width by.\n",
              ::GetACP());
  std::printf("texts:\n");
  for (const TextPair& p : kTexts) {
    std::printf("  %2zu units: ascii \"%s\"  mixed \"%s\"\n", p.ascii.size(),
                Utf8(p.ascii).c_str(), Utf8(p.mixed).c_str());
  }

  // --- the program's own window ---
  orvane::Program form(instance);
  form.Start();
  Pump();
  if (g_dialogs_dismissed) {
    std::printf("note: %d message box(es) shown while the form was created were closed\n",
                g_dialogs_dismissed);
  }
  HWND hwnd = nullptr;
  for (HWND w = nullptr; (w = ::FindWindowExW(nullptr, w, L"TForm1", nullptr));) {
    DWORD pid = 0;
    ::GetWindowThreadProcessId(w, &pid);
    if (pid == ::GetCurrentProcessId()) hwnd = w;
  }
  HWND edit = hwnd ? ::FindWindowExW(hwnd, nullptr, L"EDIT", nullptr) : nullptr;
  if (!hwnd || !edit) {
    std::printf("error: the TForm1 window or its EDIT child was not found\n");
    return 1;
  }

  // --- the floors: a plain EDIT in a plain window, beside the form ---
  WNDCLASSEXW wc{sizeof wc};
  wc.lpfnWndProc = FloorParentProc;
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = L"OrvaneBenchFloor";
  ::RegisterClassExW(&wc);

  std::vector<Row> product;
  std::vector<Row> floor;
  std::vector<Row> keyFloor;
  double peakAfterProduct = 0;
  bool trackingRaised = false;
  for (Size size : kSizes) {
    if (!SetClientSize(hwnd, size) && !trackingRaised) {
      ::SetWindowSubclass(hwnd, LargerTracking, 1, 0);
      trackingRaised = true;
      std::printf("note: the bench raised the form's maximum tracking size (subclass, "
                  "WM_GETMINMAXINFO) so its client area can exceed the desktop\n");
      SetClientSize(hwnd, size);
    }
    SIZE client = ClientOf(hwnd);
    if (client.cx != size.cx || client.cy != size.cy) {
      std::printf("warning: client area is %ldx%ld, not %dx%d\n", static_cast<long>(client.cx),
                  static_cast<long>(client.cy), size.cx, size.cy);
    }
    // A popup's client area is its window: no frame, no size limit.
    HWND parent = ::CreateWindowExW(0, wc.lpszClassName, L"floor", WS_POPUP | WS_CLIPCHILDREN, 0, 0,
                                    size.cx, size.cy, nullptr, nullptr, instance, nullptr);
    // As wide as the program's text field: past each side by the same slack.
    HWND plain = ::CreateWindowExW(0, L"EDIT", L"",
                                   WS_CHILD | WS_VISIBLE | ES_CENTER | ES_AUTOHSCROLL | ES_NOHIDESEL,
                                   -kEditSlack, 0, size.cx + 2 * kEditSlack, size.cy, parent,
                                   nullptr, instance, nullptr);
    HFONT current = nullptr;
    auto swapFont = [&](std::wstring_view text) {
      LOGFONTW lf = FloorLogFont(size.cx, size.cy, text);
      HFONT font = ::CreateFontIndirectW(&lf);
      ::SendMessageW(plain, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
      ::UpdateWindow(plain);
      return font;
    };
    auto keepFont = [&](HFONT font) {
      if (current) ::DeleteObject(current);
      current = font;
    };
    // Only one of the two windows shows at a time, at the desktop's corner.
    auto front = [&](HWND shown, HWND hidden, HWND focus) {
      ::ShowWindow(hidden, SW_HIDE);
      ::SetWindowPos(shown, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
      ::SetForegroundWindow(shown);
      ::SetFocus(focus);
      Pump();
    };
    std::vector<Subject> subjects = {
        {[&] { front(hwnd, parent, edit); },
         [&](std::wstring_view text) {
           std::wstring s(text);
           double t0 = NowMs();
           ::SetWindowTextW(edit, s.c_str());
           ::UpdateWindow(hwnd);
           RunPosted(hwnd, text);  // the caption, which the program sets once the line shows
           Present();
           return NowMs() - t0;
         },
         FontCheck{edit, hwnd, size}, &product},
        {[&] { front(parent, hwnd, parent); },
         [&](std::wstring_view text) {
           std::wstring s(text);
           ::SetWindowTextW(plain, s.c_str());  // untimed: this floor is the font swap and paint
           double t0 = NowMs();
           HFONT font = swapFont(text);
           Present();
           double t1 = NowMs();
           keepFont(font);
           return t1 - t0;
         },
         FontCheck{plain, nullptr, size}, &floor},
        {[&] { front(parent, hwnd, plain); },
         [&](std::wstring_view text) {
           std::wstring s(text);
           double t0 = NowMs();
           ::SetWindowTextW(plain, s.c_str());
           HFONT font = swapFont(text);
           Present();
           double t1 = NowMs();
           keepFont(font);
           return t1 - t0;
         },
         FontCheck{plain, nullptr, size}, &keyFloor},
    };
    for (const TextPair& pair : kTexts) RunInterleaved(size, pair, subjects);
    peakAfterProduct = std::max(peakAfterProduct, PeakWorkingSetMiB());

    // Where the time goes, measured apart so the figures above carry no probes.
    bench::StepProfile::InstallImportTimers();
    subjects[0].enter();
    bench::StepProfile::Watch(hwnd, edit);
    for (const TextPair* pair : {&kTexts[0], &kTexts[2]}) {
      PrintBreakdown("TForm1", size, *pair, [&](std::wstring_view text) {
        std::wstring s(text);
        ::SetWindowTextW(edit, s.c_str());
        ::UpdateWindow(hwnd);
        RunPosted(hwnd, text);
        Present();
      });
    }
    bench::StepProfile::Unwatch();
    subjects[2].enter();
    bench::StepProfile::Watch(parent, plain);
    PrintBreakdown("focused plain EDIT", size, kTexts[0], [&](std::wstring_view text) {
      std::wstring s(text);
      ::SetWindowTextW(plain, s.c_str());
      keepFont(swapFont(text));
      Present();
    });
    bench::StepProfile::Unwatch();
    ::DestroyWindow(parent);
    keepFont(nullptr);
    front(hwnd, nullptr, edit);
  }
  PrintRows("TForm1 refit: SetWindowTextW + FitFont + repaint + UpdateCaption (the posted rest of the refit)",
            product);
  PrintRows("floor: CreateFontIndirectW + WM_SETFONT + UpdateWindow, plain EDIT, no focus (text set untimed)",
            floor);
  PrintRows("keystroke floor: SetWindowTextW + CreateFontIndirectW + WM_SETFONT + UpdateWindow, "
            "focused plain EDIT",
            keyFloor);
  std::printf("\nratio of medians, TForm1 / floor and TForm1 / keystroke floor (same text, same run):\n");
  for (std::size_t i = 0; i < product.size(); ++i) {
    const Row& r = product[i];
    bool ascii = std::all_of(r.text.begin(), r.text.end(), [](wchar_t c) { return c < 0x80; });
    std::printf("  %4dx%-4d %-5s %2zu units: %5.2f  %5.2f\n", r.size.cx, r.size.cy,
                ascii ? "ascii" : "mixed", r.text.size(), r.stats.median_ms / floor[i].stats.median_ms,
                r.stats.median_ms / keyFloor[i].stats.median_ms);
  }
  std::printf("\npeak working set (PeakWorkingSetSize): %.1f MiB after the TForm1 refits, "
              "%.1f MiB at the end\n",
              peakAfterProduct, PeakWorkingSetMiB());
  std::printf("faults = refits after which the font, text, caption or repaint was not as "
              "expected (should be 0)\n");

  ::DestroyWindow(hwnd);
  Pump();
  if (hook) ::UnhookWindowsHookEx(hook);
  ::CoUninitialize();
  return 0;
}
