#pragma once
// Colour values as the program stores them: RGB with red in the low byte, or a
// system colour (top byte FF, the platform's system-colour index in the low byte).

#include <cstdint>

namespace orvane {

using Color = std::uint32_t;

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kYellow = 0x00FFFF;

[[nodiscard]] constexpr bool IsSystemColor(Color c) noexcept { return (c >> 24) == 0xFF; }
[[nodiscard]] constexpr int SystemColorIndex(Color c) noexcept { return static_cast<int>(c & 0xFF); }

}  // namespace orvane
