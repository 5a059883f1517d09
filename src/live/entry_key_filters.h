#pragma once
// What typing one character does in each entry field of the live window. The same filters serve
// pasted and dropped text, so nothing a field refuses can reach the log. Characters are
// Windows-1252 bytes.

#include <string>
#include <string_view>

#include "live/live_view.h"

struct TypedCharacter {
  enum class Action {
    Drop,    // the character is refused
    Insert,  // `text` goes in at the cursor
    Append,  // `text` is appended to the end of the field (the typed key itself is dropped)
  };
  Action action = Action::Drop;
  std::string text;
};

// Callsign: digits, letters and "/" only, letters in upper case.
TypedCharacter FilterCallsignCharacter(char c);

// Reports: digits 1 ... 9.
TypedCharacter FilterReportCharacter(char c);

// Text sent: umlauts become two letters at the end of the field, accented letters lose their
// accent, an apostrophe becomes a space; then only letters, digits, space, "-", ".", "/" and "?"
// remain. A space is refused after a space once the text has two characters.
TypedCharacter FilterSentTextCharacter(char c, std::string_view text);

// Text received: ";" becomes ","; control characters are refused, everything else is kept.
TypedCharacter FilterReceivedTextCharacter(char c);

// The speed field: digits.
TypedCharacter FilterSpeedCharacter(char c);

// Free message (EditMSG): umlauts and accents as in the text sent; then letters, digits, space and
// "'", "(", ")", "+", ",", "-", ".", "/", ":", "=", "?" remain.
TypedCharacter FilterMessageCharacter(char c);

// The field's text with every character its filter refuses removed (and the others as the filter
// makes them, umlauts in place). Whatever reaches a field by pasting, dropping or an input method
// passes through this, so the field never holds what typing could not put there.
std::string SanitizeFieldText(LiveField field, std::string_view text);
