#include "soak.h"

#include <psapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "app/commands.h"
#include "../e2e/font_color_dialogs.h"
#include "../e2e/menu_reader.h"
#include "../e2e/shell_helpers.h"

namespace soak {
namespace {

using namespace std::chrono_literals;
using e2e::Orvane;
using e2e::WaitUntil;

// How far the program's object counts may stray from those it started with:
// room for what the dialogs, the shell and the printer load once (about 300
// GDI objects), below a leak of one object per action over a program's life.
constexpr std::int64_t kGdiBound = 400;
constexpr std::int64_t kUserBound = 80;

constexpr int kCopiesField = 0x482;   // the print dialog's
constexpr int kFileNameEdit = 1152;   // the save dialog's (the print dialog has one too)
constexpr int kRedBox = 706;          // the colour dialog's
constexpr int kFaceBox = 0x470;       // the font dialog's face list (cmb1)

const std::wstring kAscii = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 !\"#$%&'()*+,-./:;<=>?@[\\]^_`{|}~";
const std::wstring kKana = L"あいうえおかきくけこさしすせそんアイウエオカキクケコーッャ";
const std::wstring kKanji = L"字漢東京日本語文書画面表示印刷設定終了";
const std::wstring kEmoji[] = {L"😀", L"🎉", L"👍", L"🍣", L"🚀"};
const wchar_t* const kFaces[] = {L"ＭＳ 明朝", L"IPAゴシック", L"IPA明朝"};

std::string Utf8(const std::wstring& text) {
  int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), bytes, nullptr, nullptr);
  return out;
}

// A text as the action log shows it: short, on one line.
std::string Shown(const std::wstring& text) {
  std::wstring cut = text.size() > 24 ? text.substr(0, 24) + L"…(" + std::to_wstring(text.size()) + L")" : text;
  std::replace_if(cut.begin(), cut.end(), [](wchar_t c) { return c == L'\r' || c == L'\n'; }, L'/');
  return "\"" + Utf8(cut) + "\"";
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

std::vector<HWND> TopWindowsOf(DWORD pid) {
  struct Search {
    DWORD pid;
    std::vector<HWND> found;
  } search{pid, {}};
  ::EnumWindows(
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lParam);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hwnd, &owner);
        if (owner == s->pid && ::IsWindowVisible(hwnd)) s->found.push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The program's thread as seen from outside, for a command that showed
// nothing: its modes, and every top-level window it has, hidden ones too.
std::string ThreadState(HWND window) {
  DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
  GUITHREADINFO info{sizeof info};
  ::GetGUIThreadInfo(thread, &info);
  std::string state = "flags " + std::to_string(info.flags) + ", active " + Utf8(ClassOf(info.hwndActive)) +
                      ", capture " + Utf8(ClassOf(info.hwndCapture)) + ", menu owner " +
                      Utf8(ClassOf(info.hwndMenuOwner)) + ", windows:";
  ::EnumThreadWindows(
      thread,
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        wchar_t title[64] = {};
        ::GetWindowTextW(hwnd, title, 64);
        *reinterpret_cast<std::string*>(lParam) += " [" + Utf8(ClassOf(hwnd)) + " \"" + Utf8(title) + "\"" +
                                                    (::IsWindowVisible(hwnd) ? "" : " hidden") +
                                                    (::IsWindowEnabled(hwnd) ? "" : " disabled") + "]";
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&state));
  return state;
}

// A caption's face: what follows "W x H " (no regex: captions run to thousands of units).
std::optional<std::wstring> FaceOf(const std::wstring& caption) {
  std::size_t x = caption.rfind(L" x ");
  if (x == std::wstring::npos) return std::nullopt;
  std::size_t space = caption.find(L' ', x + 3);
  if (space == std::wstring::npos) return std::nullopt;
  return caption.substr(space + 1);
}

// The lines of two settings files that differ, but for the time of the close.
std::string SettingsDiff(const std::string& first, const std::string& second) {
  auto lines = [](const std::string& bytes) {
    std::wstring text;
    if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE')
      text.assign(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    std::vector<std::wstring> out;
    for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
      end = text.find(L"\r\n", at);
      if (end == std::wstring::npos) end = text.size();
      out.push_back(text.substr(at, end - at));
    }
    return out;
  };
  std::vector<std::wstring> a = lines(first), b = lines(second);
  std::string diff;
  for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
    std::wstring x = i < a.size() ? a[i] : L"", y = i < b.size() ? b[i] : L"";
    if (x != y && !x.starts_with(L"LastClose=")) diff += " [" + Shown(x) + " -> " + Shown(y) + "]";
  }
  return diff;
}

}  // namespace

Soak::Soak(const Options& options) : options_(options), rng_(options.seed) {
  fileManagers_ = e2e::FileManagerWindows();
  printer_ = std::make_unique<e2e::PdfPrinter>();
}

Soak::~Soak() {
  app_.reset();
  // Shortcuts that the run made to its own copy of the program.
  e2e::ComScope com;
  for (int csidl : {CSIDL_DESKTOP, CSIDL_PROGRAMS, CSIDL_STARTUP}) {
    std::wstring link = e2e::SpecialFolder(csidl) + L"\\Orvane.Lnk";
    auto fields = e2e::ReadLink(link);
    if (fields && fields->target.starts_with(folder_.Path())) ::DeleteFileW(link.c_str());
  }
}

void Soak::Expect(bool condition, const std::string& what) {
  if (!condition) throw Fault{what};
}

