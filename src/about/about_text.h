#pragma once
// The text of the about box: the product and version lines, the screen, the
// maker's lines and the greeting with the time in Ukraine.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// A date and time of the UTC clock.
struct UtcTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// Month names, January first, and weekday names, Monday first, as the
// locale numbers them.
struct DateNames {
  std::array<std::u16string, 12> months;
  std::array<std::u16string, 7> weekdays;
};

// "Peace for Ukraine" (summer) or "Peace For Ukraine" (winter), CR LF, then
// the date and time in Ukraine ("d mmmm yyyy aaaa hh:nn") and the zone's name.
// Taken from UTC by Ukraine's own rule, so the local zone, its daylight
// setting and the hour its clock runs twice play no part.
[[nodiscard]] std::u16string UkraineTimeLine(const UtcTime& now, const DateNames& names);

// "1.3.0.0" from the file version's two 32-bit halves.
[[nodiscard]] std::u16string FormatFileVersion(std::uint32_t versionMS, std::uint32_t versionLS);

struct AboutFacts {
  std::u16string title;        // the application title
  std::u16string fileVersion;  // empty when the executable has no version resource
  std::u16string exePath;
  int screenWidth = 0;
  int screenHeight = 0;
  std::u16string timeLine;  // UkraineTimeLine
};

// The box's nine lines, each ended by CR LF.
[[nodiscard]] std::u16string AboutText(const AboutFacts& facts);

}  // namespace orvane
