#pragma once
// TForm1, the one window of the program. Handlers are members named after the
// component and event they serve; their bodies live in the subsystem folders
// (display/ holds the stretched text's).

#include <cstdint>
#include <deque>
#include <functional>
#include <random>
#include <string>

#include "app/commands.h"
#include "app/menu_state.h"
#include "display/colors.h"
#include "display/display_modes.h"
#include "display/font_fit.h"
#include "display/placement.h"
#include "output/printer_settings.h"
#include "platform/handles_win.h"
#include "platform/text_field_win.h"
#include "platform/sdk_win.h"
#include "telop/telop_motion.h"

namespace orvane {

inline COLORREF ToColorRef(Color c) noexcept {
  return IsSystemColor(c) ? ::GetSysColor(SystemColorIndex(c)) : static_cast<COLORREF>(c);
}

// The program's one pseudo-random generator, seeded once at start.
class ProgramRandom : public RandomSource {
 public:
  void Seed(std::uint32_t seed) { engine_.seed(seed); }
  int Next(int range) override {
    if (range <= 0) return 0;
    return std::uniform_int_distribution<int>(0, range - 1)(engine_);
  }

 private:
  std::mt19937 engine_;
};

class TForm1;
// Runs what is queued for the GUI thread now, shortcuts included.
void ProcessMessages(TForm1& form);

inline constexpr UINT kFinishCreate = WM_APP + 1;  // the start-up steps after the first show
inline constexpr UINT_PTR kTimer1 = 1;  // telop motion, every 20 ms
inline constexpr UINT_PTR kTimer2 = 2;  // telop turn, every minute

// The properties of the font the text is shown in.
struct DisplayFont {
  std::u16string face = u"ＭＳ 明朝";
  unsigned style = 0;
  Color color = 0xFF000008;  // the system's window-text colour
  int height = -37;          // 28 points at 96 pixels per inch
  std::uint8_t charSet = 1;  // DEFAULT_CHARSET until the first fit
};

class TForm1 {
 public:
  explicit TForm1(HINSTANCE instance) noexcept : instance_(instance) {}
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  // Creates the window hidden, runs FormCreate and shows it.
  void Create();

  // The message loop's look at a key before it is translated: a shortcut of
  // the command menu is run and consumed here, so it types nothing.
  [[nodiscard]] bool PreTranslateMessage(const MSG& message);

  // A command's handler; checked is an auto-check item's new mark.
  using CommandHandler = void (*)(TForm1& form, bool checked);

  // What the subsystems' command handlers work with.
  [[nodiscard]] HWND hwnd() const noexcept { return hwnd_; }
  [[nodiscard]] HINSTANCE instance() const noexcept { return instance_; }
  [[nodiscard]] const DisplayFont& Font() const noexcept { return font_; }
  [[nodiscard]] Color BackColor() const noexcept { return backColor_; }
  // The display's true background: the one saved while telop mode keys it out.
  [[nodiscard]] Color TrueBackColor() const noexcept {
    return modes_.colorKey ? modes_.savedBackColor : backColor_;
  }
  [[nodiscard]] const DisplayModes& Modes() const noexcept { return modes_; }
  [[nodiscard]] PrinterSettings& Printer() noexcept { return printer_; }
  [[nodiscard]] ProgramRandom& Random() noexcept { return random_; }
  // A new face or style: the font record, then the refit and the caption.
  void SetFontFace(std::u16string face, unsigned style);
  void SetColors(Color text, Color back);
  void SetWindowColor(Color color);
  // The caret to the end with nothing selected, and hidden.
  void CaretToEndHidden();