void Soak::Log(std::string line) {
  last_.push_back("#" + std::to_string(done_ + 1) + " " + std::move(line));
  if (options_.verbose) {
    std::printf("  %s\n", last_.back().c_str());
    std::fflush(stdout);
  }
  if (last_.size() > 50) last_.pop_front();
}

bool Soak::Framed() const { return (::GetWindowLongPtrW(app_->Window(), GWL_STYLE) & WS_CAPTION) != 0; }
bool Soak::Telop() const { return (::GetWindowLongPtrW(app_->Window(), GWL_EXSTYLE) & WS_EX_LAYERED) != 0; }

// ---- The program's life -----------------------------------------------------

void Soak::Start() {
  // A long Wine session sometimes starts a program slowly: a start is a fault
  // only past a minute, and the slowest one is reported.
  auto asked = e2e::Clock::now();
  app_ = std::make_unique<Orvane>(e2e::StartOptions{.folder = folder_.Path(), .startTimeout = 60s});
  slowestStart_ = std::max(slowestStart_, std::chrono::duration<double>(e2e::Clock::now() - asked).count());
  if (!app_->Started()) {
    DWORD code = 0;
    bool created = app_->Process() != nullptr;
    if (created) ::GetExitCodeProcess(app_->Process(), &code);
    throw Fault{!created                ? "the program could not be started"
                : code == STILL_ACTIVE ? "the program showed no window within a minute"
                                       : "the program ended with code " + std::to_string(code) + " as it started"};
  }
  // The report of a missing printer, where there is none, comes before the
  // end of start-up: it is answered meanwhile.
  bool started = WaitUntil([&] {
    if (auto boxes = OpenDialogs(); !boxes.empty()) AnswerDialog(boxes.front());
    return App().StartUpDone();
  }, 15s);
  Expect(started, "the system-menu item is missing after start-up");
  if (auto face = FaceOf(App().Caption())) face_ = *face;
  gdiStart_ = App().GdiObjects().value_or(-1);
  userStart_ = App().UserObjects() ? static_cast<std::int64_t>(*App().UserObjects())
                                   : e2e::ProbeUserObjects(App().Window()).value_or(-1);
}

void Soak::Restart() {
  DWORD code = 0;
  ::WaitForSingleObject(App().Process(), 5000);
  ::GetExitCodeProcess(App().Process(), &code);
  Expect(code == 0, "the program ended with code " + std::to_string(code));
  // A close is seen a few actions or moments late: the window saves first.
  Expect(done_ - mayEnd_ <= 3 || e2e::Clock::now() - mayEndAt_ < 10s, "the program ended unasked");
  ++restarts_;
  Log("(the program ended with code " + std::to_string(code) + "; started again)");
  Start();
}

std::vector<HWND> Soak::OpenDialogs() {
  std::vector<HWND> boxes = App().Dialogs();
  std::erase_if(boxes, [](HWND box) { return !::IsWindowEnabled(box); });
  return boxes;
}

bool Soak::CloseMenus() {
  for (int i = 0; i < 6 && e2e::OpenMenuWindow(); ++i) {
    HWND menu = e2e::OpenMenuWindow();
    // To the menu itself: a typed Esc that comes after a slow menu has closed
    // lands in the text field, where it closes the program.
    ::PostMessageW(menu, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    WaitUntil([&] { return e2e::OpenMenuWindow() != menu; }, 2s);
  }
  return e2e::OpenMenuWindow() == nullptr;
}

bool Soak::Ready() {
  constexpr DWORD kMenuModes = GUI_INMENUMODE | GUI_POPUPMENUMODE | GUI_SYSTEMMENUMODE;
  HWND stuck = nullptr;
  int answers = 0;
  e2e::Clock::time_point menuModeSince{};  // when menu mode was seen with no menu; zero: not seen
  auto deadline = e2e::Clock::now() + 20s;
  while (e2e::Clock::now() < deadline) {
    if (!App().Running()) {
      Restart();
      continue;
    }
    if (auto boxes = OpenDialogs(); !boxes.empty()) {
      // A box that stays up whatever is pressed is a fault of its own.
      answers = boxes.front() == stuck ? answers + 1 : 0;
      stuck = boxes.front();
      Expect(answers < 12, "a dialog stays up whatever is pressed: " + Utf8(Orvane::Title(stuck)));
      AnswerDialog(boxes.front());
      continue;
    }
    if (e2e::OpenMenuWindow()) {
      CloseMenus();
      continue;
    }
    HWND window = App().Window();
    if (::IsIconic(window)) {
      // As a click on the taskbar button would.
      ::PostMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0);
      WaitUntil([&] { return !::IsIconic(window); }, 3s);
      continue;
    }
    GUITHREADINFO info{sizeof info};
    DWORD thread = ::GetWindowThreadProcessId(window, nullptr);
    bool inMenuMode = ::GetGUIThreadInfo(thread, &info) && (info.flags & kMenuModes) != 0;
    if (::GetForegroundWindow() == window && info.hwndFocus == App().Edit() && !inMenuMode) return true;
    // Wine sometimes leaves the thread in menu mode with no menu shown. A user
    // sees no menu and clicks elsewhere, which cancels the mode: so does this.
    if (!inMenuMode) {
      menuModeSince = {};
    } else if (menuModeSince == e2e::Clock::time_point{}) {
      menuModeSince = e2e::Clock::now();
    } else if (e2e::Clock::now() - menuModeSince > 2s) {
      Log("(menu mode without a menu: cancelled)");
      ++menuModesCancelled_;
      menuModeSince = {};
      DWORD_PTR result = 0;
      ::SendMessageTimeoutW(window, WM_CANCELMODE, 0, 0, SMTO_ABORTIFHUNG, 2000, &result);
      continue;
    }
    ::SetForegroundWindow(window);
    if (::GetForegroundWindow() != window) {
      INPUT nudge{};
      nudge.type = INPUT_MOUSE;
      nudge.mi.dwFlags = MOUSEEVENTF_MOVE;
      ::SendInput(1, &nudge, sizeof nudge);
    }
    WaitUntil([&] { return ::GetForegroundWindow() == window; }, 200ms);
    App().Sync();
  }
  GUITHREADINFO info{sizeof info};
  ::GetGUIThreadInfo(::GetWindowThreadProcessId(App().Window(), nullptr), &info);
  throw Fault{"the text field cannot be given the focus: foreground " + Utf8(ClassOf(::GetForegroundWindow())) +
              ", focus " + Utf8(ClassOf(info.hwndFocus)) + ", flags " + std::to_string(info.flags)};
}

