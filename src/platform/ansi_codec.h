#pragma once
// The active ANSI code page as a pair of conversions, so portable code can
// read and write it with what the platform (or a test) supplies.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace orvane {

struct AnsiCodec {
  std::function<std::u16string(std::string_view)> decode;
  // nullopt when some character has no form in the code page.
  std::function<std::optional<std::string>(std::u16string_view)> encode;
};

}  // namespace orvane
