// Arbitrary bytes through the settings file's reader and writer: no fault, and
// what is written reads back to the same sections and writes the same bytes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "app/user_error.h"
#include "settings/ini_document.h"
#include "../support/fake_ansi_codec.h"
#include "settings/setting_values.h"

namespace {

using namespace orvane;

const AnsiCodec& kAnsi = testing_support::FakeAnsiCodec();

bool SameSections(const IniDocument& a, const IniDocument& b) {
  if (a.sections.size() != b.sections.size()) return false;
  for (std::size_t i = 0; i < a.sections.size(); ++i) {
    if (a.sections[i].name != b.sections[i].name || a.sections[i].lines != b.sections[i].lines) {
      return false;
    }
  }
  return true;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const IniDocument first = ParseIni(bytes, kAnsi);
  const std::string written = SerializeIni(first, kAnsi);
  const IniDocument second = ParseIni(written, kAnsi);
  Check(SameSections(first, second));
  Check(SerializeIni(second, kAnsi) == written);

  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  }
  (void)ParseIniInteger(text);
  (void)ParseIniInteger(std::u16string(bytes.begin(), bytes.end()));
  try {
    const Color color = TextToColor(text);
    Check(TextToColor(ColorToText(color)) == color);
  } catch (const UserError& error) {
    Check(!error.message().empty());
  }
  return 0;
}
