#include "output/bitmap_file.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "platform/user_error.h"

namespace orvane {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;

// Little-endian, as the format stores every field.
void Put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}
void Put32(std::string& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((value >> shift) & 0xFF);
}

}  // namespace

int PixelsPerMetre(int pixelsPerInch) noexcept {
  // 1 inch = 0.0254 m: ppi * 10000 / 254, rounded (never exactly a half).
  const long long scaled = static_cast<long long>(std::abs(pixelsPerInch)) * 10000;
  const auto rounded = static_cast<int>((scaled + 127) / 254);
  return pixelsPerInch < 0 ? -rounded : rounded;
}

std::string BitmapFileBytes(const PixelRows& pixels, int xPixelsPerMetre, int yPixelsPerMetre) {
  const std::size_t width = static_cast<std::size_t>(std::max(pixels.width, 0));
  const std::size_t height = static_cast<std::size_t>(std::max(pixels.height, 0));
  const std::size_t rowBytes = width * 3;
  const std::size_t paddedRow = (rowBytes + 3) / 4 * 4;
  const std::size_t imageSize = paddedRow * height;
  const std::size_t fileSize = kFileHeaderSize + kInfoHeaderSize + imageSize;
  // Sizes of int width and height cannot overflow 64 bits here; the format's 32 can.
  if (fileSize > std::numeric_limits<std::uint32_t>::max()) {
    throw UserError(u"The picture is too large for a bitmap file");
  }
  // By division: stride * (height - 1) may wrap around for an absurd stride.
  const std::size_t available = pixels.bytes.size();
  if (height != 0 &&
      (available < rowBytes || (height > 1 && (available - rowBytes) / (height - 1) < pixels.stride))) {
    throw UserError(u"The picture's pixels are incomplete");
  }

  std::string out;
  out.reserve(fileSize);
  out += "BM";
  Put32(out, static_cast<std::uint32_t>(fileSize));
  Put16(out, 0);
  Put16(out, 0);
  Put32(out, static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize));

  Put32(out, static_cast<std::uint32_t>(kInfoHeaderSize));
  Put32(out, static_cast<std::uint32_t>(width));
  Put32(out, static_cast<std::uint32_t>(height));  // positive: bottom-up rows
  Put16(out, 1);                                   // planes
  Put16(out, 24);                                  // bits per pixel
  Put32(out, 0);                                   // BI_RGB
  Put32(out, static_cast<std::uint32_t>(imageSize));
  Put32(out, static_cast<std::uint32_t>(xPixelsPerMetre));
  Put32(out, static_cast<std::uint32_t>(yPixelsPerMetre));
  Put32(out, 0);  // colours used
  Put32(out, 0);  // colours important

  const std::size_t padding = paddedRow - rowBytes;
  // A picture with no width has no rows to write, however tall.
  for (std::size_t row = paddedRow == 0 ? 0 : height; row-- > 0;) {
    const auto* first = pixels.bytes.data() + row * pixels.stride;
    out.append(reinterpret_cast<const char*>(first), rowBytes);
    out.append(padding, '\0');
  }
  return out;
}

}  // namespace orvane
