#pragma once
// The callsign and text patterns shared by the whole program, compiled once and kept for the
// program's lifetime. Matching finds a pattern anywhere in the text (std::regex_search) unless the
// pattern itself is anchored.

#include <regex>

struct CallsignPatterns {
  // A Swiss portable callsign (HB9XYZ/P) or a guest under a Swiss prefix (HB9/DL1XYZ/P).
  // Case-sensitive.
  std::regex ktdStation;
  // Begins with HB or HE and a digit 1 to 9. Case-insensitive.
  std::regex swiss;
  // Ends in "/P". Case-insensitive.
  std::regex portable;
  std::regex twoSpaces;
  std::regex oneSpace;
  // A leading digit 6 to 9 (report readability above 5).
  std::regex leadingSixToNine;
  std::regex comma;
  // A character outside the set allowed in station lists and texts.
  std::regex notAllowedChar;
  // A letter or digit followed by a digit: the gate of the prefix lookup.
  std::regex letterOrDigitThenDigit;
};

// The program's patterns; the first call compiles them (start-up makes that call).
const CallsignPatterns& SharedPatterns();

// Compiles the shared patterns now, so that no later keystroke pays for it.
void CompileSharedPatterns();
