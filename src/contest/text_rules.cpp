#include "contest/text_rules.h"

#include <algorithm>

#include "common/ascii_text.h"

namespace {

constexpr char kEscape = '\x1B';

}  // namespace

int TextLengthWithoutSpaces(std::string_view text) {
  return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return c != ' '; }));
}

TextLengthShade ShadeOfTextLength(int length) {
  if (length <= 0) return TextLengthShade::Empty;
  return length < kMinTextLength ? TextLengthShade::Short : TextLengthShade::Valid;
}

std::uint32_t TextLengthColour(TextLengthShade shade) {
  switch (shade) {
    case TextLengthShade::Short:
      return 0xE0E0FF;
    case TextLengthShade::Valid:
      return 0xE0FFE0;
    case TextLengthShade::Empty:
      break;
  }
  return 0xFFFFFF;
}

bool IsAllowedTextCharacter(char c) {
  return IsAsciiLetter(c) || IsAsciiDigit(c) || c == ' ' || c == '.' || c == '-' || c == '/' ||
         c == '?';
}

std::string TransliterateCharacter(char c) {
  if (IsAllowedTextCharacter(c) || c == kEscape) return std::string(1, c);
  switch (static_cast<unsigned char>(c)) {
    case 0xC4:  // Ä
      return "Ae";
    case 0xD6:  // Ö
      return "Oe";
    case 0xDC:  // Ü
      return "Ue";
    case 0xE4:  // ä
      return "ae";
    case 0xF6:  // ö
      return "oe";
    case 0xFC:  // ü
      return "ue";
    case '\'':
      return " ";
    case 0xC0:  // À
      return "A";
    case 0xE0:  // à
      return "a";
    case 0xC9:  // É
    case 0xC8:  // È
    case 0xCA:  // Ê
      return "E";
    case 0xE9:  // é
    case 0xE8:  // è
    case 0xEA:  // ê
      return "e";
    case 0xC7:  // Ç
      return "C";
    case 0xE7:  // ç
      return "c";
    case 0xDB:  // Û
      return "U";
    case 0xFB:  // û
      return "u";
    case 0xCE:  // Î
      return "I";
    case 0xEE:  // î
      return "i";
    default:
      return std::string(1, kNotRepresentable);
  }
}

std::string CleanText(std::string_view text) {
  std::string cleaned;
  for (char c : TrimBlanks(text)) {
    const std::string piece = TransliterateCharacter(c);
    if (piece == " " && (cleaned.empty() || cleaned.back() == ' ')) continue;
    cleaned += piece;
  }
  // An apostrophe at the end would otherwise leave a trailing space: texts never end in one.
  if (!cleaned.empty() && cleaned.back() == ' ') cleaned.pop_back();
  return cleaned;
}

bool PassesAllowedCharacterTest(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return IsAllowedTextCharacter(c) || c == '*'; });
}

std::string_view UpToMarker(std::string_view text) {
  return text.substr(0, text.find(kNotRepresentable));
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return AsciiUpper(x) == AsciiUpper(y);
         });
}

std::string TextComparisonKey(std::string_view text) {
  std::string key;
  for (char c : text)
    if (c != ' ') key += AsciiUpper(c);
  return key;
}