void Soak::Settle() {
  if (!App().Running()) {
    Restart();
    return;
  }
  App().Sync();
  // A dialog the action opened comes up within moments; the next Ready
  // answers one that comes later.
  if (!OpenDialogs().empty()) Ready();
  auto fresh = [&] {
    std::vector<HWND> windows = e2e::FileManagerWindows();
    std::erase_if(windows, [&](HWND w) { return std::find(fileManagers_.begin(), fileManagers_.end(), w) != fileManagers_.end(); });
    return windows;
  };
  if (fileManagerComing_) {
    WaitUntil([&] { return !fresh().empty(); }, 10s);
    fileManagerComing_ = false;
  }
  for (HWND window : fresh()) {
    if (std::find(fileManagers_.begin(), fileManagers_.end(), window) == fileManagers_.end())
      ::PostMessageW(window, WM_CLOSE, 0, 0);
  }
}

// ---- Dialogs ---------------------------------------------------------------

void Soak::Escape(HWND dialog) {
  ::SetForegroundWindow(dialog);
  if (WaitUntil([&] { return ::GetForegroundWindow() == dialog; }, 1s)) {
    INPUT keys[] = {e2e::Key(VK_ESCAPE, false), e2e::Key(VK_ESCAPE, true)};
    ::SendInput(2, keys, sizeof(INPUT));
  } else {
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);  // what Esc means to a dialog
  }
}

void Soak::AnswerDialog(HWND dialog) {
  ++dialogsAnswered_;
  mayEnd_ = done_;  // "close without saving?" and the like
  mayEndAt_ = e2e::Clock::now();
  auto press = [&](int id) { e2e::Orvane::PressButton(dialog, id); };
  std::string kind, answer;
  if (::GetDlgItem(dialog, kCopiesField)) {
    kind = "print dialog";
    std::wstring text = App().Text();
    bool shortText = !text.empty() && text.size() <= 4 && text.find_first_not_of(L' ') != std::wstring::npos;
    if (printer_->Available() && prints_ < options_.prints && shortText && Chance(0.5)) {
      answer = "OK (printed)";
      Log("  printing " + Shown(text));
      press(IDOK);
      WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog); });
      ++prints_;
      Expect(printer_->Next(180s).has_value(), "the print job left no printout");
    } else if (Chance(0.5)) {
      answer = "Cancel";
      press(IDCANCEL);
    } else {
      answer = "Esc";
      Escape(dialog);
    }
  } else if (::GetDlgItem(dialog, kFileNameEdit)) {
    kind = "save dialog";
    if (Chance(0.5)) {
      std::wstring name = folder_.File(L"soak-" + std::to_wstring(Random(0, 2)) + L".bmp");
      answer = "Save " + Utf8(name.substr(name.size() - 10));
      ::SendMessageW(::GetDlgItem(dialog, kFileNameEdit), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
      press(IDOK);
    } else if (Chance(0.5)) {
      answer = "Cancel";
      press(IDCANCEL);
    } else {
      answer = "Esc";
      Escape(dialog);
    }
  } else if (::GetDlgItem(dialog, kFaceBox)) {
    kind = "font dialog";
    auto font = e2e::FontDialogWindow::WaitFor(App(), 0ms);
    if (font.hwnd() != dialog) font = {};
    if (font.hwnd() && Chance(0.4)) {
      const wchar_t* face = kFaces[Random(0, 2)];
      if (font.ChooseFace(face)) kind += " (" + Utf8(face) + ")";
    }
    switch (Random(0, 3)) {
      case 0:
        answer = "OK";
        if (font.hwnd()) face_ = font.Face();
        press(IDOK);
        break;
      case 1:
        answer = "Apply";
        if (font.hwnd()) {
          face_ = font.Face();
          font.Apply();
        }
        break;
      case 2: answer = "Cancel"; press(IDCANCEL); break;
      default: answer = "Esc"; Escape(dialog);
    }
  } else if (::GetDlgItem(dialog, kRedBox)) {
    kind = "colour dialog";
    auto colours = e2e::ColorDialogWindow::WaitFor(App(), 0ms);
    if (colours.hwnd() == dialog && Chance(0.5)) {
      colours.SetRgb(RGB(Random(0, 255), Random(0, 255), Random(0, 255)));
    }
    switch (Random(0, 2)) {
      case 0: answer = "OK"; press(IDOK); break;
      case 1: answer = "Cancel"; press(IDCANCEL); break;
      default: answer = "Esc"; Escape(dialog);
    }
  } else {
    // A message box, the plain message, the report or the about box: any of its buttons, or Esc.
    kind = "box " + Shown(Orvane::DialogText(dialog));
    std::vector<HWND> buttons;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
      auto type = ::GetWindowLongW(child, GWL_STYLE) & BS_TYPEMASK;
      if (ClassOf(child) == L"Button" && ::IsWindowVisible(child) && ::IsWindowEnabled(child) &&
          (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON)) {
        buttons.push_back(child);
      }
    }
    if (buttons.empty() || Chance(0.25)) {
      answer = "Esc";
      Escape(dialog);
    } else {
      HWND button = buttons[static_cast<std::size_t>(Random(0, static_cast<int>(buttons.size()) - 1))];
      answer = Shown(Orvane::Title(button));
      // Yes to opening a folder brings a file-manager window up a while later.
      if (::GetDlgCtrlID(button) == IDYES && Orvane::DialogText(dialog).find(L"開きますか") != std::wstring::npos)
        fileManagerComing_ = true;
      ::PostMessageW(button, BM_CLICK, 0, 0);
    }
  }
  Log("  answered " + kind + ": " + answer);
  WaitUntil([&] { return !::IsWindow(dialog) || !::IsWindowVisible(dialog) || !::IsWindowEnabled(dialog); }, 3s);
  // A command's next box follows its last at once, or not at all.
  WaitUntil([&] { return !OpenDialogs().empty() || !App().Running(); }, 500ms);
}

