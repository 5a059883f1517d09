#pragma once
// The rules of exchange texts shared by every window that edits or checks them (text collection,
// station list, paper log). Texts are Windows-1252 bytes.
//
// - Allowed characters: "A".."Z", "a".."z", "0".."9", space, ".", "-", "/", "?".
// - A text's length is counted without spaces; a valid text has at least 15 such characters, a
//   text taken from a file or the clipboard at most 22.
// - Foreign letters are transliterated ("ä" -> "ae", "é" -> "e"); a character that has no
//   transliteration becomes the not-representable marker, one NUL byte, which no valid text holds.

#include <cstdint>
#include <string>
#include <string_view>

constexpr int kMinTextLength = 15;
constexpr int kMaxImportedTextLength = 22;

// Stands in a cleaned or transliterated text for a character that cannot be represented.
constexpr char kNotRepresentable = '\0';

// Number of characters other than spaces.
int TextLengthWithoutSpaces(std::string_view text);

// How a text field and its length counter are shaded: white with the counter hidden when empty,
// light red while too short, light green once long enough.
enum class TextLengthShade { Empty, Short, Valid };
TextLengthShade ShadeOfTextLength(int length);

// Windows colour value (0xBBGGRR) of a shade: white, light red 0xE0E0FF, light green 0xE0FFE0.
std::uint32_t TextLengthColour(TextLengthShade shade);

// One of the allowed characters; the typing filter of text fields.
bool IsAllowedTextCharacter(char c);

// What one typed or imported character becomes: an allowed character (and Escape, which the
// windows handle themselves) stays as it is; umlauts become two letters ("Ä" -> "Ae", "ü" -> "ue");
// the apostrophe becomes a space; "À" "É" "È" "Ê" "Ç" "Û" "Î" lose their accent, in both cases;
// anything else becomes the not-representable marker.
std::string TransliterateCharacter(char c);

// An imported or pasted text made fit: blanks and control characters removed at both ends, every
// character transliterated, and no space at the start, at the end or after another space (so two
// spaces become one and a leading apostrophe leaves nothing). Characters without transliteration
// remain as markers, so the text fails PassesAllowedCharacterTest.
std::string CleanText(std::string_view text);

// The allowed-character test of texts read from files and the clipboard: false when the text
// holds a character outside "-A-Z/a-z 0-9.?*" (in particular the not-representable marker).
bool PassesAllowedCharacterTest(std::string_view text);

// The text up to, and without, its first not-representable marker.
std::string_view UpToMarker(std::string_view text);

// Equal without regard to case.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// The form in which typed texts are compared for duplicates: upper case, every space removed.
std::string TextComparisonKey(std::string_view text);
