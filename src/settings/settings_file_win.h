#pragma once
// The settings file beside the executable: read whole at start, written whole
// at every close, both through the one model of the file.

#include "display/window_context_win.h"

namespace orvane {

class SettingsStore {
 public:
  explicit SettingsStore(WindowContext& context) noexcept : context_(context) {}

  // Places the still hidden window and restores the text, font and colours.
  void Load();
  // The state the window takes when it is shown: normal, minimized or maximized.
  [[nodiscard]] int ShowCommand() const noexcept { return showCommand_; }
  // At close: false when a save failed and the user chose to stay.
  [[nodiscard]] bool SaveAtClose();
  // At log-off or shutdown: at the query, and again at the end when the
  // query's save failed.
  void SaveAtSessionEnd(bool queried) noexcept;

 private:
  void Save();
  [[nodiscard]] bool SaveQuietly() noexcept;

  WindowContext& context_;
  int showCommand_ = SW_SHOWNORMAL;
  bool savedForSessionEnd_ = false;
};

}  // namespace orvane
