// The print plans for sheets up to 100,000 pixels a side and lines up to
// 100,000 ANSI bytes: every fit ends within a bounded number of measurements
// at a height that meets its stopping rule, nothing overflows, and the pages of
// a job show every character as many times as there are copies.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz_input.h"
#include "output/page_plan.h"

namespace {

using namespace orvane;
using fuzzing::Check;

constexpr int kLargestSheet = 100000;
constexpr int kLongestLine = 100000;

// A line's width grows with the font's height, as a font's does, by a ratio
// the input picks; a wobble makes it uneven, as hinting does; a zero ratio is
// a line of marks with no width.
struct Measure {
  std::int64_t perMille = 0;
  int wobble = 0;
  int operator()(int height) const {
    const std::int64_t width = height * perMille / 1000 + (wobble ? height % wobble : 0);
    return static_cast<int>(width < INT32_MAX ? width : INT32_MAX);
  }
};

void CheckLineFit(int pageWidth, int ansiLength, const Measure& measure) {
  const int start = LineStartHeight(pageWidth, ansiLength);
  Check(start >= 1 && start <= (pageWidth > 1 ? pageWidth : 1));
  std::vector<int> heights;
  const LineFit fit = FitLine(pageWidth, start, [&](int height) {
    Check(height >= 1);
    Check(heights.size() < 3000);  // ends: one percent a step from 1 to the cap
    heights.push_back(height);
    return measure(height);
  });
  Check(fit.height == heights.back() && fit.width == measure(fit.height));
  const std::int64_t cap = std::int64_t{pageWidth} * kMaxLineHeightPerWidth;
  if (measure(start) > pageWidth) {
    // Shrinking: each step lower, until it fits or cannot shrink.
    for (std::size_t i = 1; i < heights.size(); ++i) Check(heights[i] < heights[i - 1]);
    Check(fit.width <= pageWidth || fit.height == 1);
  } else {
    // Growing: each step higher, until it fills the sheet or reaches the cap.
    for (std::size_t i = 1; i < heights.size(); ++i) Check(heights[i] > heights[i - 1]);
    Check(fit.height <= (cap > start ? cap : start));
    Check(fit.width >= pageWidth || fit.height >= cap);
  }
}

void CheckSheets(std::u16string_view text, int copies, bool collate) {
  const std::vector<std::u16string_view> characters = SheetCharacters(text);
  std::u16string joined;
  for (const std::u16string_view c : characters) {
    Check(c.size() == 1 || (c.size() == 2 && c[0] >= 0xD800 && c[0] <= 0xDBFF && c[1] >= 0xDC00 && c[1] <= 0xDFFF));
    joined += c;
  }
  Check(joined == text);
  const int count = static_cast<int>(characters.size());
  const std::int64_t pages = std::int64_t{count} * copies;
  if (pages > 20000) return;
  std::vector<int> shown(characters.size());
  int previous = -1;
  for (std::int64_t page = 0; page < pages; ++page) {
    const int c = CharacterOfPage(page, count, copies, collate);
    Check(c >= 0 && c < count);
    ++shown[c];
    // Uncollated copies repeat a character before the next; collated ones go through the text.
    Check(collate ? c == (previous + 1) % count : c == previous || c == previous + 1);
    previous = c;
  }
  for (const int times : shown) Check(times == copies);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);
  const int pageWidth = static_cast<int>(in.Int(0, kLargestSheet));
  const int pageHeight = static_cast<int>(in.Int(0, kLargestSheet));
  const bool italic = in.Bool();

  // One character a sheet: the cell and the character stay on the sheet's measure.
  const int cell = CharacterHeight(pageWidth, pageHeight, italic);
  Check(cell >= 0 && cell <= pageWidth && cell <= pageHeight);
  const int advance = static_cast<int>(in.Int(0, 4 * kLargestSheet));
  const int left = CharacterLeft(pageWidth, advance, italic);
  const int centred = CharacterLeft(pageWidth, advance, false);
  Check(std::abs(2 * centred + advance - pageWidth) <= 1);
  Check(italic ? std::abs(left) <= std::abs(centred) : left == centred);
  const int top = CellTop(pageHeight, cell);
  Check(top >= 0 && 2 * top + cell <= pageHeight);

  // The whole line on one sheet.
  const int ansiLength = static_cast<int>(in.Int(0, kLongestLine));
  Measure measure;
  measure.perMille = in.Int(0, 2000) * (ansiLength > 0 ? ansiLength : 1);
  measure.wobble = static_cast<int>(in.Int(0, 50));
  CheckLineFit(pageWidth, ansiLength, measure);
  const int fieldWidth = static_cast<int>(in.Int(0, INT32_MAX));
  // A quarter of the room beside the field's text, however wide that is.
  Check(std::abs(4 * std::int64_t{LineLeft(pageWidth, fieldWidth)} - (pageWidth - fieldWidth)) <= 3);

  const int copies = static_cast<int>(in.Int(1, 9999));
  const bool collate = in.Bool();
  const std::u16string text = in.Text(kLongestLine, u"a \xD83D\xDE00\xDC00");
  const std::u16string line = PrintedLine(text, italic);
  Check(line.starts_with(text) && line.size() <= text.size() + 1);
  Check(!italic ? line == text : line.ends_with(u' '));
  CheckSheets(text, copies, collate);
  return 0;
}
