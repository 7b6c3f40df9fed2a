#pragma once
// The seam between the main window and its features. The window hands every
// feature one WindowContext: what the feature may read of the window, and
// the few calls that change the window itself. Features include this header,
// never the window's own.

#include "display/colors.h"
#include "display/display_modes.h"
#include "platform/printer_settings.h"
#include "platform/random_source.h"
#include "platform/sdk_win.h"

namespace orvane {

class StretchedText;

// What a feature asks of the main window.
class WindowSeam {
 public:
  // Runs the messages queued for the GUI thread until now, shortcuts
  // included, so the window repaints and takes keys while a command works.
  virtual void ProcessMessages() = 0;
  // The window's own colour: the thin ring around the text and, in telop
  // mode, the key colour.
  [[nodiscard]] virtual Color WindowColor() const noexcept = 0;
  virtual void SetWindowColor(Color color) = 0;
  // The window's own font, which the caption is measured in; not the display's.
  [[nodiscard]] virtual HFONT WindowFont() const noexcept = 0;
  // The program's item in the system menu, once more after a new border
  // brought the default system menu back.
  virtual void AddSystemMenuItem() = 0;
  // Closes the window once the running command has returned.
  virtual void Close() = 0;

 protected:
  ~WindowSeam() = default;
};

struct WindowContext {
  HWND window = nullptr;  // the main window: owner of every dialog
  HINSTANCE instance = nullptr;
  StretchedText& text;  // the text field, the display font and colours
  DisplayModes& modes;  // full screen, telop mode and what they saved
  PrinterSettings& printer;
  RandomSource& random;
  WindowSeam& seam;
};

}  // namespace orvane
