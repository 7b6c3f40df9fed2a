#pragma once
// The bytes of an uncompressed 24-bit bitmap file: 14-byte file header,
// 40-byte information header, no colour table, rows bottom-up, each padded to
// a multiple of 4 bytes.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

namespace orvane {

// 24-bit pixels as blue, green, red bytes, the top row first; each row
// starts `stride` bytes after the one above it.
struct PixelRows {
  int width = 0;
  int height = 0;
  std::size_t stride = 0;
  std::span<const std::uint8_t> bytes;
};

// Pixels per inch as pixels per metre, rounded to the nearest (96 gives 3780).
[[nodiscard]] int PixelsPerMetre(int pixelsPerInch) noexcept;

// The whole file; both resolution fields in pixels per metre. Raises a
// UserError for a picture too large for the format's 32-bit sizes.
[[nodiscard]] std::string BitmapFileBytes(const PixelRows& pixels, int xPixelsPerMetre,
                                          int yPixelsPerMetre);

}  // namespace orvane
