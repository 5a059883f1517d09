#pragma once
// The class of a recorded QSO and the KTD-station test of the entry windows.

#include <string>

// The three class flags of a QSO as stored in the log ("0" or "1"); exactly one is "1".
struct QsoClassFlags {
  std::string ktdst;
  std::string hbst;
  std::string eust;
};

// A QSO with a sent exchange text is a KTD QSO; otherwise a callsign beginning with HB/HE and a
// digit 1-9 (any case) is Swiss; everything else counts as "other station".
QsoClassFlags ClassifyQso(const std::string& callsign, const std::string& sentText);

// True when the callsign is a Swiss portable callsign such as HB9XYZ/P or HB9/DL1XYZ/P. The test is
// case-sensitive: callers pass the field's upper-case text.
bool IsKtdStation(const std::string& callsign);
