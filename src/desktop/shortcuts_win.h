#pragma once
// Shortcuts to the program in the desktop, start-menu and startup folders:
// created, refreshed or removed in one conversation with the user.

#include "display/window_context_win.h"

namespace orvane {

class Shortcuts {
 public:
  explicit Shortcuts(WindowContext& context) noexcept : context_(context) {}

  void OnDesktop();
  void InStartMenu();
  void InStartup();

 private:
  WindowContext& context_;
};

}  // namespace orvane
