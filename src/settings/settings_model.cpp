#include "settings/settings_model.h"

#include <string>

#include "display/font_fit.h"
#include "settings/setting_values.h"

namespace orvane {
namespace {

constexpr std::u16string_view kProgram = u"PROGRAM";
constexpr std::u16string_view kPosition = u"POSITION";
constexpr std::u16string_view kOption = u"OPTION";

std::u16string Decimal(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

std::optional<std::int32_t> Integer(const IniDocument& document, std::u16string_view section,
                                   std::u16string_view key) {
  const std::optional<std::u16string> value = ReadValue(document, section, key);
  return value ? ParseIniInteger(*value) : std::nullopt;
}

std::optional<bool> Flag(const IniDocument& document, std::u16string_view section, std::u16string_view key) {
  const std::optional<std::int32_t> value = Integer(document, section, key);
  return value ? std::optional<bool>(*value != 0) : std::nullopt;
}

}  // namespace

StoredSettings ReadStoredSettings(const IniDocument& document) {
  StoredSettings s;
  s.flags = Integer(document, kPosition, u"Flags");
  s.showCmd = Integer(document, kPosition, u"ShowCmd");
  s.maxX = Integer(document, kPosition, u"MaxX");
  s.maxY = Integer(document, kPosition, u"MaxY");
  s.left = Integer(document, kPosition, u"Left");
  s.top = Integer(document, kPosition, u"Top");
  s.right = Integer(document, kPosition, u"Right");
  s.bottom = Integer(document, kPosition, u"Bottom");
  s.state = Integer(document, kPosition, u"state");
  s.text = ReadValue(document, kOption, u"Text");
  s.selectAll = Flag(document, kOption, u"SelectAll");
  s.fontName = ReadValue(document, kOption, u"FontName");
  s.fontSize = Integer(document, kOption, u"FontSize");
  s.fontColor = ReadValue(document, kOption, u"FontColor");
  s.backColor = ReadValue(document, kOption, u"BackColor");
  s.bold = Flag(document, kOption, u"FontBold");
  s.italic = Flag(document, kOption, u"FontItalic");
  s.underline = Flag(document, kOption, u"FontUnderline");
  s.strikeOut = Flag(document, kOption, u"FontStrikeOut");
  return s;
}

void StoreSettings(IniDocument& document, const ProgramSection& program,
                   const std::optional<PositionSection>& position,
                   const std::optional<OptionSection>& options) {
  // Erased first, so that the program's sections follow every foreign one and
  // no stale duplicate is left for the reader to find first.
  EraseSection(document, kProgram);
  WriteValue(document, kProgram, u"Name", program.name);
  WriteValue(document, kProgram, u"Path", program.path);
  WriteValue(document, kProgram, u"Version", program.version);
  WriteValue(document, kProgram, u"LastClose", program.lastClose);

  EraseSection(document, kPosition);
  EraseSection(document, kOption);

  if (position) {
    const PositionSection& p = *position;
    WriteValue(document, kPosition, u"Flags", Decimal(p.flags));
    WriteValue(document, kPosition, u"ShowCmd", Decimal(p.showCmd));
    WriteValue(document, kPosition, u"MaxX", Decimal(p.maxX));
    WriteValue(document, kPosition, u"MaxY", Decimal(p.maxY));
    WriteValue(document, kPosition, u"Left", Decimal(p.left));
    WriteValue(document, kPosition, u"Top", Decimal(p.top));
    WriteValue(document, kPosition, u"Right", Decimal(p.right));
    WriteValue(document, kPosition, u"Bottom", Decimal(p.bottom));
    WriteValue(document, kPosition, u"State", Decimal(p.state));
  }

  if (options) {
    const OptionSection& o = *options;
    WriteValue(document, kOption, u"Text", o.text);
    WriteValue(document, kOption, u"SelectAll", o.selectAll ? u"1" : u"0");
    WriteValue(document, kOption, u"FontName", o.fontName);
    WriteValue(document, kOption, u"FontSize", Decimal(o.fontSize));
    WriteValue(document, kOption, u"FontColor", ColorToText(o.fontColor));
    WriteValue(document, kOption, u"BackColor", ColorToText(o.backColor));
    // A style key is absent rather than "0" when its bit is clear.
    if (o.style & kBold) WriteValue(document, kOption, u"FontBold", u"1");
    if (o.style & kItalic) WriteValue(document, kOption, u"FontItalic", u"1");
    if (o.style & kUnderline) WriteValue(document, kOption, u"FontUnderline", u"1");
    if (o.style & kStrikeOut) WriteValue(document, kOption, u"FontStrikeOut", u"1");
  }
}

}  // namespace orvane
