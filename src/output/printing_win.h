#pragma once
// The two print commands: every character on a portrait sheet of its own, and
// the whole line across one landscape sheet per copy.

#include <string_view>

#include "display/window_context_win.h"
#include "output/page_plan.h"
#include "output/print_job.h"
#include "platform/handles_win.h"

namespace orvane {

class Printing {
 public:
  explicit Printing(WindowContext& context) noexcept : context_(context) {}

  void PrintEachCharacter();
  void PrintWholeLine();

 private:
  WindowContext& context_;
};

// The line's height fitted to the sheet's width on a printer DC: a font of
// the given record, its height replaced, is made for every measurement; the
// one of the final height comes back with the fit. Raises PrintFailure.
struct FittedLine {
  LineFit fit;
  UniqueFont font;
};
[[nodiscard]] FittedLine FitLineOnSheet(HDC printer, const LOGFONTW& look,
                                        std::u16string_view line);

}  // namespace orvane
