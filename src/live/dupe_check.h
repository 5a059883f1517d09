#pragma once
// The duplicate and repeat check of the live window, run when the callsign field is left with text.
// It warns only; a duplicate can still be logged.

#include <cstdint>
#include <string>

// What LabelDUPEorAGN shows after the check.
enum class DupeLabelState {
  Hidden,     // no warning
  Dupe,       // "DUPE" on red: already worked where it does not count again
  Agn,        // "AGN" on green: KTD station worked in the first half, may be worked again now
  Unchanged,  // other station without a match: the label keeps its state
};

// ktdStation: the callsign passed the KTD-station test; secondHalf: the current half is the second;
// cwMode: the window's mode switch. Opens and closes the log database.
DupeLabelState CheckDupeOrRepeat(const std::string& logDbFile, const std::string& callsign,
                                 bool ktdStation, bool secondHalf, bool cwMode);

// Caption and background colour (Windows value 0xBBGGRR) of the two warning states; "" and white
// for the others.
const char* DupeLabelCaption(DupeLabelState state);
std::uint32_t DupeLabelColour(DupeLabelState state);
