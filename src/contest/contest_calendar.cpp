#include "contest/contest_calendar.h"

#include <cstdio>

int ThirdSundayOfJuly(int year) {
  // Zeller-style weekday of 1 July (0 = Sunday), valid for the Gregorian calendar.
  static constexpr int kMonthOffset[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
  const int y = year;  // July is after February: no year shift
  const int weekdayOfJuly1 = (y + y / 4 - y / 100 + y / 400 + kMonthOffset[6] + 1) % 7;
  const int firstSunday = 1 + (7 - weekdayOfJuly1) % 7;
  return firstSunday + 14;
}

std::string ContestDateCompact(int year) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d07%02d", year, ThirdSundayOfJuly(year));
  return buf;
}

std::string ContestDateIso(int year) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%04d-07-%02d", year, ThirdSundayOfJuly(year));
  return buf;
}

std::string HalfOf(const std::string& utc) {
  return utc < "0800" ? "0" : "1";
}
