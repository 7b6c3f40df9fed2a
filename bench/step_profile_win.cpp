#include "step_profile_win.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <unordered_map>

namespace bench {
namespace {

struct Step {
  std::string name;
  int depth;
};
struct Accum {
  int calls = 0;
  double self = 0;
  double total = 0;
};
struct Frame {
  int step;
  double t0;
  double child;
};

double g_tickMs = 0;
bool g_recording = false;
std::vector<Step> g_steps;
std::unordered_map<std::string, int> g_index;
std::vector<Frame> g_stack;
std::vector<Accum> g_current;
std::vector<std::vector<Accum>> g_refits;
HWND g_form = nullptr;
HWND g_edit = nullptr;

double Now() {
  LARGE_INTEGER t;
  ::QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) * g_tickMs;
}

int StepOf(const std::string& name) {
  auto it = g_index.find(name);
  if (it != g_index.end()) return it->second;
  int i = static_cast<int>(g_steps.size());
  g_steps.push_back({name, static_cast<int>(g_stack.size())});
  g_index.emplace(name, i);
  return i;
}

void Enter(const std::string& name) {
  g_stack.push_back({StepOf(name), Now(), 0});
}

void Leave() {
  double t = Now();
  Frame f = g_stack.back();
  g_stack.pop_back();
  double total = t - f.t0;
  if (g_current.size() <= static_cast<std::size_t>(f.step)) g_current.resize(g_steps.size());
  Accum& a = g_current[static_cast<std::size_t>(f.step)];
  ++a.calls;
  a.self += total - f.child;
  a.total += total;
  if (!g_stack.empty()) g_stack.back().child += total;
}

// Times the enclosing call while a refit is recorded.
class Scope {
 public:
  template <typename Name>
  explicit Scope(Name&& name) : on_(g_recording) {
    if (on_) Enter(name());
  }
  Scope(const Scope&) = delete;
  Scope& operator=(const Scope&) = delete;
  ~Scope() {
    if (on_) Leave();
  }

 private:
  bool on_;
};

std::string MessageName(UINT message, WPARAM wParam) {
  switch (message) {
#define NAME(m) \
  case m:       \
    return #m
    NAME(WM_SETTEXT);
    NAME(WM_GETTEXT);
    NAME(WM_GETTEXTLENGTH);
    NAME(WM_SETFONT);
    NAME(WM_GETFONT);
    NAME(WM_PAINT);
    NAME(WM_NCPAINT);
    NAME(WM_ERASEBKGND);
    NAME(WM_NCACTIVATE);
    NAME(WM_CTLCOLOREDIT);
    NAME(WM_CTLCOLORSTATIC);
    NAME(WM_SIZE);
    NAME(WM_MOVE);
    NAME(WM_WINDOWPOSCHANGING);
    NAME(WM_WINDOWPOSCHANGED);
    NAME(WM_NCCALCSIZE);
    NAME(WM_GETMINMAXINFO);
    NAME(WM_SETREDRAW);
    NAME(WM_STYLECHANGING);
    NAME(WM_STYLECHANGED);
    NAME(WM_CHAR);
    NAME(WM_KEYDOWN);
    NAME(WM_KEYUP);
    NAME(WM_IME_NOTIFY);
    NAME(WM_GETOBJECT);
    NAME(WM_TIMER);
    NAME(EM_SETMARGINS);
    NAME(EM_GETMARGINS);
    NAME(EM_POSFROMCHAR);
    NAME(EM_GETSEL);
    NAME(EM_SETSEL);
    NAME(EM_SCROLLCARET);
    NAME(EM_SETRECT);
    NAME(EM_SETRECTNP);
    NAME(EM_GETRECT);
#undef NAME
    case WM_COMMAND:
      switch (HIWORD(wParam)) {
        case EN_CHANGE:
          return "WM_COMMAND EN_CHANGE";
        case EN_UPDATE:
          return "WM_COMMAND EN_UPDATE";
        default:
          return "WM_COMMAND";
      }
    default: {
      char s[24];
      std::snprintf(s, sizeof s, "msg 0x%04X", message);
      return s;
    }
  }
}

std::string WindowName(HWND hwnd) {
  if (hwnd == g_form) return "form ";
  if (hwnd == g_edit) return "edit ";
  return "other ";
}

decltype(&::DefSubclassProc) g_DefSubclassProc = nullptr;

LRESULT CALLBACK Outermost(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                           DWORD_PTR) {
  Scope s([&] { return WindowName(hwnd) + MessageName(message, wParam); });
  // Straight to the next subclass: the program's own calls are the ones timed.
  return g_DefSubclassProc ? g_DefSubclassProc(hwnd, message, wParam, lParam)
                           : ::DefSubclassProc(hwnd, message, wParam, lParam);
}

// --- calls through the import table ---

void* PatchImport(const char* function, void* replacement) {
  auto* base = reinterpret_cast<BYTE*>(::GetModuleHandleW(nullptr));
  auto* dos = reinterpret_cast<IMAGE_DOS_HEADER*>(base);
  auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  if (!dir.VirtualAddress) return nullptr;
  for (auto* d = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); d->Name; ++d) {
    if (!d->OriginalFirstThunk) continue;  // names gone: cannot match
    auto* names = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->OriginalFirstThunk);
    auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + d->FirstThunk);
    for (; names->u1.AddressOfData; ++names, ++slots) {
      if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
      auto* byName = reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
      if (std::strcmp(reinterpret_cast<const char*>(byName->Name), function) != 0) continue;
      DWORD old = 0;
      ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, PAGE_READWRITE, &old);
      void* original = reinterpret_cast<void*>(slots->u1.Function);
      slots->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
      ::VirtualProtect(&slots->u1.Function, sizeof slots->u1.Function, old, &old);
      return original;
    }
  }
  return nullptr;
}