// ---- The menu --------------------------------------------------------------

namespace {

bool Names(const e2e::MenuLine& line, const std::wstring& captions) {
  std::wstring caption = line.Caption();
  std::size_t start = 0;
  for (;;) {
    std::size_t bar = captions.find(L'|', start);
    std::wstring one = captions.substr(start, bar - start);
    if (caption == one || caption.starts_with(one + L" (")) return true;
    if (bar == std::wstring::npos) return false;
    start = bar + 1;
  }
}

std::optional<e2e::MenuLine> Highlighted() {
  for (const e2e::MenuLine& line : e2e::ReadOpenMenu()) {
    if (line.depth == 0 && (line.state & MFS_HILITE)) return line;
  }
  return std::nullopt;
}

}  // namespace

bool Soak::OpenMenu() {
  SIZE client = App().ClientSize();
  switch (Telop() ? Random(1, 2) : Random(0, 2)) {
    case 0: App().RightClickClient({client.cx / 2, client.cy / 2}); break;
    case 1: App().PressKey(VK_F10, Orvane::kShift); break;
    default: App().PressKey(VK_APPS); break;
  }
  bool open = WaitUntil([] { return e2e::OpenMenuWindow() != nullptr; }, 3s);
  // Keep the pointer off the menu, so only the keys move the highlight.
  RECT screen{};
  ::GetWindowRect(::GetDesktopWindow(), &screen);
  e2e::PointerTo({screen.right - 1, screen.bottom - 1});
  return open;
}

Soak::Pick Soak::Choose(const std::vector<std::wstring>& path) {
  for (std::size_t level = 0; level < path.size(); ++level) {
    std::vector<e2e::MenuLine> lines = e2e::ReadOpenMenu();
    auto target = std::find_if(lines.begin(), lines.end(),
                               [&](const e2e::MenuLine& line) { return line.depth == 0 && Names(line, path[level]); });
    if (target == lines.end()) return Pick::Failed;
    if (target->Grey()) return Pick::Grey;
    bool there = false;
    for (int step = 0; step < 48 && !there; ++step) {
      std::optional<e2e::MenuLine> at = Highlighted();
      if (at && Names(*at, path[level])) {
        there = true;
        break;
      }
      App().PressKey(VK_DOWN);
      WaitUntil([&] {
        std::optional<e2e::MenuLine> now = Highlighted();
        return now && (!at || now->text != at->text);
      }, 2s);
    }
    if (!there) return Pick::Failed;
    if (level + 1 < path.size()) {
      HWND parent = e2e::OpenMenuWindow();
      App().PressKey(VK_RIGHT);
      if (!WaitUntil([&] { return e2e::OpenMenuWindow() != parent && e2e::OpenMenuWindow() != nullptr; }, 3s))
        return Pick::Failed;
    }
  }
  App().PressKey(VK_RETURN);
  return WaitUntil([] { return e2e::OpenMenuWindow() == nullptr; }, 3s) ? Pick::Done : Pick::Failed;
}

