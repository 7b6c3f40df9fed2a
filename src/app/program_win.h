#pragma once
// The program as its entry (and a benchmark hosting it) sees it: the main
// window made and shown, and the message loop's look at each message.

#include <memory>

#include "platform/sdk_win.h"

namespace orvane {

class MainWindow;

class Program {
 public:
  explicit Program(HINSTANCE instance);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  // Creates the window, reads the settings, fits the text and shows it.
  // Raises a UserError when the window cannot be made at all.
  void Start();

  // True when the message was a shortcut of the command menu, run and
  // consumed; it is then neither translated nor dispatched.
  [[nodiscard]] bool PreTranslateMessage(const MSG& message);

 private:
  std::unique_ptr<MainWindow> window_;
};

}  // namespace orvane
