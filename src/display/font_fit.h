#pragma once
// The stretched line: the logical font built for a client area, and the caption
// that goes with it. Portable; the shell copies FontRecord into a LOGFONTW.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// Style bits of the display font, as stored in the settings file.
enum FontStyle : unsigned {
  kBold = 1,
  kItalic = 2,
  kUnderline = 4,
  kStrikeOut = 8,
};

inline constexpr int kFaceNameUnits = 32;  // LF_FACESIZE
inline constexpr std::uint8_t kShiftJisCharSet = 128;
inline constexpr std::uint8_t kClearTypeQuality = 5;

// Field for field a LOGFONTW, in its order.
struct FontRecord {
  std::int32_t height = 0;
  std::int32_t width = 0;
  std::int32_t escapement = 0;
  std::int32_t orientation = 0;
  std::int32_t weight = 0;
  std::uint8_t italic = 0;
  std::uint8_t underline = 0;
  std::uint8_t strikeOut = 0;
  std::uint8_t charSet = 0;
  std::uint8_t outPrecision = 0;
  std::uint8_t clipPrecision = 0;
  std::uint8_t quality = 0;
  std::uint8_t pitchAndFamily = 0;
  std::array<char16_t, kFaceNameUnits> faceName{};

  bool operator==(const FontRecord&) const = default;
};

// The font that fills a client area with a text of ansiLength bytes: the cell
// as high as the area, the average width the area's width / ansiLength
// (truncating). Never 0, which would give the face its natural proportions and
// a line many times too wide: a text longer than the area is wide gets the
// thinnest width, 1. ansiLength must be positive.
[[nodiscard]] FontRecord FitRecord(int clientWidth, int clientHeight, int ansiLength,
                                   std::u16string_view face, unsigned style);

// True when even the thinnest font cannot fit the text: more bytes than pixels.
[[nodiscard]] constexpr bool LineOverflows(int clientWidth, int ansiLength) noexcept {
  return ansiLength > clientWidth;
}

// The face name as the record holds it: cut to 31 units.
[[nodiscard]] std::u16string FaceOf(const FontRecord& record);

// Style bits read back from a created font: bold from weight 700 up.
[[nodiscard]] unsigned StyleOf(const FontRecord& record);

// "text W x H face", the window caption after every fit.
[[nodiscard]] std::u16string CaptionText(std::u16string_view text, int clientWidth,
                                         int clientHeight, std::u16string_view face);

}  // namespace orvane

namespace orvane {

// Size in points from a font height in pixels and back, as the display font
// reports them: size = -(height * 72 / ppi), height = -(size * ppi / 72), each
// rounded to the nearest integer with halves away from zero.
[[nodiscard]] int PointsFromHeight(int height, int pixelsPerInch) noexcept;
[[nodiscard]] int HeightFromPoints(int points, int pixelsPerInch) noexcept;

}  // namespace orvane
