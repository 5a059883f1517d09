#pragma once
// The KTD stations still to be worked, as the live window offers them while a callsign is typed:
// one list per half and mode (stns1, stns2, stns1ssb, stns2ssb), from which recording removes the
// stations already worked.

#include <optional>
#include <string>
#include <vector>

// Every station of the list, in table order.
std::vector<std::string> LoadCandidateList(const std::string& logDbFile, int half, bool cwMode);

// The stations matching what is typed, ascending. A Swiss prefix ("HB9X", and a lone digit 1 ... 9
// taken as "HB" + digit) matches the beginning of the callsign; anything else is taken as a
// suffix under any Swiss prefix of three characters (XYZ finds HB9XYZ/P and HE3XYZ/P) or a guest
// under a Swiss prefix (HB9/XYZ...). The values are bound as parameters; matching is SQLite's LIKE.
std::vector<std::string> FilterCandidateList(const std::string& logDbFile, int half, bool cwMode,
                                             const std::string& typed);

// The first name of a KTD station from the second-half list of the mode (both halves use it);
// nothing when the station is not listed there.
std::optional<std::string> LookupFirstName(const std::string& logDbFile,
                                           const std::string& callsign, bool cwMode);