void Soak::MenuCommand() {
  // Every command but the two web pages, which the shell would hand to a browser outside Wine.
  static const std::vector<std::vector<std::wstring>> kCommands{
      {L"クリアして入力"}, {L"切取り"}, {L"コピー"}, {L"貼付け"}, {L"すべて選択"}, {L"削除"}, {L"戻す"},
      {L"全画面表示"}, {L"画像をコピー"}, {L"画像で保存..."}, {L"印刷", L"1文字1枚..."}, {L"印刷", L"全体1枚..."},
      {L"テロップ表示"}, {L"情報表示"}, {L"フォント設定..."}, {L"カラー設定", L"文字色..."},
      {L"カラー設定", L"背景色..."}, {L"カラー設定", L"入替え"}, {L"ウィンドウ設定", L"センタリング"},
      {L"ウィンドウ設定", L"常に手前に表示"}, {L"ウィンドウ設定", L"最大化"}, {L"ウィンドウ設定", L"最小化"},
      {L"ショートカット設定", L"デスクトップに登録・削除"}, {L"ショートカット設定", L"スタートメニューに登録・削除"},
      {L"ショートカット設定", L"スタートアップに登録・削除"}, {L"ヘルプ", L"ヘルプ表示"},
      {L"ヘルプ", L"バージョン情報"}, {L"ヘルプ", L"プロパティ表示"}, {L"クリアして終了"}, {L"終了|復帰"}};
  // The ways out end the program: rarer, each costs a start.
  std::size_t which = static_cast<std::size_t>(Random(0, static_cast<int>(kCommands.size()) - 1));
  if (which >= kCommands.size() - 2 && Chance(0.7)) which = static_cast<std::size_t>(Random(0, 20));
  if (which >= kCommands.size() - 2) {
    mayEnd_ = done_;
    mayEndAt_ = e2e::Clock::now();
  }
  std::wstring label;
  for (const auto& caption : kCommands[which]) label += (label.empty() ? L"" : L" > ") + caption;
  if (!OpenMenu()) {
    Log("menu " + Utf8(label) + ": no menu opened; " + ThreadState(App().Window()));
    return;
  }
  Pick pick = Choose(kCommands[which]);
  Log("menu " + Utf8(label) + (pick == Pick::Done ? "" : pick == Pick::Grey ? " (grey)" : " (not reached)"));
  if (pick != Pick::Done) CloseMenus();
  // Another window that comes up closes the menu on its way: the user tries again later.
  if (pick == Pick::Failed) ++menuMisses_;
  // The commands that answer with a dialog.
  static const std::size_t kWithDialog[] = {9, 10, 11, 13, 14, 15, 16, 22, 23, 24, 25, 26};
  if (pick == Pick::Done && std::find(std::begin(kWithDialog), std::end(kWithDialog), which) != std::end(kWithDialog))
    AwaitDialog();
}

void Soak::SystemMenuItem() {
  // The item the program adds to the window's system menu opens the command menu at the pointer.
  if (!Framed()) {
    Log("system menu: no frame");
    return;
  }
  bool command = false;
  // Under Wine the menu now and then fails to come while the program idles in
  // its message loop, and comes at the next try: a user tries again. Only a
  // menu that never comes is a fault.
  for (int attempt = 0; attempt < 3 && !command && App().Running(); ++attempt) {
    if (attempt > 0) {
      Log("  (no menu came: again)");
      ++menuMisses_;
      Ready();
    }
    // Wine's virtual desktop opens no system menu from the caption bar for
    // another process's input: the item's command, as the system menu sends it.
    ::PostMessageW(App().Window(), WM_SYSCOMMAND, 100, 0);
    // A box of the command before may still come: the menu waits until it is answered.
    for (int round = 0; round < 5 && !command && App().Running(); ++round) {
      command = WaitUntil([&] { return e2e::OpenMenuWindow() != nullptr || !OpenDialogs().empty(); }, 3s) &&
                e2e::OpenMenuWindow() != nullptr;
      if (auto boxes = OpenDialogs(); !command && !boxes.empty()) AnswerDialog(boxes.front());
    }
  }
  if (!App().Running()) return;
  Log(std::string("system menu item") + (command ? "" : ": no menu"));
  Expect(command, "the system-menu item opened no menu; " + ThreadState(App().Window()));
  CloseMenus();
}

// ---- Actions ---------------------------------------------------------------

void Soak::TypeText(const std::wstring& alphabet, int most) {
  std::wstring text;
  for (int i = Random(1, most); i > 0; --i) text += alphabet[static_cast<std::size_t>(Random(0, static_cast<int>(alphabet.size()) - 1))];
  Log("type " + Shown(text));
  App().Type(text);
}

void Soak::PasteLong() {
  std::wstring text;
  int length = Random(100, 2000);
  while (static_cast<int>(text.size()) < length) {
    switch (Random(0, 3)) {
      case 0: text += kKana[static_cast<std::size_t>(Random(0, static_cast<int>(kKana.size()) - 1))]; break;
      case 1: text += kKanji[static_cast<std::size_t>(Random(0, static_cast<int>(kKanji.size()) - 1))]; break;
      case 2: text += kEmoji[Random(0, 4)]; break;
      default: text += kAscii[static_cast<std::size_t>(Random(0, static_cast<int>(kAscii.size()) - 1))];
    }
  }
  // Mostly over the whole text, so the line does not grow without end.
  bool replace = Chance(0.7);
  Log("paste " + std::to_string(text.size()) + " units" + (replace ? " over all" : ""));
  if (replace) {
    App().PressKey(VK_HOME);
    App().PressKey(VK_END, Orvane::kShift);
  }
  App().Paste(text);
}

bool Soak::Blank() { 
  std::wstring text = App().Text();
  return std::all_of(text.begin(), text.end(), [](wchar_t c) { return c <= 32; });
}

void Soak::AwaitDialog() {
  // The command runs once its key is taken: wait for its dialog, so the next
  // action does not land in the window while the dialog is on its way.
  if (!WaitUntil([&] { return !OpenDialogs().empty() || !App().Running(); }, 10s))
    Log("  (no dialog came; " + ThreadState(App().Window()) + ")");
}

void Soak::Keys(const std::vector<std::pair<WORD, unsigned>>& keys, const std::string& label,
                const std::function<bool()>& opensDialog, bool switchesMode) {
  bool dialog = opensDialog && opensDialog();
  Log(label);
  // Full screen and telop mode switch once the keys are taken: the next
  // action's guard must see the new mode, not the one the keys left.
  auto mode = [&] { return std::pair{Framed(), Telop()}; };
  const auto before = switchesMode ? mode() : std::pair{false, false};
  App().PressKeys(keys);
  if (dialog) AwaitDialog();
  if (switchesMode) WaitUntil([&] { return !App().Running() || mode() != before; }, 2s);
}

