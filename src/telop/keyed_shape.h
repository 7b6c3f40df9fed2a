#pragma once
// How a colour-keyed caption fares under Wine's X driver, which makes the
// window an X shape out of its picture: one rectangle per run of pixels that
// are not the key colour, row by row, a row whose runs are those of the row
// right above adding none (the two are merged). The X library sends the whole
// shape in one request whose 16-bit length overflows past 32,765 rectangles,
// and the program then ends on the X error. Portable; the shell hands in the
// picture as it is about to be drawn.

#include <cstdint>

namespace orvane {

// Rows of 32-bit pixels 0x00RRGGBB (the top byte is ignored), `stride`
// pixels from the start of one row to the next.
struct PixelRows {
  std::uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
  int stride = 0;
};

// The most rectangles a keyed caption may take. Well within what the X
// library can send, since a picture partly repainted, or scrolled on screen
// before its repaint, shows parts of two pictures at once; and few enough for
// a drifting caption, whose whole shape the X server clips again at every
// move: measured with each window its own X window, about 5,800 rectangles
// moved every 20 ms kept another client's round trips within 30 ms, 7,600
// took them past 200 ms.
inline constexpr int kMostShapeRectangles = 6000;

// The rectangles of the picture's shape keyed on `key` (0x00RRGGBB), counted
// up to `limit`: any count past it is limit + 1.
[[nodiscard]] int ShapeRectangles(const PixelRows& rows, std::uint32_t key, int limit) noexcept;

// The caption keeps the key while its shape takes at most `most` rectangles;
// past that every key pixel is painted `cover`, and the caption shows on that
// colour, in one rectangle. True when covered.
bool CoverWhenTooComplex(const PixelRows& rows, std::uint32_t key, std::uint32_t cover,
                         int most) noexcept;

// A colour as a pixel: 0x00BBGGRR (red in the low byte) to 0x00RRGGBB.
[[nodiscard]] constexpr std::uint32_t PixelOf(std::uint32_t rgb) noexcept {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// The colour a caption that cannot be keyed shows on: its background before
// telop mode, unless that is the key itself. The key is the text colour nudged
// by one, so a nudge by two differs from both.
[[nodiscard]] constexpr std::uint32_t CoverColorFor(std::uint32_t back,
                                                    std::uint32_t key) noexcept {
  return back != key ? back : key ^ 2;
}

}  // namespace orvane