  TextField Edit1;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                     LPARAM lParam) noexcept;
  static LRESULT CALLBACK Edit1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                    UINT_PTR id, DWORD_PTR self) noexcept;
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnEdit1Message(UINT message, WPARAM wParam, LPARAM lParam);

  // Window plumbing (app/main_window.cpp).
  void CreateEdit1();
  void LayoutEdit1();
  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  void PaintInnerBorder();
  void PaintEdit1();
  [[nodiscard]] int InnerBorder() const noexcept;
  [[nodiscard]] int Edit1Slack() const noexcept;
  [[nodiscard]] SIZE ClientSize() const noexcept;

  // Start and stop (app/main_window.cpp).
  void FormCreate();
  void FinishCreate();
  void SelectDefaultPrinter();

  // The settings file (settings/settings_file.cpp).
  void LoadSettings();
  void SaveSettings();
  [[nodiscard]] bool FormCloseQuery();

  // The stretched text (display/stretched_text.cpp).
  void FitFont();
  void ScrollEdit1Home();
  void UpdateCaption();
  void FormResize();
  void Edit1Change();
  void Edit1KeyPress(wchar_t& key);
  void Clear1Click();
  void SelectAll1Click();
  [[nodiscard]] bool Edit1MouseMove(WPARAM keys);

  // The command menu and the system-menu item (app/command_menu.cpp).
  void CreatePopupMenu1();
  [[nodiscard]] MenuSnapshot Snapshot() const;
  void PopupMenu1Popup();
  void OpenPopupMenu1(POINT screen);
  void ClickItem(Cmd command);
  // The handler of a command; null while its subsystem is not built in.
  [[nodiscard]] static CommandHandler HandlerOf(Cmd command) noexcept;
  // Runs the action once the running command has returned.
  void Defer(std::function<void()> action);
  void AddSystemMenuItem();
  void FormSysCommand(WPARAM command, LPARAM lParam);
  void OnContextMenu(LPARAM lParam);
  [[nodiscard]] int WorkWidth() const;
  [[nodiscard]] int WorkHeight() const;

  // Window placement (display/placement_commands.cpp).
  void FormMouseWheel(int delta);
  void ZoomWindow(int percent);
  void FullScreen1Click();
  void Exit1Click();
  void ClearClose1Click();
  void Centering1Click();
  void StayOnTop1Click(bool checked);
  void Maximize1Click(bool checked);
  void Minimize1Click();
  void SetSizable(bool sizable);
  void SetWindowState(int showCommand);
  void SetBounds(const Rect& bounds);
  void ApplyModeChange(const ModeChange& change);
  [[nodiscard]] FallbackPlacement Fallback() const;
  [[nodiscard]] Rect FirstStartBounds() const;
  void Close();

  // Telop mode (telop/telop_mode.cpp).
  void OrvaneFloat1Click();
  void Timer1Timer();
  void Timer2Timer();
  void SetColorKey(bool on);
  void PullIntoMotionBox();

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  DisplayFont font_;
  UniqueFont fontHandle_;
  SIZE fittedClientSize_{-1, -1};  // the client size of the last fit
  std::u16string caption_;         // the caption UpdateCaption last set
  Color backColor_ = kWhite;
  Color windowColor_ = kYellow;
  UniqueBrush backBrush_;
  UniqueBrush windowBrush_;
  UniqueBitmap paintBuffer_;  // Edit1's off-screen picture, kept between paints
  SIZE paintBufferSize_{};
  bool selectAll_ = false;           // the SelectAll1 check mark
  DisplayModes modes_;               // full screen, telop mode and what they saved
  UniqueMenu popupMenu1_;
  MenuState menuState_;              // enabled states and marks of the last preparation
  WheelAccumulator wheel_;
  bool edit1ChangeAttached_ = true;  // Edit1's change notification
  bool formCreated_ = false;         // resizes before FormCreate fits nothing
  bool commandRunning_ = false;      // a command handler is on the stack
  bool closePending_ = false;        // a close asked for while it ran
  std::deque<std::function<void()>> deferred_;  // commands and menus asked for meanwhile
  static constexpr std::size_t kMaxDeferred = 16;
  int showCommand_ = SW_SHOWNORMAL;  // the state the window takes when shown
  PrinterSettings printer_;
  ProgramRandom random_;
  int telopDirection_ = 0;         // TelopDirection
};

}  // namespace orvane