void Soak::WheelZoom() {
  int notches = Random(1, 3) * (Chance(0.5) ? 1 : -1);
  Log("wheel " + std::to_string(notches));
  App().Wheel(notches * WHEEL_DELTA);
}

void Soak::ResizeFrame() {
  if (!Framed() || ::IsZoomed(App().Window())) {
    Log("resize: not a sizable window now");
    return;
  }
  // Half the time small, half up to most of the screen.
  bool small = Chance(0.5);
  int width = Random(120, small ? 480 : 1400), height = Random(40, small ? 240 : 800);
  Log("resize to " + std::to_string(width) + " x " + std::to_string(height));
  App().ResizeClientTo(width, height);
}

void Soak::DragWindow() {
  if (Telop() || ::IsZoomed(App().Window())) {
    Log("drag: not now");
    return;
  }
  RECT client = App().ClientOnScreen();
  RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  RECT seen{};
  if (!::IntersectRect(&seen, &client, &screen) || seen.right - seen.left < 8 || seen.bottom - seen.top < 8) {
    Log("drag: the text is off screen");
    return;
  }
  POINT from{(seen.left + seen.right) / 2, (seen.top + seen.bottom) / 2};
  POINT to{std::clamp(from.x + Random(-300, 300), 10L, screen.right - 10),
           std::clamp(from.y + Random(-200, 200), 10L, screen.bottom - 10)};
  Log("drag by " + std::to_string(to.x - from.x) + ", " + std::to_string(to.y - from.y));
  App().DragClientPoint({from.x - client.left, from.y - client.top}, {to.x - from.x, to.y - from.y}, 4);
}

std::vector<Soak::Action> Soak::Actions() {
  using K = Orvane::Modifiers;
  auto keys = [this](std::vector<std::pair<WORD, unsigned>> k, const char* label,
                     std::function<bool()> opensDialog = nullptr, bool switchesMode = false) {
    return [this, k, label, opensDialog, switchesMode] { Keys(k, label, opensDialog, switchesMode); };
  };
  auto always = [] { return true; };
  auto unlessBlank = [this] { return !Blank(); };
  std::vector<Action> actions = {
      {"type ASCII", 14, [this] { TypeText(kAscii, 8); }},
      {"type kana", 6, [this] { TypeText(kKana, 6); }},
      {"type kanji", 6, [this] { TypeText(kKanji, 4); }},
      {"type emoji", 3, [this] {
         std::wstring emoji = kEmoji[Random(0, 4)];
         Log("type " + Shown(emoji));
         App().Type(emoji);
       }},
      {"Enter", 4, keys({{VK_RETURN, 0}}, "Enter")},
      {"Ctrl+J", 1, keys({{'J', K::kCtrl}}, "Ctrl+J")},
      {"Backspace", 7, [this] {
         std::vector<std::pair<WORD, unsigned>> k(static_cast<std::size_t>(Random(1, 5)), {VK_BACK, 0});
         Keys(k, "Backspace x" + std::to_string(k.size()));
       }},
      {"caret", 4, [this] {
         static const std::pair<WORD, unsigned> kMoves[] = {{VK_HOME, 0}, {VK_END, 0}, {VK_LEFT, 0}, {VK_RIGHT, 0},
                                                            {VK_LEFT, Orvane::kShift}, {VK_HOME, Orvane::kShift}};
         auto move = kMoves[Random(0, 5)];
         Keys({move}, "caret key " + std::to_string(move.first) + (move.second ? " with Shift" : ""));
       }},
      {"paste long", 2, [this] { PasteLong(); }},
  };
  // Every shortcut of the command menu, as the list of commands declares them;
  // how often and with what care a user presses each is the soak's own.
  using orvane::Cmd;
  struct Use {
    int weight;
    const char* what;
    std::function<bool()> opensDialog;
    bool switchesMode;
  };
  const std::map<Cmd, Use> uses = {
      {Cmd::Cut, {2, nullptr, nullptr, false}},
      {Cmd::Copy, {2, nullptr, nullptr, false}},
      {Cmd::Paste, {3, nullptr, nullptr, false}},
      {Cmd::SelectAll, {2, nullptr, nullptr, false}},
      {Cmd::Delete, {2, nullptr, nullptr, false}},
      {Cmd::Undo, {2, nullptr, nullptr, false}},
      {Cmd::FullScreen, {2, "full screen", nullptr, true}},
      {Cmd::CopyPicture, {1, "copy picture", nullptr, false}},
      {Cmd::SavePicture, {1, "save picture", [this] { return !Blank() && !Telop(); }, false}},
      {Cmd::PrintEachCharacter, {1, "print each", unlessBlank, false}},
      {Cmd::PrintWholeLine, {1, "print whole", always, false}},
      {Cmd::Telop, {2, "telop", nullptr, true}},
      {Cmd::Information, {1, "information", always, false}},
      {Cmd::ChooseFont, {1, "font", always, false}},
      {Cmd::Help, {1, "help", always, false}},
      {Cmd::Properties, {1, "properties", nullptr, false}},
  };
  for (const orvane::MenuRow& row : orvane::MenuRows()) {
    if (row.kind != orvane::RowKind::Item || row.shortcut.key == 0) continue;
    const std::u16string text = orvane::ShortcutText(row.shortcut);
    const std::string name(text.begin(), text.end());  // ASCII
    if (row.id == Cmd::Exit) {
      actions.push_back(EscapeAction(name));
      continue;
    }
    // A command the soak has not met yet is pressed now and then, with no care.
    auto found = uses.find(row.id);
    const Use use = found != uses.end() ? found->second : Use{1, nullptr, nullptr, false};
    std::vector<std::pair<WORD, unsigned>> pressed{{row.shortcut.key, row.shortcut.modifiers}};
    const std::string label = use.what ? name + " (" + use.what + ")" : name;
    actions.push_back({label, use.weight, [=, this] { Keys(pressed, label, use.opensDialog, use.switchesMode); }});
  }
  std::vector<Action> rest = {
      {"menu", 8, [this] { MenuCommand(); }},
      {"system menu", 2, [this] { SystemMenuItem(); }},
      {"wheel", 4, [this] { WheelZoom(); }},
      {"resize", 3, [this] { ResizeFrame(); }},
      {"drag", 2, [this] { DragWindow(); }},
  };
  actions.insert(actions.end(), rest.begin(), rest.end());
  return actions;
}

