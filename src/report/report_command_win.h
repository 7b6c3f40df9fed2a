#pragma once
// The information report command: the state of the text, screen, window, font
// and current printer, shown in the plain message.

#include "display/window_context_win.h"

namespace orvane {

class ReportCommand {
 public:
  explicit ReportCommand(WindowContext& context) noexcept : context_(context) {}

  void Show();

 private:
  WindowContext& context_;
};

}  // namespace orvane
