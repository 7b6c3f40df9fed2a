#include "about/about_text.h"

#include <string>

#include "platform/program_constants.h"
#include "platform/version.h"

namespace orvane {
namespace {

constexpr std::int64_t kMinute = 60'000;  // milliseconds
constexpr std::int64_t kHour = 60 * kMinute;
constexpr std::int64_t kDay = 24 * kHour;

constexpr std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - (a % b != 0 && (a < 0) != (b < 0) ? 1 : 0);
}

// Days since 1970-01-01 of a date of the proleptic Gregorian calendar.
constexpr std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

struct Civil {
  int year, month, day;
};

constexpr Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400 + (m <= 2)), m, d};
}

// 0 Sunday ... 6 Saturday; 1970-01-01 was a Thursday.
constexpr int Weekday(std::int64_t days) { return static_cast<int>((days % 7 + 7 + 4) % 7); }

constexpr std::int64_t Milliseconds(std::int64_t days, int hour, int minute, int second, int ms) {
  return days * kDay + hour * kHour + minute * kMinute + second * 1000 + ms;
}

// The day before the next month's first, stepped back to a Sunday; asked for
// March and October only, so the next month is in the same year.
std::int64_t LastSunday(int year, int month) {
  std::int64_t day = DaysFromCivil(year, month + 1, 1) - 1;
  while (Weekday(day) != 0) --day;
  return day;
}

std::u16string Decimal(std::int64_t value) {
  std::string digits = std::to_string(value);
  return std::u16string(digits.begin(), digits.end());
}

// At least width digits, zeros in front.
std::u16string Digits(int value, int width) {
  std::u16string text = Decimal(value);
  if (text.size() < static_cast<std::size_t>(width)) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), u'0');
  }
  return text;
}

// "d mmmm yyyy aaaa hh:nn"
std::u16string FormatTime(std::int64_t moment, const DateNames& names) {
  std::int64_t days = FloorDiv(moment, kDay);
  std::int64_t inDay = moment - days * kDay;
  Civil date = CivilFromDays(days);
  return Digits(date.day, 1) + u' ' + names.months[date.month - 1] + u' ' + Digits(date.year, 4) +
         u' ' + names.weekdays[(Weekday(days) + 6) % 7] + u' ' +
         Digits(static_cast<int>(inDay / kHour), 2) + u':' +
         Digits(static_cast<int>(inDay % kHour / kMinute), 2);
}

}  // namespace

std::u16string UkraineTimeLine(const UtcTime& now, const DateNames& names) {
  const std::int64_t utc = Milliseconds(DaysFromCivil(now.year, now.month, now.day), now.hour,
                                        now.minute, now.second, now.millisecond);
  // Ukraine's standard time is UTC+2; its summer time runs from 03:00 on the
  // last Sunday of March to 04:00 summer time (03:00 standard) on the last
  // Sunday of October, both 01:00 UTC.
  std::int64_t standard = utc + 2 * kHour;
  int year = CivilFromDays(FloorDiv(standard, kDay)).year;
  std::int64_t summerStart = Milliseconds(LastSunday(year, 3), 3, 0, 0, 0);
  std::int64_t summerEnd = Milliseconds(LastSunday(year, 10), 3, 0, 0, 0);
  if (summerStart < standard && standard < summerEnd) {
    return u"Peace for Ukraine\r\n" + FormatTime(standard + kHour, names) +
           u", Ukraine Standard Time (in Daylight Saving Time)";
  }
  return u"Peace For Ukraine\r\n" + FormatTime(standard, names) + u", Ukraine Standard Time";
}

std::u16string FormatFileVersion(std::uint32_t versionMS, std::uint32_t versionLS) {
  return Decimal(versionMS >> 16) + u'.' + Decimal(versionMS & 0xFFFF) + u'.' +
         Decimal(versionLS >> 16) + u'.' + Decimal(versionLS & 0xFFFF);
}

std::u16string AboutText(const AboutFacts& facts) {
  constexpr std::u16string_view kEnd = u"\r\n";
  std::u16string text = std::u16string(ProductName) + u' ' + facts.title + u' ' + kVersionLabel +
                        u" (" + facts.fileVersion + u") Release Build";
  text += kEnd;
  text += facts.exePath;
  text += kEnd;
  text += u"CurrentScreen " + Decimal(facts.screenWidth) + u" x " + Decimal(facts.screenHeight);
  text += kEnd;
  text += kEnd;
  for (std::u16string_view line : {CopyrightNotice, ContactMail, HomePageAddress}) {
    text += line;
    text += kEnd;
  }
  text += kEnd;
  text += facts.timeLine;
  text += kEnd;
  return text;
}

}  // namespace orvane
