// The font and colour commands: the dialogs choose, the window refits.

#include "display/font_color_commands_win.h"

#include <string>

#include "app/main_window_win.h"
#include "app/user_error.h"
#include "display/font_choice.h"
#include "display/font_color_dialogs_win.h"
#include "platform/text_win.h"

namespace orvane {
namespace {

using InfoContext = unique_handle<HDC, DeleteMemoryDC>;

// The current printer, whose fonts the font dialog lists beside the screen's.
InfoContext OpenPrinterInfo(const PrinterSettings& printer) {
  if (printer.device.empty()) throw UserError(u"There is no default printer currently selected");
  InfoContext info(::CreateICW(L"WINSPOOL", W(printer.device), nullptr, nullptr));
  if (!info) throw UserError(u"The printer \"" + printer.device + u"\" cannot be used");
  return info;
}

// Kept for the run: the custom colours the user defines come back next time.
ColorDialog& ColorDialog1() {
  static ColorDialog dialog;
  return dialog;
}

// The dialog's font becomes the display font; the fit replaces its size.
void FontDialog1Apply(TForm1& form, const DialogFont& font) {
  form.SetColors(font.color, form.BackColor());
  form.SetFontFace(font.face, font.style);
}

}  // namespace

void SelectFont1Click(TForm1& form, bool) {
  InfoContext printer = OpenPrinterInfo(form.Printer());
  const DisplayFont& shown = form.Font();
  FontDialog dialog;
  dialog.font = {shown.face, DialogFontHeight(static_cast<int>(::GetDpiForWindow(form.hwnd()))),
                 shown.style, shown.color, shown.charSet};
  if (dialog.Execute(form.hwnd(), printer.get(),
                     [&form](const DialogFont& font) { FontDialog1Apply(form, font); })) {
    FontDialog1Apply(form, dialog.font);
  }
}

void FontColor1Click(TForm1& form, bool) {
  ColorDialog& dialog = ColorDialog1();
  dialog.color = form.Font().color;
  if (!dialog.Execute(form.hwnd())) return;
  form.SetColors(dialog.color, form.BackColor());
  form.CaretToEndHidden();
}

void BackColor1Click(TForm1& form, bool) {
  ColorDialog& dialog = ColorDialog1();
  dialog.color = form.BackColor();
  if (!dialog.Execute(form.hwnd())) return;
  form.SetColors(form.Font().color, dialog.color);
  form.SetWindowColor(dialog.color);
  form.CaretToEndHidden();
}

void AlterNate1Click(TForm1& form, bool) {
  ColorPair swapped = Swapped({form.Font().color, form.BackColor()});
  form.SetColors(swapped.text, swapped.back);
  form.SetWindowColor(swapped.back);
  form.CaretToEndHidden();
}

}  // namespace orvane
