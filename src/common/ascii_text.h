#pragma once
// Character classes, letter case and trimming of the program's Windows-1252 text. Only the ASCII
// letters have a case here, whatever the locale: callsigns, exchange texts and SQL keywords hold
// no others, and a byte above 0x7F must come back as it went in.

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