Soak::Action Soak::EscapeAction(const std::string& name) {
  return {name, 1, [this, name] {
            // In a plain window Esc closes: rarer there, so a program lives long enough to show a leak.
            if (Framed() && !Telop() && Chance(0.7)) {
              Log(name + " (left out this time: it would close)");
              return;
            }
            mayEnd_ = done_;
            mayEndAt_ = e2e::Clock::now();
            Keys({{VK_ESCAPE, 0}}, name);
          }};
}

// ---- Checks ----------------------------------------------------------------

void Soak::Check(const char* when) {
  // Between two boxes of one command the window is disabled for a moment.
  HWND window = nullptr;
  for (int round = 0; round < 5; ++round) {
    Ready();
    window = App().Window();
    WaitUntil([&] { return ::IsWindowEnabled(window) || !OpenDialogs().empty(); }, 5s);
    if (OpenDialogs().empty()) break;
  }
  DWORD_PTR result = 0;
  Expect(::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0,
         std::string("the program does not answer (") + when + ")");

  std::optional<DWORD> gdi = App().GdiObjects();
  std::optional<int> user = App().UserObjects() ? std::optional<int>(static_cast<int>(*App().UserObjects()))
                                                : e2e::ProbeUserObjects(window);
  if (gdi) {
    gdi_.Add(*gdi);
    Expect(gdiStart_ < 0 || *gdi <= gdiStart_ + kGdiBound,
           "GDI objects grew from " + std::to_string(gdiStart_) + " to " + std::to_string(*gdi));
  }
  if (user) {
    user_.Add(*user);
    Expect(userStart_ < 0 || *user <= userStart_ + kUserBound,
           "USER objects grew from " + std::to_string(userStart_) + " to " + std::to_string(*user));
  }
  DWORD handles = 0;  // Wine answers 0: no figure then
  if (::GetProcessHandleCount(App().Process(), &handles) && handles > 0) kernel_.Add(handles);
  PROCESS_MEMORY_COUNTERS memory{sizeof memory};
  if (::K32GetProcessMemoryInfo(App().Process(), &memory, sizeof memory))
    peakWorkingSet_ = std::max(peakWorkingSet_, memory.PeakWorkingSetSize);
  // Each figure as it is taken: a run cut short still shows them.
  std::printf("soak: %s: GDI %s, USER %s, working set %.1f MiB\n", when, gdi ? std::to_string(*gdi).c_str() : "?",
              user ? std::to_string(*user).c_str() : "?", static_cast<double>(memory.WorkingSetSize) / (1024.0 * 1024.0));
  std::fflush(stdout);

  // The caption: the text, the client size and the face; an empty text keeps the last size.
  std::wstring expected;
  bool matches = WaitUntil([&] {
    std::wstring text = App().Text(), caption = App().Caption();
    if (text.empty()) {
      expected = L" W x H " + face_;
      return caption.starts_with(L" ") && caption.ends_with(L" " + face_);
    }
    expected = App().ExpectedCaption(text);
    expected = expected.substr(0, expected.rfind(L"ＭＳ 明朝")) + face_;
    return caption == expected;
  }, 5s);
  Expect(matches, "the caption reads " + Shown(App().Caption()) + ", not " + Shown(expected));

  // Nothing left modal: the window takes input and no window of the program
  // stands without an owner beside it.
  Expect(::IsWindowEnabled(window) != FALSE, "the main window stays disabled with no dialog up");
  for (HWND other : TopWindowsOf(App().ProcessId())) {
    if (other == window || ClassOf(other) == L"tooltips_class32") continue;
    bool owned = ::GetWindow(other, GW_OWNER) != nullptr;
    Expect(false, std::string(owned ? "a window is still open: " : "a window without an owner is open: ") +
                      Utf8(ClassOf(other)) + " " + Shown(Orvane::Title(other)));
  }
}

void Soak::CheckBetween(const char* when) {
  try {
    Check(when);
  } catch (const Fault&) {
    // An Esc that closes lands while the window is being looked at: it reads
    // empty as it goes. Once it has ended, the restart judges the end.
    if (!WaitUntil([&] { return !App().Running(); }, 5s)) throw;
    Ready();
    Check(when);
  }
}

