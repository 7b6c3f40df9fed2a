#include "display/font_fit.h"

#include <algorithm>

#include "display/text_rules.h"

namespace orvane {

FontRecord FitRecord(int clientWidth, int clientHeight, int ansiLength, std::u16string_view face,
                     unsigned style) {
  FontRecord r;
  r.height = clientHeight;
  r.width = std::max(1, clientWidth / ansiLength);  // truncating, but never 0
  r.weight = (style & kBold) ? 700 : 400;
  r.italic = (style & kItalic) ? 1 : 0;
  r.underline = (style & kUnderline) ? 1 : 0;
  r.strikeOut = (style & kStrikeOut) ? 1 : 0;
  r.charSet = kShiftJisCharSet;
  r.quality = kClearTypeQuality;
  // The last unit always stays zero, so a long name is cut to 31 units.
  std::copy_n(face.begin(), std::min<std::size_t>(face.size(), kFaceNameUnits - 1),
              r.faceName.begin());
  return r;
}

std::u16string FaceOf(const FontRecord& record) {
  auto end = std::find(record.faceName.begin(), record.faceName.end(), u'\0');
  return {record.faceName.begin(), end};
}

unsigned StyleOf(const FontRecord& record) {
  unsigned style = 0;
  if (record.weight >= 700) style |= kBold;
  if (record.italic == 1) style |= kItalic;
  if (record.underline == 1) style |= kUnderline;
  if (record.strikeOut == 1) style |= kStrikeOut;
  return style;
}

std::u16string CaptionText(std::u16string_view text, int clientWidth, int clientHeight,
                           std::u16string_view face) {
  std::u16string caption(text);
  caption += u' ';
  caption += DecimalText(clientWidth);
  caption += u" x ";
  caption += DecimalText(clientHeight);
  caption += u' ';
  caption += face;
  return caption;
}

}  // namespace orvane

namespace orvane {
namespace {

// a * b / c rounded half away from zero, in 64 bits so nothing overflows.
int ScaleRounded(int a, int b, int c) noexcept {
  if (c == 0) return 0;
  long long product = static_cast<long long>(a) * b;
  long long half = (c > 0 ? c : -c) / 2;
  bool negative = (product < 0) != (c < 0);
  long long magnitude = (product < 0 ? -product : product) + half;
  long long quotient = magnitude / (c < 0 ? -static_cast<long long>(c) : c);
  return static_cast<int>(negative ? -quotient : quotient);
}

}  // namespace

int PointsFromHeight(int height, int pixelsPerInch) noexcept {
  return -ScaleRounded(height, 72, pixelsPerInch);
}

int HeightFromPoints(int points, int pixelsPerInch) noexcept {
  return -ScaleRounded(points, pixelsPerInch, 72);
}

}  // namespace orvane
