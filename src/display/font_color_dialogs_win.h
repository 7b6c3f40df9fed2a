#pragma once
// The platform's font and colour dialogs, each a small object that keeps what
// it shows between uses.

#include <array>
#include <functional>

#include "display/colors.h"
#include "display/font_choice.h"
#include "platform/sdk_win.h"

namespace orvane {

// The font dialog: screen and printer fonts, effects, an Apply button.
class FontDialog {
 public:
  using ApplyHandler = std::function<void(const DialogFont&)>;

  // Set before each use; after OK, what the user chose.
  DialogFont font;

  // Modal to owner; lists the screen's fonts and those of the printer behind
  // printerInfo. Each press of Apply updates `font` and runs onApply while the
  // dialog stays open. False on Cancel; throws when the dialog cannot be shown.
  bool Execute(HWND owner, HDC printerInfo, const ApplyHandler& onApply);

 private:
  struct Session;
};

// The full colour dialog; its 16 custom colours last as long as the object.
class ColorDialog {
 public:
  ColorDialog() { custom_.fill(RGB(255, 255, 255)); }

  // Set before each use; after OK, the chosen colour, always RGB.
  Color color = kBlack;

  // Modal to owner. False on Cancel, and when the dialog cannot be shown.
  bool Execute(HWND owner);

 private:
  std::array<COLORREF, 16> custom_;
};

}  // namespace orvane
