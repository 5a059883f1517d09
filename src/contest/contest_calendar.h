#pragma once
// The contest day: the third Sunday of July of the current year. Only QSO times are logged; every
// QSO is taken to be made on that day. The day is split into two halves at 08:00 UTC.

#include <string>

// Day of July (15..21) of the third Sunday, for any year of the Gregorian calendar.
int ThirdSundayOfJuly(int year);

// "20240721": the form ADIF wants in QSO_DATE.
std::string ContestDateCompact(int year);
// "2024-07-21".
std::string ContestDateIso(int year);

// Half of a QSO from its four-digit UTC time, compared as text: "0" before "0800", "1" from then
// on.
std::string HalfOf(const std::string& utc);
