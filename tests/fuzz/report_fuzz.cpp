// The information report from any snapshot: 47 lines, each ending CR LF; the
// text, its length and its UTF-16 units, the numbers and the colours read back
// from it as the snapshot held them; the rounding helpers stay within half a
// unit of the exact value.

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/text_rules.h"
#include "fuzz_input.h"
#include "report/information_report.h"
#include "settings/setting_values.h"

namespace {

using namespace orvane;
using fuzzing::Check;

// The report after its first two lines, which hold the text, split at CR LF.
std::vector<std::u16string> LinesAfterText(const std::u16string& report, std::u16string_view text) {
  const std::u16string head = u"[TEXT]\r\nText=\"" + std::u16string(text) + u"\"\r\n";
  Check(report.starts_with(head));
  Check(report.ends_with(u"\r\n"));
  std::vector<std::u16string> lines;
  for (std::size_t at = head.size(); at < report.size();) {
    const std::size_t end = report.find(u"\r\n", at);
    lines.emplace_back(report.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// The value of the first line that starts with `key` at or after `from`.
std::u16string ValueOf(const std::vector<std::u16string>& lines, std::u16string_view key, std::size_t from = 0) {
  for (std::size_t i = from; i < lines.size(); ++i) {
    if (lines[i].starts_with(key)) return lines[i].substr(key.size());
  }
  Check(false);
  return {};
}

std::optional<std::int32_t> Number(const std::u16string& text) { return ParseIniInteger(text); }

// "clRed($0000ff)" or "$0000ff" back to the colour it shows.
void CheckColor(const std::u16string& shown, Color color) {
  if (shown.starts_with(u'$')) {
    Check(shown.size() == 7);
    Check(Number(shown) == static_cast<std::int32_t>(color & 0xFFFFFF));
    return;
  }
  const std::size_t open = shown.find(u"($");
  Check(open != std::u16string::npos && shown.ends_with(u')'));
  Check(TextToColor(shown.substr(0, open)) == color);
  Check(shown.size() - open - 3 >= 6);
  Check(Number(shown.substr(open + 1, shown.size() - open - 2)) == static_cast<std::int32_t>(color));
}

// Within half a unit of a * b / c; -1 only for a zero divisor or a quotient
// that is -1 or beyond the 32-bit range.
void CheckMulDiv(int a, int b, int c) {
  const int result = MulDivRounded(a, b, c);
  if (c == 0) {
    Check(result == -1);
    return;
  }
  const long double exact = static_cast<long double>(a) * b / c;
  if (result == -1 && std::fabs(exact + 1) > 0.5L) {
    Check(std::fabs(exact) > 2147483647.0L);
    return;
  }
  Check(std::fabs(exact - result) <= 0.5L + 1e-6L);
}

// One decimal: within a twentieth of the value, with the sign it has.
void CheckOneDecimal(double value, const std::u16string& separator) {
  const std::u16string text = OneDecimal(value, separator);
  const std::size_t at = text.rfind(separator);
  Check(at != std::u16string::npos && at + separator.size() + 1 == text.size());
  const std::optional<std::int32_t> whole = Number(text.substr(0, at));
  const char16_t tenth = text.back();
  Check(whole.has_value() && tenth >= u'0' && tenth <= u'9');
  const double magnitude = std::fabs(static_cast<double>(*whole)) + (tenth - u'0') / 10.0;
  const double read = text.starts_with(u'-') ? -magnitude : magnitude;
  Check(std::fabs(read - value) <= 0.05 + 1e-9 * std::fabs(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::FuzzInput in(data, size);
  const auto any = [&in] { return static_cast<int>(in.Int(INT32_MIN, INT32_MAX)); };
  // Window coordinates stay within the 2^27 the platform's coordinates allow.
  const auto coordinate = [&in] { return static_cast<int>(in.Int(-(1 << 27), 1 << 27)); };

  ReportSnapshot s;
  s.selectionLength = static_cast<int>(in.Int(-1, 300));
  s.screenWidth = any();
  s.screenHeight = any();
  s.workAreaWidth = any();
  s.workAreaHeight = any();
  s.bounds = {coordinate(), coordinate(), coordinate(), coordinate()};
  s.clientWidth = any();
  s.clientHeight = any();
  s.captionWidth = any();
  s.maximized = in.Bool();
  s.fontStyle = static_cast<unsigned>(in.Int(0, 15));
  s.fontHeight = any();
  s.pixelsPerInch = any();
  s.fontColor = static_cast<Color>(in.Int(0, UINT32_MAX));
  s.backColor = static_cast<Color>(in.Int(0, UINT32_MAX));
  s.savedBackColor = static_cast<Color>(in.Int(0, UINT32_MAX));
  s.telop = in.Bool();
  s.colorKey = in.Bool();
  s.page = {any(), any(), any(), any(), any(), any()};
  const std::u16string separator = in.Bool() ? u"." : u",";
  // Names from the system hold no line breaks.
  std::u16string face = in.Text(40, u"MS ゴシック");
  std::u16string printer = in.Text(40, u"\\PDF");
  std::replace(face.begin(), face.end(), u'\n', u' ');
  std::replace(printer.begin(), printer.end(), u'\n', u' ');
  const std::u16string text = in.Text(300, u"aZ 漢\"=\r\n\xD83D\xDE00");
  s.fontFace = face;
  s.printerName = printer;
  s.text = text;
  s.decimalSeparator = separator;

  const std::vector<std::u16string> lines = LinesAfterText(InformationReport(s), text);
  // The text's own CR LF would split it; what follows is the other 45 lines.
  Check(lines.size() == 45);
  Check(Number(ValueOf(lines, u"Length=")) == static_cast<std::int32_t>(text.size()));
  const std::u16string units = ValueOf(lines, u"UTF16=");
  Check(units.size() == text.size() * 5);
  for (std::size_t i = 0; i < text.size(); ++i) {
    Check(units[i * 5 + 4] == u' ');
    Check(Number(u"$" + units.substr(i * 5, 4)) == text[i]);
  }
  Check(ValueOf(lines, u"AllSelected=") ==
        (!text.empty() && s.selectionLength == static_cast<int>(text.size()) ? u"Yes" : u"No"));
  Check(Number(ValueOf(lines, u"WorkAreaHeight=")) == s.workAreaHeight);
  Check(Number(ValueOf(lines, u"Left=")) == s.bounds.left);
  Check(Number(ValueOf(lines, u"Bottom=")) == s.bounds.bottom);
  Check(Number(ValueOf(lines, u"Width=", 10)) == s.bounds.Width());
  Check(Number(ValueOf(lines, u"CanvasTextWidth=")) == s.captionWidth);
  Check(ValueOf(lines, u"Name=") == face);
  Check(Number(ValueOf(lines, u"Height=", 22)) == s.fontHeight);
  Check(ValueOf(lines, u"UnderLine=") == ((s.fontStyle & 4) != 0 ? u"Yes" : u"No"));
  CheckColor(ValueOf(lines, u"FontColor="), s.fontColor);
  CheckColor(ValueOf(lines, u"BackColor="), s.colorKey ? s.savedBackColor : s.backColor);
  Check(ValueOf(lines, u"Name=", 30) == printer);
  Check(Number(ValueOf(lines, u"DrawHeight(mm)=")) == s.page.heightMm);

  CheckMulDiv(s.fontHeight, 72, s.pixelsPerInch);
  CheckMulDiv(any(), any(), any());
  CheckOneDecimal(s.page.widthMm / 25.4, separator);
  CheckOneDecimal(static_cast<double>(in.Int(-(1LL << 40), 1LL << 40)) / 1024.0, separator);
  return 0;
}
