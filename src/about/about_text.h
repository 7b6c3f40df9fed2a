#pragma once
// The text of the about box: the product and version lines, the screen, the
// maker's lines and the greeting with the time in Ukraine.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvane {

// A local date and time as the system clock gives it.
struct LocalTime {
  int year = 1970, month = 1, day = 1;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// A switch date of a time zone, in the system's own form: with year 0 a
// yearly rule (week 1 to 5 of the month, 5 the last; dayOfWeek 0 Sunday),
// otherwise that very date. month 0: the zone has no such switch.
struct ZoneDate {
  int year = 0, month = 0, dayOfWeek = 0, day = 0;
  int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The local zone's rules for a year, in minutes: UTC = local time + bias +
// standardBias (or + daylightBias in the daylight period). daylightStart is
// the standard local time at which the daylight period starts, standardStart
// the daylight local time at which it ends.
struct ZoneRules {
  int bias = 0;
  int standardBias = 0;
  int daylightBias = 0;
  ZoneDate standardStart;
  ZoneDate daylightStart;
};

// Month names, January first, and weekday names, Monday first, as the
// locale numbers them.
struct DateNames {
  std::array<std::u16string, 12> months;
  std::array<std::u16string, 7> weekdays;
};

// "Peace for Ukraine" (summer) or "Peace For Ukraine" (winter), CR LF, then
// the date and time in Ukraine ("d mmmm yyyy aaaa hh:nn") and the zone's name.
[[nodiscard]] std::u16string UkraineTimeLine(const LocalTime& now, const ZoneRules& zone,
                                             const DateNames& names);

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
