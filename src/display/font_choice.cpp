#include "display/font_choice.h"

#include <algorithm>

namespace orvane {

namespace {
constexpr int kDialogPoints = 28;
}  // namespace

std::int32_t DialogFontHeight(int pixelsPerInch) noexcept {
  return HeightFromPoints(kDialogPoints, pixelsPerInch);
}

FontRecord DialogRecord(const DialogFont& font) {
  FontRecord r;
  r.height = font.height;
  r.weight = (font.style & kBold) ? 700 : 400;
  r.italic = (font.style & kItalic) ? 1 : 0;
  r.underline = (font.style & kUnderline) ? 1 : 0;
  r.strikeOut = (font.style & kStrikeOut) ? 1 : 0;
  r.charSet = font.charSet;
  r.quality = kClearTypeQuality;
  std::copy_n(font.face.begin(), std::min<std::size_t>(font.face.size(), kFaceNameUnits - 1),
              r.faceName.begin());
  return r;
}

DialogFont TakeFromDialog(const DialogFont& font, const FontRecord& chosen, Color chosenColor,
                          TakenFromDialog take) {
  DialogFont taken = font;
  // A record from the platform need not be terminated: never read past the
  // units a logical font can hold besides its terminator.
  auto last = chosen.faceName.begin() + (kFaceNameUnits - 1);
  taken.face.assign(chosen.faceName.begin(), std::find(chosen.faceName.begin(), last, u'\0'));
  taken.height = chosen.height;
  unsigned style = 0;
  if (chosen.weight > 400) style |= kBold;
  if (chosen.italic != 0) style |= kItalic;
  if (chosen.underline != 0) style |= kUnderline;
  if (chosen.strikeOut != 0) style |= kStrikeOut;
  taken.style = style;
  if (take.charSet) taken.charSet = chosen.charSet;
  if (take.color) taken.color = chosenColor;
  return taken;
}

}  // namespace orvane
