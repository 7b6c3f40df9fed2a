#pragma once
// Where the printed text goes on the sheet: one character per portrait sheet,
// or the whole line across a landscape one. Portable; the shell creates the
// fonts, measures and draws. Lengths are printer device pixels, every division
// truncates toward zero.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

// ---- One character per sheet ----------------------------------------------

// The characters of the text, one per sheet: a surrogate pair stays together,
// a lone surrogate stands alone.
[[nodiscard]] std::vector<std::u16string_view> SheetCharacters(std::u16string_view text);

// The font's cell height: the sheet's width on a portrait sheet (80 percent of
// it for italic), its height on a sheet at least as wide as tall.
[[nodiscard]] int CharacterHeight(int pageWidth, int pageHeight, bool italic);

// The left of a character of that advance width: centred, or for italic a
// quarter of the centred place, which leaves room for the slant.
[[nodiscard]] int CharacterLeft(int pageWidth, int characterWidth, bool italic);

// The top of a cell of that height, centred on the sheet.
[[nodiscard]] int CellTop(int pageHeight, int fontHeight);

// Which character the page shows (0-based page index): collated copies print
// the text through once per copy, uncollated ones repeat each character.
[[nodiscard]] int CharacterOfPage(std::int64_t page, int characterCount, int copies, bool collate);

// ---- The whole line on one sheet ------------------------------------------

// The line as printed: an italic line ends in a space, which keeps the slant of
// its last character on the sheet.
[[nodiscard]] std::u16string PrintedLine(std::u16string_view trimmed, bool italic);

// The height the fit starts from: the sheet's width over the line's ANSI
// length, at least 1.
[[nodiscard]] int LineStartHeight(int pageWidth, int ansiLength);

struct LineFit {
  int height = 0;  // the font's cell height
  int width = 0;   // the line's advance width at that height
};

// Grows or shrinks the height in steps of one percent until the line's width
// reaches the sheet's width: shrinking ends at width <= pageWidth, growing at
// width >= pageWidth (so it may overhang by one step). Where one percent no
// longer changes the height (below 100 when growing) it steps by one pixel;
// it never goes below 1, and it stops growing at kMaxLineHeightPerWidth times
// the sheet's width, for a line that has no width to fit (zero-width marks).
using MeasureLine = std::function<int(int height)>;
inline constexpr int kMaxLineHeightPerWidth = 16;
[[nodiscard]] LineFit FitLine(int pageWidth, int startHeight, const MeasureLine& widthAt);

// The line's left: a quarter of the room the trimmed text (without the italic
// space) leaves beside it (negative when the line overhangs).
[[nodiscard]] int LineLeft(int pageWidth, int textWidth);

}  // namespace orvane
