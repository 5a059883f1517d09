#pragma once
// Callsign prefix to entity key ("HB", "HB0", "DL", ...) through the in-memory prefix tables
// pref1 .. pref6; the longest matching prefix wins.

#include <string>

class TSQLiteDatabase;

// The entity key of the callsign as typed (upper case), or "" when no prefix matches. A callsign
// without a letter or digit followed by a digit is not looked up at all.
std::string LookupPrefix(TSQLiteDatabase& prefixDb, const std::string& call);
