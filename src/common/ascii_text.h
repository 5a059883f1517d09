#pragma once
// Character classes, letter case, trimming and control characters of the program's Windows-1252
// text. Only the ASCII letters have a case here, whatever the locale: callsigns, exchange texts and
// SQL keywords hold no others, and a byte above 0x7F must come back as it went in.

#include <string>
#include <string_view>

constexpr bool IsAsciiLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

constexpr bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

// Space and the control characters: every byte up to ' '.
constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

constexpr char AsciiUpper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char AsciiLower(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The text with its ASCII letters in upper case; other bytes stay as they are.
std::string AsciiUpper(std::string_view text);

// The text without blanks and control characters at both ends.
std::string TrimBlanks(std::string_view text);

// What may stand inside one line of the program's files: the lists, the station-data file and
// every export are lines of Windows-1252 text, so a value taken from an imported file must carry no
// NUL, line end or other control character into them. `text` with every tab turned into a blank
// and every other control character (bytes 00 to 1F and 7F) dropped.
std::string WithoutControlCharacters(std::string_view text);
