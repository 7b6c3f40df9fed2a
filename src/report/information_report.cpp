#include "report/information_report.h"

#include <cmath>
#include <cstdint>

#include "display/text_rules.h"
#include "settings/setting_values.h"

namespace orvane {
namespace {

constexpr char16_t kLowerHex[] = u"0123456789abcdef";
constexpr char16_t kUpperHex[] = u"0123456789ABCDEF";

// value in hexadecimal, at least `digits` digits.
std::u16string Hex(std::uint32_t value, int digits, const char16_t* alphabet) {
  std::u16string text;
  for (; value != 0 || digits > 0; value >>= 4, --digits)
    text.insert(text.begin(), alphabet[value & 0xF]);
  return text;
}

std::u16string YesNo(bool condition) { return condition ? u"Yes" : u"No"; }

class Lines {
 public:
  void Header(std::u16string_view header) { Line(header); }
  void Empty() { Line({}); }
  void Value(std::u16string_view key, std::u16string_view value) {
    text_ += key;
    text_ += value;
    text_ += u"\r\n";
  }
  void Number(std::u16string_view key, int value) { Value(key, DecimalText(value)); }
  void Flag(std::u16string_view key, bool value) { Value(key, YesNo(value)); }
  std::u16string Take() { return std::move(text_); }

 private:
  void Line(std::u16string_view line) { Value(line, {}); }
  std::u16string text_;
};

}  // namespace

int MulDivRounded(int a, int b, int c) noexcept {
  if (c == 0) return -1;
  std::int64_t product = std::int64_t{a} * b;
  std::int64_t divisor = c;
  if (divisor < 0) {
    product = -product;
    divisor = -divisor;
  }
  const std::int64_t half = divisor / 2;
  const std::int64_t result =
      product >= 0 ? (product + half) / divisor : (product - half) / divisor;
  if (result > 2147483647 || result < -2147483647) return -1;
  return static_cast<int>(result);
}

std::u16string ReportColor(Color color) {
  std::u16string name = ColorToText(color);
  // Unnamed colours come back as "$" and hex digits; a name never starts so.
  if (name.starts_with(u'$')) return u'$' + Hex(color & 0xFFFFFF, 6, kLowerHex);
  name += u"($";
  name += Hex(color, 6, kLowerHex);
  name += u')';
  return name;
}

std::u16string OneDecimal(double value, std::u16string_view separator) {
  const long long tenths = std::llround(value * 10.0);  // half away from zero
  const unsigned long long magnitude = tenths < 0 ? 0ULL - static_cast<unsigned long long>(tenths)
                                                  : static_cast<unsigned long long>(tenths);
  std::u16string text = tenths < 0 ? u"-" : u"";
  for (char c : std::to_string(magnitude / 10)) text += static_cast<char16_t>(c);
  text += separator;
  text += static_cast<char16_t>(u'0' + magnitude % 10);
  return text;
}

std::u16string InformationReport(const ReportSnapshot& s) {
  Lines r;
  r.Header(u"[TEXT]");
  std::u16string quoted = u"\"";
  quoted += s.text;
  quoted += u'"';
  r.Value(u"Text=", quoted);
  r.Number(u"Length=", static_cast<int>(s.text.size()));
  std::u16string units;
  for (char16_t unit : s.text) units += Hex(unit, 4, kUpperHex) + u' ';
  r.Value(u"UTF16=", units);
  r.Flag(u"AllSelected=",
         !s.text.empty() && static_cast<std::size_t>(s.selectionLength) == s.text.size());
  r.Empty();

  r.Header(u"[SCREEN]");
  r.Number(u"Width=", s.screenWidth);
  r.Number(u"Height=", s.screenHeight);
  r.Number(u"WorkAreaWidth=", s.workAreaWidth);
  r.Number(u"WorkAreaHeight=", s.workAreaHeight);
  r.Empty();

  r.Header(u"[FORM]");
  r.Number(u"Left=", s.bounds.left);
  r.Number(u"Top=", s.bounds.top);
  r.Number(u"Right=", s.bounds.right);
  r.Number(u"Bottom=", s.bounds.bottom);
  r.Number(u"Width=", s.bounds.Width());
  r.Number(u"Height=", s.bounds.Height());
  r.Number(u"CanvasWidth=", s.clientWidth);
  r.Number(u"CanvasHeight=", s.clientHeight);
  r.Number(u"CanvasTextWidth=", s.captionWidth);
  r.Flag(u"Maximized=", s.maximized);
  r.Empty();

  r.Header(u"[FONT]");
  r.Value(u"Name=", s.fontFace);
  r.Number(u"PointSize=", -MulDivRounded(s.fontHeight, 72, s.pixelsPerInch));
  r.Number(u"Height=", s.fontHeight);
  r.Flag(u"Bold=", (s.fontStyle & 1) != 0);
  r.Flag(u"Italic=", (s.fontStyle & 2) != 0);
  r.Flag(u"StrikeOut=", (s.fontStyle & 8) != 0);
  r.Flag(u"UnderLine=", (s.fontStyle & 4) != 0);
  r.Value(u"FontColor=", ReportColor(s.fontColor));
  r.Value(u"BackColor=", ReportColor(s.colorKey ? s.savedBackColor : s.backColor));
  r.Flag(u"TelopFloat=", s.telop);
  r.Flag(u"Transparent=", s.colorKey);
  r.Empty();

  r.Header(u"[PRINTER]");
  r.Value(u"Name=", s.printerName);
  r.Number(u"PageWidth(pix)=", s.page.widthPixels);
  r.Number(u"PageHeight(pix)=", s.page.heightPixels);
  r.Number(u"HorizontalDPI=", s.page.dotsPerInchX);
  r.Number(u"VerticalDPI=", s.page.dotsPerInchY);
  r.Value(u"DrawWidth(inch)=", OneDecimal(s.page.widthMm / 25.4, s.decimalSeparator));
  r.Value(u"DrawHeight(inch)=", OneDecimal(s.page.heightMm / 25.4, s.decimalSeparator));
  r.Number(u"DrawWidth(mm)=", s.page.widthMm);
  r.Number(u"DrawHeight(mm)=", s.page.heightMm);
  return r.Take();
}

}  // namespace orvane
