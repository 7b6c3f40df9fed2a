#pragma once
// The font dialog's own font: what it opens with and what it takes from the
// user's choice; and the swap of the two colours. Portable: the shell reads the
// dialog into a FontRecord and applies what comes back.

#include <cstdint>
#include <string>

#include "display/colors.h"
#include "display/font_fit.h"

namespace orvane {

// The font dialog's font. Height and character set only pass through: the
// next fit replaces them.
struct DialogFont {
  std::u16string face;
  std::int32_t height = 0;
  unsigned style = 0;
  Color color = 0;
  std::uint8_t charSet = 0;

  bool operator==(const DialogFont&) const = default;
};

// The dialog always opens at 28 points, whatever size the display font has:
// -(28 * ppi / 72), halves away from zero (-37 at 96 pixels per inch).
[[nodiscard]] std::int32_t DialogFontHeight(int pixelsPerInch) noexcept;

// The logical font the dialog is initialised from: the font's face, height,
// style and character set, in the quality every fitted font has.
[[nodiscard]] FontRecord DialogRecord(const DialogFont& font);

// What the dialog's font takes beyond face, height and style.
struct TakenFromDialog {
  bool charSet = false;  // the user changed the face or the script box
  bool color = false;    // the user changed the colour box
};

// The dialog's font after a choice: face (at most 31 units, as a logical font
// holds it with its terminator), height and style (bold above weight 400) from
// the record; the character set and the colour only where `take` says so.
[[nodiscard]] DialogFont TakeFromDialog(const DialogFont& font, const FontRecord& chosen,
                                        Color chosenColor, TakenFromDialog take);

struct ColorPair {
  Color text = 0;
  Color back = 0;
  bool operator==(const ColorPair&) const = default;
};

// Text and background colours exchanged.
[[nodiscard]] constexpr ColorPair Swapped(ColorPair colors) noexcept {
  return {colors.back, colors.text};
}

}  // namespace orvane
