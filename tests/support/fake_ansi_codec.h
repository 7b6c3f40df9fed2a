#pragma once
// A stand-in for the double-byte ANSI code page, for tests and the fuzzer:
// ASCII, and "漢" as 8A BF; any other byte reads as U+FFFD, and any other
// character cannot be written, so such a file goes the UTF-16 way.

#include <optional>
#include <string>
#include <string_view>

#include "platform/ansi_codec.h"

namespace orvane::testing_support {

inline const AnsiCodec& FakeAnsiCodec() {
  static const AnsiCodec codec{
      [](std::string_view bytes) {
        std::u16string text;
        for (std::size_t i = 0; i < bytes.size(); ++i) {
          const auto b = static_cast<unsigned char>(bytes[i]);
          if (b < 0x80) {
            text += static_cast<char16_t>(b);
          } else if (b == 0x8A && i + 1 < bytes.size() && bytes[i + 1] == '\xBF') {
            text += u'\u6F22';
            ++i;
          } else {
            text += u'\uFFFD';
          }
        }
        return text;
      },
      [](std::u16string_view text) -> std::optional<std::string> {
        std::string bytes;
        for (const char16_t c : text) {
          if (c < 0x80) {
            bytes += static_cast<char>(c);
          } else if (c == u'\u6F22') {
            bytes += "\x8A\xBF";
          } else {
            return std::nullopt;
          }
        }
        return bytes;
      }};
  return codec;
}

}  // namespace orvane::testing_support
