#include "display/font_color_commands_win.h"

#include <string>
#include <utility>

#include "display/font_choice.h"
#include "display/stretched_text_win.h"
#include "platform/printers_win.h"
#include "platform/screen_win.h"
#include "platform/text_win.h"
#include "platform/user_error.h"

namespace orvane {
namespace {

// The current printer, whose fonts the font dialog lists beside the screen's.
UniqueDC OpenPrinterInfo(const PrinterSettings& printer) {
  CurrentPrinter current = OpenCurrentPrinter(printer);
  if (!current.info)
    throw UserError(u"The printer \"" + current.settings.device + u"\" cannot be used");
  return std::move(current.info);
}

}  // namespace

void FontColorCommands::Apply(const DialogFont& font) {
  context_.text.SetColors(font.color, context_.text.BackColor());
  context_.text.SetFace(font.face, font.style);
}

void FontColorCommands::ChooseFont() {
  UniqueDC printer = OpenPrinterInfo(context_.printer);
  const DisplayFont& shown = context_.text.Font();
  FontDialog dialog;
  // At the DPI the dialog converts with, or it would show another size than
  // 28 with the window on a monitor of another scale.
  dialog.font = {shown.face, DialogFontHeight(ScreenPixelsPerInch()), shown.style, shown.color,
                 shown.charSet};
  if (dialog.Execute(context_.window, printer.get(),
                     [this](const DialogFont& font) { Apply(font); })) {
    Apply(dialog.font);
  }
}

void FontColorCommands::ChooseTextColor() {
  StretchedText& text = context_.text;
  colorDialog_.color = text.Font().color;
  if (!colorDialog_.Execute(context_.window)) return;
  text.SetColors(colorDialog_.color, text.BackColor());
  text.CaretToEndHidden();
}

void FontColorCommands::ChooseBackColor() {
  StretchedText& text = context_.text;
  colorDialog_.color = text.BackColor();
  if (!colorDialog_.Execute(context_.window)) return;
  text.SetColors(text.Font().color, colorDialog_.color);
  context_.seam.SetWindowColor(colorDialog_.color);
  text.CaretToEndHidden();
}

void FontColorCommands::SwapColors() {
  StretchedText& text = context_.text;
  ColorPair swapped = Swapped({text.Font().color, text.BackColor()});
  text.SetColors(swapped.text, swapped.back);
  context_.seam.SetWindowColor(swapped.back);
  text.CaretToEndHidden();
}

}  // namespace orvane
