#pragma once
// Drives the real Orvane.exe as a user does: starts it in a folder of its own,
// types, drags, resizes, reads the caption and looks at the pixels on screen.
// Everything that differs between Wine and Windows is kept in this file pair.

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace e2e {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Polls the condition until it holds or the timeout passes; true if it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// The exe under test: Orvane.exe beside the test exe.
std::wstring ProductPath();

// Whether the tests run under Wine, for what only Wine does differently.
bool UnderWine();

// The default printer this machine (prefix) has, if any.
std::optional<std::wstring> DefaultPrinter();

// ---- Pixels ---------------------------------------------------------------

struct Image {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top-down rows

  [[nodiscard]] std::uint32_t At(int x, int y) const { return pixels[y * width + x]; }
  bool operator==(const Image&) const = default;
};

// Bounding box of the pixels a predicate picks; right and bottom are exclusive.
struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  [[nodiscard]] bool Empty() const { return right <= left || bottom <= top; }
  [[nodiscard]] int Width() const { return right - left; }
  [[nodiscard]] int Height() const { return bottom - top; }
};
std::string ToString(const Box& box);

// Rectangles: equal in all four edges, and as text for a failure message.
bool Same(const RECT& a, const RECT& b);
std::string ToString(const RECT& r);
// The primary monitor's work area.
RECT WorkArea();

std::uint32_t ToPixel(COLORREF colour);
bool IsInk(std::uint32_t pixel);  // dark: text drawn in the text colour
Box BoxOf(const Image& image, const std::function<bool(std::uint32_t)>& pick);
inline Box InkBox(const Image& image) { return BoxOf(image, IsInk); }
int CountPixels(const Image& image, std::uint32_t colour);
// Writes a picture as a .bmp file, for looking at a failure.
bool SaveBitmap(const Image& image, const std::wstring& path);
// Saves the picture under the running test's name into the folder that
// ORVANE_E2E_SHOTS names, if set.
void KeepShot(const Image& image, const std::string& what);

// Draws a line as the program's edit control shows it (centred, no margins, at
// the top) with a font made from the given record: the picture the test
// expects, drawn by the test itself.
struct Rendering {
  Image image;
  Box line;  // the text's cell extent: where a selection is highlighted
};
Rendering RenderLine(std::wstring_view text, const LOGFONTW& font, int width, int height);
LOGFONTW DisplayFont(int height, int width);  // the record every fit is made of
// Moves the mouse pointer there (screen coordinates), as a hand would.
void PointerTo(POINT to);
// What the screen shows in a rectangle (screen coordinates).
Image CaptureScreen(const RECT& area);
// Captures until two in turn agree (3 s at most): the picture once paints stop.
Image SettledCapture(const std::function<Image()>& capture);

// ---- The program ----------------------------------------------------------

struct StartOptions {
  std::vector<std::wstring> environment;  // extra NAME=VALUE entries
  bool waitUntilVisible = true;
  // A folder the test keeps (for a second start that finds the first one's
  // settings file); empty: a fresh folder, removed afterwards.
  std::wstring folder;
  std::wstring exeName = L"Orvane.exe";  // the copy's name in that folder
  std::chrono::milliseconds startTimeout = 10s;  // for the window to come up
};

// A folder of the test's own, removed with everything in it at the end.
class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;
  [[nodiscard]] const std::wstring& Path() const { return path_; }
  [[nodiscard]] std::wstring File(std::wstring_view name) const { return path_ + L"\\" + std::wstring(name); }

 private:
  std::wstring path_;
};

// A value of the current user's registry, changed for a while as another
// program would change it, and put back as it was (or removed) at the end.
class UserSetting {
 public:
  UserSetting(std::wstring key, std::wstring name, const std::wstring& text);  // REG_SZ
  UserSetting(std::wstring key, std::wstring name, DWORD number);              // REG_DWORD
  ~UserSetting() { Restore(); }
  UserSetting(const UserSetting&) = delete;
  UserSetting& operator=(const UserSetting&) = delete;
  [[nodiscard]] bool Changed() const { return changed_; }
  void Restore();

 private:
  void Change(DWORD type, const void* data, DWORD size);

  std::wstring key_, name_;
  std::optional<DWORD> type_;  // none: there was no such value
  std::vector<BYTE> before_;
  bool changed_ = false;
};

// A whole file's bytes, and writing them.
std::string ReadFileBytes(const std::wstring& path);
bool WriteFileBytes(const std::wstring& path, std::string_view bytes);

// ---- The settings file ------------------------------------------------------

// Orvane.ini, beside the program in its folder.
std::wstring SettingsPath(const std::wstring& folder);

// What the program asks when its close cannot save the settings.
inline constexpr wchar_t kCloseWithoutSaving[] = L"設定を保存せずに終了しますか？";

// The settings file as written: its encoding, and its sections in order.
struct SettingsFile {
  bool unicode = false;     // UTF-16 LE with its byte-order mark
  bool wellFormed = false;  // CR LF lines, one empty line closing each section
  std::vector<std::pair<std::wstring, std::vector<std::wstring>>> sections;

  [[nodiscard]] std::vector<std::wstring> Names() const;
  // The section's "key=value" lines; null when there is no such section.
  [[nodiscard]] const std::vector<std::wstring>* Lines(std::wstring_view section) const;
  [[nodiscard]] std::optional<std::wstring> Value(std::wstring_view section, std::wstring_view key) const;
  [[nodiscard]] int Integer(std::wstring_view section, std::wstring_view key) const;  // -99999 if none
  [[nodiscard]] RECT Bounds() const;  // the window rectangle of [POSITION]
};
// The folder's settings file (an empty one when there is none).
SettingsFile ReadSettings(const std::wstring& folder);
// Sets one value as another program, or a user's editor, would.
bool WriteSetting(const std::wstring& folder, const wchar_t* section, const wchar_t* key, const wchar_t* value);