void Soak::RoundTrip() {
  // A clean close writes the settings; the next start reads them back to the
  // same state, and its own close writes the very same file.
  auto close = [&] {
    Ready();
    ::PostMessageW(App().Window(), WM_CLOSE, 0, 0);
    WaitUntil([&] { return !App().Running() || !OpenDialogs().empty(); }, 10s);
    if (App().Running()) {
      auto boxes = OpenDialogs();
      throw Fault{"closing showed " + (boxes.empty() ? std::string("nothing but did not end")
                                                        : Shown(Orvane::DialogText(boxes.front())))};
    }
    DWORD code = 1;
    ::GetExitCodeProcess(App().Process(), &code);
    Expect(code == 0, "the program ended with code " + std::to_string(code));
    return e2e::ReadFileBytes(e2e::SettingsPath(folder_.Path()));
  };
  // Out of full screen and telop mode first, as a user leaving: a close in
  // either comes back as a maximized or framed window, by design.
  // Ready() comes before each look: a window that has just ended reads as
  // frameless, and an Esc meant for it would close the fresh start instead.
  for (int i = 0; i < 3; ++i) {
    Ready();
    if (Framed() && !Telop()) break;
    mayEnd_ = done_;  // an odd borderless state with neither mode on closes
    mayEndAt_ = e2e::Clock::now();
    Keys({{VK_ESCAPE, 0}}, std::string("Esc (before closing") + (Telop() ? ", telop" : "") +
                               (::IsZoomed(App().Window()) ? ", maximized" : "") + ")");
    WaitUntil([&] { return !App().Running() || (Framed() && !Telop()); }, 3s);
  }
  Ready();
  // The text read below must be the one the last keys left.
  if (!App().AwaitKeys()) Log("(a mark typed to await the last keys never showed)");
  std::wstring text = App().Text();
  RECT bounds = App().WindowRect();
  // A window partly off the work area opens pulled back onto it, by design:
  // only one wholly on it must come back exactly where it was.
  RECT work = e2e::WorkArea(), on{};
  // A close with an empty line keeps nothing of it: the next start is a first
  // start, by design.
  bool cleared = text.empty();
  bool plain = !cleared && Framed() && !Telop() && !::IsZoomed(App().Window()) &&
               ::IntersectRect(&on, &bounds, &work) && e2e::Same(on, bounds);
  Log("close and start again");
  mayEnd_ = done_;
  mayEndAt_ = e2e::Clock::now();
  std::string first = close();
  Expect(!first.empty(), "closing wrote no settings file");
  Start();
  Expect(cleared || App().Text() == text, "the next start shows " + Shown(App().Text()) + ", not " + Shown(text));
  Expect(!plain || e2e::Same(App().WindowRect(), bounds),
         "the next start opens at " + e2e::ToString(App().WindowRect()) + ", not " + e2e::ToString(bounds));
  Check("after the next start");
  std::string second = close();
  // A close in an odd state (a maximized window that floated, say) may come
  // back normalised: from the next start on, each start reads back the state
  // its close wrote, exactly.
  Start();
  Check("after the third start");
  std::string third = close();
  std::string changed = SettingsDiff(second, third);
  Expect(changed.empty(), "a start and close rewrote its settings file:" + changed);
  changed = SettingsDiff(first, second);
  Expect(!plain || changed.empty(), "a start and close of a plain window rewrote its settings file:" + changed);
}

bool Soak::Failed(const std::string& what) {
  std::printf("soak: FAILED after %d actions: %s\n", done_, what.c_str());
  std::printf("soak: replay with --seed=%u --actions=%d\n", options_.seed, options_.actions);
  std::printf("soak: the last %zu actions:\n", last_.size());
  for (const std::string& line : last_) std::printf("  %s\n", line.c_str());
  if (options_.hold && App().Running()) {
    // For a debugger to attach to the program as the fault left it; an ended
    // program leaves nothing to look at.
    std::printf("soak: holding Orvane.exe (process %lu) until the run's timeout\n", App().ProcessId());
    std::fflush(stdout);
    ::Sleep(INFINITE);
  }
  std::fflush(stdout);
  return false;
}

bool Soak::Run() {
  std::vector<Action> actions = Actions();
  std::vector<int> weights;
  for (const Action& action : actions) weights.push_back(action.weight);
  std::discrete_distribution<std::size_t> pick(weights.begin(), weights.end());
  auto started = e2e::Clock::now();
  try {
    Start();
    Check("at the start");
    for (done_ = 0; done_ < options_.actions;) {
      const Action& action = actions[pick(rng_)];
      Ready();
      action.run();
      ++done_;
      Settle();
      if (done_ % options_.checkEvery == 0) CheckBetween(("after " + std::to_string(done_) + " actions").c_str());
    }
    RoundTrip();
  } catch (const std::exception& error) {
    return Failed(error.what());
  } catch (const Fault& fault) {
    return Failed(fault.what);
  }
  double seconds = std::chrono::duration<double>(e2e::Clock::now() - started).count();
  std::printf("soak: %d actions, seed %u, GDI %s, USER %s, %.1f actions/s\n", done_, options_.seed,
              gdi_.Text().c_str(), user_.Text().c_str(), done_ / seconds);
  std::printf("soak: peak working set %.1f MiB, kernel handles %s, %d starts, %d dialogs answered, %d printouts, "
              "%d menus missed and tried again, %d menu modes cancelled, slowest start %.1f s, %.0f s\n",
              static_cast<double>(peakWorkingSet_) / (1024.0 * 1024.0), kernel_.Text().c_str(), restarts_ + 3,
              dialogsAnswered_, prints_, menuMisses_, menuModesCancelled_, slowestStart_, seconds);
  return true;
}

}  // namespace soak
