// Arbitrary bytes through the settings file's reader and writer: no fault; what
// is written parses back to the same sections and writes the same bytes; and
// the values the program reads, stored and read again after a restart, come
// back the same, with every other program's section left as it was.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "platform/user_error.h"
#include "display/font_fit.h"
#include "platform/file_names.h"
#include "settings/ini_document.h"
#include "settings/setting_values.h"
#include "settings/settings_model.h"
#include "../support/fake_ansi_codec.h"

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

bool ProgramsOwn(const IniSection& section) {
  return SameName(section.name, u"PROGRAM") || SameName(section.name, u"POSITION") ||
         SameName(section.name, u"OPTION");
}

IniDocument Foreign(const IniDocument& document) {
  IniDocument foreign;
  for (const IniSection& section : document.sections) {
    if (!ProgramsOwn(section)) foreign.sections.push_back(section);
  }
  return foreign;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

Color ColorOr(const std::optional<std::u16string>& text, Color fallback) {
  if (!text) return fallback;
  try {
    return TextToColor(*text);
  } catch (const UserError&) {
    return fallback;
  }
}

std::optional<bool> SetOrAbsent(bool set) { return set ? std::optional<bool>(true) : std::nullopt; }

// What a start reads, kept as a close stores it, read again by the next start.
void CheckValuesComeBack(const IniDocument& file) {
  const StoredSettings read = ReadStoredSettings(file);
  const ProgramSection program{read.text.value_or(u"Orvane.exe"), read.fontName.value_or(u"C:\\"), u"V1.3",
                               read.backColor.value_or(u"")};
  const PositionSection position{read.flags.value_or(0),  read.showCmd.value_or(0), read.maxX.value_or(0),
                                 read.maxY.value_or(0),   read.left.value_or(0),    read.top.value_or(0),
                                 read.right.value_or(0),  read.bottom.value_or(0),  read.state.value_or(0)};
  unsigned style = 0;
  if (read.bold.value_or(false)) style |= kBold;
  if (read.italic.value_or(false)) style |= kItalic;
  if (read.underline.value_or(false)) style |= kUnderline;
  if (read.strikeOut.value_or(false)) style |= kStrikeOut;
  const OptionSection options{read.text.value_or(u""),        read.selectAll.value_or(true),
                              read.fontName.value_or(u""),    read.fontSize.value_or(0),
                              ColorOr(read.fontColor, kBlack), ColorOr(read.backColor, kWhite),
                              style};
  const bool kept = !options.text.empty();  // an empty text stores neither section

  IniDocument stored = file;
  StoreSettings(stored, program, kept ? std::optional(position) : std::nullopt,
                kept ? std::optional(options) : std::nullopt);
  const IniDocument next = ParseIni(SerializeIni(stored, kAnsi), kAnsi);

  StoredSettings expected;
  if (kept) {
    expected = {position.flags, position.showCmd, position.maxX, position.maxY, position.left,
                position.top, position.right, position.bottom, position.state, options.text,
                options.selectAll, options.fontName, options.fontSize, ColorToText(options.fontColor),
                ColorToText(options.backColor), SetOrAbsent(style & kBold), SetOrAbsent(style & kItalic),
                SetOrAbsent(style & kUnderline), SetOrAbsent(style & kStrikeOut)};
  }
  Check(ReadStoredSettings(next) == expected);
  Check(ReadValue(next, u"PROGRAM", u"Name") == program.name);
  Check(ReadValue(next, u"program", u"Path") == program.path);
  Check(ReadValue(next, u"PROGRAM", u"LastClose") == program.lastClose);
  Check(SameSections(Foreign(next), Foreign(file)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  const IniDocument first = ParseIni(bytes, kAnsi);
  const std::string written = SerializeIni(first, kAnsi);
  const IniDocument second = ParseIni(written, kAnsi);
  Check(SameSections(first, second));
  Check(SerializeIni(second, kAnsi) == written);
  CheckValuesComeBack(first);

  std::u16string text;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text += static_cast<char16_t>(data[i] | data[i + 1] << 8);
  }
  (void)ParseIniInteger(text);
  (void)ParseIniInteger(std::u16string(bytes.begin(), bytes.end()));
  (void)ClampFontSize(ParseIniInteger(text).value_or(0));
  try {
    const Color color = TextToColor(text);
    Check(TextToColor(ColorToText(color)) == color);
    const Color shown = DisplayableColor(color, kWhite);
    Check((shown >> 24) == 0 || IsSystemColor(shown));
  } catch (const UserError& error) {
    Check(!error.message().empty());
  }
  return 0;
}
