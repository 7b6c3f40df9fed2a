#pragma once
// The commands that hand work to the shell: the help file, the executable's
// properties sheet and the maker's two web pages.

#include "display/window_context_win.h"

namespace orvane {

class HelpCommands {
 public:
  explicit HelpCommands(WindowContext& context) noexcept : context_(context) {}

  void ShowHelp();
  // Refusals pass silently (no error dialog of the shell's own).
  void ShowProperties();
  void OpenDonationPage();
  void OpenHomePage();

 private:
  WindowContext& context_;
};

}  // namespace orvane
