#include "contest/contest_calendar.h"

#include <gtest/gtest.h>

#include <ctime>

namespace {

struct CalendarRow {
  int year;
  const char* compact;
  const char* iso;
};

// The contest days of 2020 to 2030 as published.
const CalendarRow kPublished[] = {
    {2020, "20200719", "2020-07-19"}, {2021, "20210718", "2021-07-18"},
    {2022, "20220717", "2022-07-17"}, {2023, "20230716", "2023-07-16"},
    {2024, "20240721", "2024-07-21"}, {2025, "20250720", "2025-07-20"},
    {2026, "20260719", "2026-07-19"}, {2027, "20270718", "2027-07-18"},
    {2028, "20280716", "2028-07-16"}, {2029, "20290715", "2029-07-15"},
    {2030, "20300721", "2030-07-21"},
};

TEST(ContestCalendar, MatchesThePublishedDays2020To2030) {
  for (const CalendarRow& row : kPublished) {
    EXPECT_EQ(ContestDateCompact(row.year), row.compact) << row.year;
    EXPECT_EQ(ContestDateIso(row.year), row.iso) << row.year;
  }
}

// Checks against the C library's own calendar that the day is the third Sunday of July, for years
// on both sides of the published range, leap years and century years included.
TEST(ContestCalendar, IsTheThirdSundayOfJulyInAnyYear) {
  for (int year : {1900, 1999, 2000, 2019, 2031, 2032, 2099, 2100, 2400}) {
    const int day = ThirdSundayOfJuly(year);
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = 6;
    tm.tm_mday = day;
    tm.tm_hour = 12;
    ASSERT_NE(timegm(&tm), -1);
    EXPECT_EQ(tm.tm_wday, 0) << year;
    EXPECT_GE(day, 15) << year;
    EXPECT_LE(day, 21) << year;
  }
  EXPECT_EQ(ContestDateIso(2031), "2031-07-20");
  EXPECT_EQ(ContestDateCompact(2019), "20190721");
}

TEST(ContestCalendar, HalfChangesAt0800Utc) {
  EXPECT_EQ(HalfOf("0000"), "0");
  EXPECT_EQ(HalfOf("0759"), "0");
  EXPECT_EQ(HalfOf("0800"), "1");
  EXPECT_EQ(HalfOf("2359"), "1");
}

}  // namespace
