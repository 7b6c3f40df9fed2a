#include "about/about_text.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/version.h"

namespace orvane {
namespace {

const DateNames kNames{
    {u"January", u"February", u"March", u"April", u"May", u"June", u"July", u"August", u"September", u"October",
     u"November", u"December"},
    {u"Monday", u"Tuesday", u"Wednesday", u"Thursday", u"Friday", u"Saturday", u"Sunday"},
};

constexpr char16_t kWinter[] = u"Peace For Ukraine\r\n";
constexpr char16_t kSummer[] = u"Peace for Ukraine\r\n";
constexpr char16_t kStandard[] = u", Ukraine Standard Time";
constexpr char16_t kDaylight[] = u", Ukraine Standard Time (in Daylight Saving Time)";

std::u16string Winter(std::u16string_view time) { return kWinter + std::u16string(time) + kStandard; }
std::u16string Summer(std::u16string_view time) { return kSummer + std::u16string(time) + kDaylight; }

TEST(UkraineTimeLine, SummerTimeFromOneUtcInMarchToOneUtcInOctoberOnAnyDate) {
  struct Case {
    const char* what;
    UtcTime now;
    std::u16string expected;
  };
  const std::vector<Case> cases{
      {"March, a minute before", {2025, 3, 30, 0, 59, 59, 999}, Winter(u"30 March 2025 Sunday 02:59")},
      {"March, the switch itself", {2025, 3, 30, 1, 0, 0, 0}, Winter(u"30 March 2025 Sunday 03:00")},
      {"March, a millisecond after", {2025, 3, 30, 1, 0, 0, 1}, Summer(u"30 March 2025 Sunday 04:00")},
      {"March, half a minute after", {2025, 3, 30, 1, 0, 30, 0}, Summer(u"30 March 2025 Sunday 04:00")},
      {"October, a minute before", {2025, 10, 26, 0, 59, 0, 0}, Summer(u"26 October 2025 Sunday 03:59")},
      {"October, the switch itself", {2025, 10, 26, 1, 0, 0, 0}, Winter(u"26 October 2025 Sunday 03:00")},
      {"October, past the switch", {2025, 10, 26, 1, 59, 0, 0}, Winter(u"26 October 2025 Sunday 03:59")},
      {"October, an hour past", {2025, 10, 26, 2, 0, 0, 0}, Winter(u"26 October 2025 Sunday 04:00")},
      {"a month ending on a Sunday", {2024, 3, 31, 1, 0, 0, 1}, Summer(u"31 March 2024 Sunday 04:00")},
      {"the Sunday before it", {2024, 3, 24, 10, 0, 0, 0}, Winter(u"24 March 2024 Sunday 12:00")},
      {"winter", {2025, 1, 15, 10, 5, 0, 0}, Winter(u"15 January 2025 Wednesday 12:05")},
      {"into the new year", {2024, 12, 31, 23, 30, 0, 0}, Winter(u"1 January 2025 Wednesday 01:30")},
      {"October ending on a Sunday, a minute before", {2027, 10, 31, 0, 59, 0, 0},
       Summer(u"31 October 2027 Sunday 03:59")},
      {"October ending on a Sunday, the switch", {2027, 10, 31, 1, 0, 0, 0}, Winter(u"31 October 2027 Sunday 03:00")},
      // Instants a local clock reads alike, and the same instant read apart:
      // each gives its own time in Ukraine, whatever the local zone.
      {"the first 03:30 of a Kyiv clock's repeated hour", {2025, 10, 26, 0, 30, 0, 0},
       Summer(u"26 October 2025 Sunday 03:30")},
      {"the second 03:30 of it", {2025, 10, 26, 1, 30, 0, 0}, Winter(u"26 October 2025 Sunday 03:30")},
      {"the first 02:30 of a southern clock's repeated hour", {2025, 4, 5, 15, 30, 0, 0},
       Summer(u"5 April 2025 Saturday 18:30")},
      {"the second 02:30 of it", {2025, 4, 5, 16, 30, 0, 0}, Summer(u"5 April 2025 Saturday 19:30")},
      {"a Kyiv clock in July reading 12:05 without its daylight shift", {2025, 7, 1, 10, 5, 0, 0},
       Summer(u"1 July 2025 Tuesday 13:05")},
      // Every date a system clock can hold: leap days, centuries, days before 1970.
      {"a leap day", {2024, 2, 29, 10, 0, 0, 0}, Winter(u"29 February 2024 Thursday 12:00")},
      {"the leap day of a fourth century", {2000, 2, 29, 12, 0, 0, 0}, Winter(u"29 February 2000 Tuesday 14:00")},
      {"no leap day in other centuries", {2100, 2, 28, 23, 0, 0, 0}, Winter(u"1 March 2100 Monday 01:00")},
      {"the last evening before 2000", {1999, 12, 31, 21, 59, 0, 0}, Winter(u"31 December 1999 Friday 23:59")},
      {"summer before 2000", {1999, 7, 1, 9, 0, 0, 0}, Summer(u"1 July 1999 Thursday 12:00")},
      {"midnight before 1970", {1969, 12, 30, 22, 0, 0, 0}, Winter(u"31 December 1969 Wednesday 00:00")},
      {"a minute before that", {1969, 12, 30, 21, 59, 0, 0}, Winter(u"30 December 1969 Tuesday 23:59")},
      {"the earliest system time", {1601, 1, 1, 0, 0, 0, 0}, Winter(u"1 January 1601 Monday 02:00")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(UkraineTimeLine(c.now, kNames), c.expected) << c.what;
  }
}

TEST(AboutText, FileVersionAndTheNineLines) {
  EXPECT_EQ(FormatFileVersion(0x00010003, 0x00000000), u"1.3.0.0");
  EXPECT_EQ(FormatFileVersion(0xFFFF000A, 0x00140000), u"65535.10.20.0");

  AboutFacts facts{u"Orvane", u"1.3.0.0", u"C:\\Tools\\Orvane.exe", 1920, 1080, Winter(u"1 May 2025 Thursday 10:00")};
  EXPECT_EQ(AboutText(facts), u"Orvane Orvane " + std::u16string(kVersionLabel) +
                                  u" (1.3.0.0) Release Build\r\n"
                                  u"C:\\Tools\\Orvane.exe\r\n"
                                  u"CurrentScreen 1920 x 1080\r\n"
                                  u"\r\n"
                                  u"Copyright (C) 2025 The Orvane developers\r\n"
                                  u"orvane@example.org\r\n"
                                  u"https://orvane.example.org/\r\n"
                                  u"\r\n"
                                  u"Peace For Ukraine\r\n1 May 2025 Thursday 10:00, Ukraine Standard Time\r\n");
  facts.fileVersion.clear();
  EXPECT_TRUE(AboutText(facts).starts_with(u"Orvane Orvane " + std::u16string(kVersionLabel) + u" () Release Build\r\n"))
      << "no version resource: empty brackets";
}

}  // namespace
}  // namespace orvane