class Orvane {
 public:
  explicit Orvane(StartOptions options = {});
  // Takes over a copy that another program started (the fault runs' script,
  // which kills it): its window is found, but it is neither closed nor removed.
  struct Running_ {};
  Orvane(Running_, HWND window);
  ~Orvane();
  Orvane(const Orvane&) = delete;
  Orvane& operator=(const Orvane&) = delete;

  [[nodiscard]] bool Started() const { return window_ != nullptr; }
  [[nodiscard]] HWND Window() const { return window_; }
  [[nodiscard]] HWND Edit() const { return edit_; }
  [[nodiscard]] DWORD ProcessId() const { return process_.dwProcessId; }
  [[nodiscard]] HANDLE Process() const { return process_.hProcess; }
  [[nodiscard]] const std::wstring& Folder() const { return folder_; }
  [[nodiscard]] const std::wstring& ExePath() const { return exe_; }

  bool WaitUntilVisible(std::chrono::milliseconds timeout = 10s);
  // Start-up has finished once the system menu carries the program's item,
  // once: it is added last, after the printer has been looked up.
  [[nodiscard]] bool StartUpDone() const;
  bool WaitForStartUp(std::chrono::milliseconds timeout = 5s) const;
  [[nodiscard]] bool Running() const;
  // Asks the window to close and waits for the process to end.
  bool Close(std::chrono::milliseconds timeout = 10s);

  // What the user sees.
  [[nodiscard]] std::wstring Caption() const;
  [[nodiscard]] std::wstring Text() const;  // of the text field
  [[nodiscard]] std::pair<int, int> Selection() const;
  [[nodiscard]] SIZE ClientSize() const;
  [[nodiscard]] RECT WindowRect() const;
  [[nodiscard]] RECT ClientOnScreen() const;
  bool WaitForCaption(const std::wstring& caption, std::chrono::milliseconds timeout = 5s) const;
  // The caption of TEXT fitted to the client size as it is at each look: a
  // resize may still be settling when the wait begins.
  bool WaitForFittedCaption(std::wstring_view text, std::chrono::milliseconds timeout = 5s) const;
  // "text W x H ＭＳ 明朝" for the window's present client size.
  [[nodiscard]] std::wstring ExpectedCaption(std::wstring_view text) const;

  // What the user does.
  bool Activate();
  void Type(std::wstring_view text);     // characters, as Unicode input
  enum Modifiers : unsigned { kCtrl = 1, kShift = 2, kAlt = 4 };
  void PressKey(WORD key, unsigned modifiers = 0);
  // Several presses in one go, queued together as a fast typist's would be.
  void PressKeys(const std::vector<std::pair<WORD, unsigned>>& keys);
  void Paste(std::wstring_view text);    // through the clipboard and Ctrl+V
  void SelectAll();  // by keys, as a user would
  void DragClientPoint(POINT from, POINT delta, int steps = 8);
  void RightClickClient(POINT at);  // opens the context menu there
  // Over the text: the middle of the client area, or a client point (a
  // colour-keyed caption lets the wheel through where its key shows).
  void Wheel(int delta, std::optional<POINT> at = std::nullopt);
  bool ResizeClientTo(int width, int height);

  // The client area as painted on screen, the caret blotted out.
  Image CaptureClient() const;
  // Blots the caret out of a picture of the client area, as CaptureClient does.
  void BlotCaret(Image& image) const;
  // Waits for pending paints, then captures until two pictures agree.
  Image CaptureSettled() const;

  // Dialogs (message boxes, task dialogs) the program shows.
  [[nodiscard]] std::vector<HWND> Dialogs() const;
  // The text of a message box, of the plain message (under Wine) or of the about box.
  [[nodiscard]] static std::wstring DialogText(HWND dialog);
  [[nodiscard]] static std::wstring Title(HWND window);
  [[nodiscard]] static RECT DialogIconRect(HWND dialog);  // on screen
  static bool PressOk(HWND dialog);
  // Clicks the dialog's button with this id (IDYES, IDNO, IDCANCEL, IDOK);
  // false when it has none. Answer also waits until the dialog has gone.
  static bool PressButton(HWND dialog, int id);
  static bool Answer(HWND dialog, int id);
  // The one dialog the program shows next, other than `previous`, that takes
  // input; null if none comes.
  [[nodiscard]] HWND NextDialog(HWND previous = nullptr, std::chrono::milliseconds timeout = 10s) const;

  // GDI and USER objects the process holds, if the system can tell.
  [[nodiscard]] std::optional<DWORD> GdiObjects() const;
  [[nodiscard]] std::optional<DWORD> UserObjects() const;

  // Returns once the program has handled every message sent or posted before.
  void Sync() const;
  // Returns once the field has handled every key sent before, which a sent
  // message does not wait for: a mark typed after them shows, and is taken
  // back. The caret ends at the end of the line; false if the mark never came.
  bool AwaitKeys();

 private:
  HWND FindMainWindow() const;

  std::wstring folder_;
  std::wstring exe_;
  bool ownsFolder_ = true;
  bool attached_ = false;
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  HWND edit_ = nullptr;
};

// One key press or release, as the keyboard sends it.
INPUT Key(WORD key, bool up);

}  // namespace e2e
