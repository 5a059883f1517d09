#pragma once
// Completion of a bare suffix to a full Swiss callsign: operators type only the suffix of a KTD
// station ("9XYZ/P", "XYZ/P") and the program puts the Swiss prefix in front.

#include <string>

class TSQLiteDatabase;

// "HB" + text when that resolves to Switzerland ("HB") or Liechtenstein ("HB0"); else "HB9" + text
// when that resolves to Switzerland; else the text unchanged. The live window applies it only when
// the text's own prefix lookup is empty.
std::string CompleteHomeCallsign(TSQLiteDatabase& prefixDb, const std::string& text);
