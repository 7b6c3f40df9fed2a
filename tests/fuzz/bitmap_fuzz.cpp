// The bitmap writer from any size, stride and pixel buffer: it refuses what
// the buffer cannot hold or the format cannot size, and otherwise writes a
// file whose headers state its own sizes and whose rows are the pixels.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/user_error.h"
#include "fuzz_input.h"
#include "output/bitmap_file.h"

namespace {

using namespace orvane;
using fuzzing::Check;

std::uint32_t Field32(const std::string& file, std::size_t at) {
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(file[at + i]);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);
  PixelRows rows;
  rows.width = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  rows.height = static_cast<int>(in.Int(INT32_MIN, INT32_MAX));
  // Rows never overlap: the stride is at least a row, and may be absurd.
  const std::size_t rowBytes = rows.width > 0 ? static_cast<std::size_t>(rows.width) * 3 : 0;
  const std::size_t extra = static_cast<std::size_t>(in.Int(0, INT64_MAX)) << in.Int(0, 1);
  rows.stride = extra > SIZE_MAX - rowBytes ? SIZE_MAX : rowBytes + extra;
  const int ppi = static_cast<int>(in.Int(-100000, 100000));
  // The rest of the input is the pixels: little enough that only small
  // pictures can be whole.
  rows.bytes = in.Rest();

  const int ppm = PixelsPerMetre(ppi);
  Check((ppm < 0) == (ppi < 0));
  Check(std::abs(static_cast<long long>(ppm) * 254 - static_cast<long long>(ppi) * 10000) <= 127);

  std::string file;
  try {
    file = BitmapFileBytes(rows, ppm, -ppm);
  } catch (const UserError& error) {
    Check(error.message() == u"The picture is too large for a bitmap file" ||
          error.message() == u"The picture's pixels are incomplete");
    // Refused only when a row it needs would end past the buffer.
    const unsigned __int128 needed =
        rows.height > 0 ? static_cast<unsigned __int128>(rows.stride) * (rows.height - 1) + rowBytes : 0;
    Check(needed > rows.bytes.size());
    return 0;
  }
  const std::size_t width = rows.width > 0 ? static_cast<std::size_t>(rows.width) : 0;
  const std::size_t height = rows.height > 0 ? static_cast<std::size_t>(rows.height) : 0;
  Check(file.size() >= 54 && file.compare(0, 2, "BM") == 0);
  Check(Field32(file, 2) == file.size());
  Check(Field32(file, 10) == 54 && Field32(file, 14) == 40);
  Check(Field32(file, 18) == width && Field32(file, 22) == height);
  Check(Field32(file, 34) == file.size() - 54);
  Check(Field32(file, 38) == static_cast<std::uint32_t>(ppm) && Field32(file, 42) == static_cast<std::uint32_t>(-ppm));
  if (width == 0 || height == 0) {
    Check(file.size() == 54);
    return 0;
  }
  const std::size_t padded = (file.size() - 54) / height;
  Check(padded % 4 == 0 && padded >= width * 3 && padded < width * 3 + 4);
  Check(padded * height == file.size() - 54);
  // Bottom-up rows: the file's first row is the picture's last.
  for (std::size_t row = 0; row < height; ++row) {
    const char* written = file.data() + 54 + (height - 1 - row) * padded;
    Check(std::memcmp(written, rows.bytes.data() + row * rows.stride, width * 3) == 0);
    for (std::size_t pad = width * 3; pad < padded; ++pad) Check(written[pad] == '\0');
  }
  return 0;
}
