#pragma once
// The one window of the program. It composes the features, hands each the
// same WindowContext, and routes the window's and the text field's messages
// to them; what a command does lives in the feature's own folder.

#include <tuple>
#include <type_traits>

#include "about/about_box_win.h"
#include "app/command_menu_win.h"
#include "desktop/help_win.h"
#include "desktop/shortcuts_win.h"
#include "display/display_modes.h"
#include "display/font_color_commands_win.h"
#include "display/stretched_text_win.h"
#include "display/window_context_win.h"
#include "display/window_placement_win.h"
#include "output/picture_win.h"
#include "output/printing_win.h"
#include "platform/handles_win.h"
#include "platform/printer_settings.h"
#include "platform/random_source.h"
#include "platform/sdk_win.h"
#include "platform/window_base_win.h"
#include "report/report_command_win.h"
#include "settings/settings_file_win.h"
#include "telop/telop_mode_win.h"

namespace orvane {

// Features made from the context alone, found by their type.
template <typename Feature>
using MadeFrom = WindowContext&;
template <typename... Feature>
class FeatureSet : public std::tuple<Feature...> {
 public:
  explicit FeatureSet(WindowContext& context)
      : std::tuple<Feature...>(static_cast<MadeFrom<Feature>>(context)...) {}
};

class MainWindow final : public WindowBase<MainWindow>, WindowSeam, CommandMenu::Host {
 public:
  explicit MainWindow(HINSTANCE instance) noexcept;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window hidden, reads the settings, fits the text and shows it.
  void Create();

  // The message loop's look at a key before it is translated.
  [[nodiscard]] bool PreTranslateMessage(const MSG& message) {
    return menu_.PreTranslateMessage(message);
  }

  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT AfterFailure() noexcept { return 0; }

  // Commands that only the window can compose.
  void ClearAndExit();
  // Escape: full screen is left first, then telop mode; only then does the window close.
  void Exit();

 private:
  // WindowSeam.
  void ProcessMessages() override;
  [[nodiscard]] Color WindowColor() const noexcept override { return windowColor_; }
  void SetWindowColor(Color color) override;
  [[nodiscard]] HFONT WindowFont() const noexcept override { return ownFont_.get(); }
  void AddSystemMenuItem() override { menu_.AddSystemMenuItem(); }
  void Close() override;
  // CommandMenu::Host.
  void RunHandler(Cmd command) override;
  void CloseNow() override;

  template <typename Feature>
  Feature& FeatureOf() noexcept {
    if constexpr (std::is_same_v<Feature, MainWindow>) {
      return *this;
    } else if constexpr (std::is_same_v<Feature, StretchedText>) {
      return text_;
    } else {
      return std::get<Feature>(features_);
    }
  }

  static LRESULT CALLBACK TextFieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR id, DWORD_PTR self) noexcept;
  LRESULT OnTextFieldMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnCreate();
  void FinishCreate();
  void CreateOwnFont(UINT dpi);
  LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
  void PaintInnerBorder();

  HINSTANCE instance_;
  StretchedText text_;
  DisplayModes modes_;
  PrinterSettings printer_;
  ProgramRandom random_;
  WindowContext context_;
  FeatureSet<WindowPlacement, TelopMode, FontColorCommands, Printing, Picture, ReportCommand,
             Shortcuts, HelpCommands, AboutCommand>
      features_;
  SettingsStore settings_;
  CommandMenu menu_;
  Color windowColor_ = kYellow;
  UniqueBrush windowBrush_;
  UniqueFont ownFont_;
};

}  // namespace orvane
