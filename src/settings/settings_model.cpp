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

}  // namespace

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