#define TIMED(ret, fn, params, args)                            \
  decltype(&::fn) g_##fn = nullptr;                              \
  ret WINAPI Timed##fn params {                                  \
    Scope scope_([] { return std::string(#fn); });               \
    return g_##fn args;                                          \
  }

TIMED(HFONT, CreateFontIndirectW, (const LOGFONTW* lf), (lf))
TIMED(BOOL, DeleteObject, (HGDIOBJ h), (h))
TIMED(BOOL, BitBlt, (HDC d, int x, int y, int w, int h, HDC s, int sx, int sy, DWORD rop),
      (d, x, y, w, h, s, sx, sy, rop))
TIMED(int, FillRect, (HDC dc, const RECT* rc, HBRUSH b), (dc, rc, b))
TIMED(HDC, CreateCompatibleDC, (HDC dc), (dc))
TIMED(BOOL, DeleteDC, (HDC dc), (dc))
TIMED(HBITMAP, CreateCompatibleBitmap, (HDC dc, int w, int h), (dc, w, h))
TIMED(HDC, BeginPaint, (HWND hwnd, PAINTSTRUCT* ps), (hwnd, ps))
TIMED(BOOL, EndPaint, (HWND hwnd, const PAINTSTRUCT* ps), (hwnd, ps))
TIMED(HDC, GetWindowDC, (HWND hwnd), (hwnd))
TIMED(int, ReleaseDC, (HWND hwnd, HDC dc), (hwnd, dc))
#define TIMED_ON_WINDOW(ret, fn, params, args)                      \
  decltype(&::fn) g_##fn = nullptr;                                  \
  ret WINAPI Timed##fn params {                                      \
    Scope scope_([&] { return std::string(#fn " ") + WindowName(hwnd); }); \
    return g_##fn args;                                              \
  }
TIMED_ON_WINDOW(BOOL, UpdateWindow, (HWND hwnd), (hwnd))
TIMED_ON_WINDOW(BOOL, SetWindowTextW, (HWND hwnd, LPCWSTR text), (hwnd, text))
TIMED_ON_WINDOW(BOOL, HideCaret, (HWND hwnd), (hwnd))
TIMED_ON_WINDOW(BOOL, ShowCaret, (HWND hwnd), (hwnd))
#undef TIMED_ON_WINDOW
TIMED(BOOL, RedrawWindow, (HWND hwnd, const RECT* rc, HRGN rgn, UINT flags), (hwnd, rc, rgn, flags))
TIMED(BOOL, InvalidateRect, (HWND hwnd, const RECT* rc, BOOL erase), (hwnd, rc, erase))
TIMED(int, WideCharToMultiByte,
      (UINT cp, DWORD flags, LPCWCH w, int nw, LPSTR m, int nm, LPCCH d, LPBOOL u),
      (cp, flags, w, nw, m, nm, d, u))
TIMED(DWORD, MsgWaitForMultipleObjectsEx, (DWORD n, const HANDLE* h, DWORD ms, DWORD mask, DWORD flags),
      (n, h, ms, mask, flags))
#undef TIMED

LRESULT WINAPI TimedDefSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Scope s([&] { return "DefSubclassProc " + WindowName(hwnd) + MessageName(message, wParam); });
  return g_DefSubclassProc(hwnd, message, wParam, lParam);
}

decltype(&::DefWindowProcW) g_DefWindowProcW = nullptr;
LRESULT WINAPI TimedDefWindowProcW(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Scope s([&] { return "DefWindowProcW " + WindowName(hwnd) + MessageName(message, wParam); });
  return g_DefWindowProcW(hwnd, message, wParam, lParam);
}

template <typename Fn>
void Patch(const char* name, Fn& original, Fn replacement) {
  void* was = PatchImport(name, reinterpret_cast<void*>(replacement));
  if (was) original = reinterpret_cast<Fn>(was);
}

double Median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[(v.size() - 1) / 2];
}

}  // namespace

void StepProfile::InstallImportTimers() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  LARGE_INTEGER f;
  ::QueryPerformanceFrequency(&f);
  g_tickMs = 1000.0 / static_cast<double>(f.QuadPart);
#define PATCH(fn) Patch(#fn, g_##fn, &Timed##fn)
  PATCH(CreateFontIndirectW);
  PATCH(DeleteObject);
  PATCH(BitBlt);
  PATCH(FillRect);
  PATCH(CreateCompatibleDC);
  PATCH(DeleteDC);
  PATCH(CreateCompatibleBitmap);
  PATCH(BeginPaint);
  PATCH(EndPaint);
  PATCH(GetWindowDC);
  PATCH(ReleaseDC);
  PATCH(UpdateWindow);
  PATCH(HideCaret);
  PATCH(ShowCaret);
  PATCH(MsgWaitForMultipleObjectsEx);
  PATCH(SetWindowTextW);
  PATCH(RedrawWindow);
  PATCH(InvalidateRect);
  PATCH(WideCharToMultiByte);
  PATCH(DefSubclassProc);
  PATCH(DefWindowProcW);
#undef PATCH
}

