#pragma once
// The two print commands: every character on a portrait sheet of its own, and
// the whole line across one landscape sheet per copy.

#include <string_view>

#include "output/page_plan.h"
#include "platform/handles_win.h"

namespace orvane {

class TForm1;

void Print1Click(TForm1& form, bool checked);
void Print2Click(TForm1& form, bool checked);

// The line's height fitted to the sheet's width on a printer DC: a font of
// the given record, its height replaced, is made for every measurement; the
// one of the final height comes back with the fit. Raises PrintFailure.
struct FittedLine {
  LineFit fit;
  UniqueFont font;
};
struct PrintFailure {};
[[nodiscard]] FittedLine FitLineOnSheet(HDC printer, const LOGFONTW& look, std::u16string_view line);

}  // namespace orvane