void StepProfile::Watch(HWND form, HWND edit) {
  g_form = form;
  g_edit = edit;
  ::SetWindowSubclass(form, Outermost, 0x5150, 0);
  ::SetWindowSubclass(edit, Outermost, 0x5150, 0);
}

void StepProfile::Unwatch() {
  if (g_form) ::RemoveWindowSubclass(g_form, Outermost, 0x5150);
  if (g_edit) ::RemoveWindowSubclass(g_edit, Outermost, 0x5150);
  g_form = g_edit = nullptr;
}

void StepProfile::Begin() {
  g_current.assign(g_steps.size(), Accum{});
  g_stack.clear();
  g_recording = true;
}

void StepProfile::End() {
  g_recording = false;
  g_current.resize(g_steps.size());
  g_refits.push_back(g_current);
}

void StepProfile::Reset() {
  g_steps.clear();
  g_index.clear();
  g_refits.clear();
  g_current.clear();
}

std::vector<StepRow> StepProfile::Rows() {
  std::vector<StepRow> rows;
  for (std::size_t i = 0; i < g_steps.size(); ++i) {
    std::vector<double> self;
    std::vector<double> total;
    double calls = 0;
    for (const auto& refit : g_refits) {
      Accum a = i < refit.size() ? refit[i] : Accum{};
      self.push_back(a.self);
      total.push_back(a.total);
      calls += a.calls;
    }
    double n = g_refits.empty() ? 1 : static_cast<double>(g_refits.size());
    rows.push_back({g_steps[i].depth, g_steps[i].name, calls / n, Median(self), Median(total)});
  }
  return rows;
}

int StepProfile::CallsInLast(const std::string& name) {
  auto it = g_index.find(name);
  if (it == g_index.end() || g_refits.empty()) return 0;
  const auto& last = g_refits.back();
  auto i = static_cast<std::size_t>(it->second);
  return i < last.size() ? last[i].calls : 0;
}

}  // namespace bench
