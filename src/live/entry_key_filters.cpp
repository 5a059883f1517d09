#include "live/entry_key_filters.h"

#include "common/ascii_text.h"
#include "contest/text_rules.h"

namespace {

TypedCharacter Insert(std::string text) {
  return {TypedCharacter::Action::Insert, std::move(text)};
}

}  // namespace

TypedCharacter FilterCallsignCharacter(char c) {
  if (IsAsciiLetter(c) || IsAsciiDigit(c) || c == '/') return Insert(std::string(1, AsciiUpper(c)));
  return {};
}

TypedCharacter FilterReportCharacter(char c) {
  if (c >= '1' && c <= '9') return Insert(std::string(1, c));
  return {};
}

TypedCharacter FilterSentTextCharacter(char c, std::string_view text) {
  const std::string transliterated = TransliterateCharacter(c);
  if (transliterated.size() == 2) return {TypedCharacter::Action::Append, transliterated};
  if (transliterated.size() != 1 || !IsAllowedTextCharacter(transliterated[0])) return {};
  if (transliterated == " " && text.size() >= 2 && text.back() == ' ') return {};
  return Insert(transliterated);
}

TypedCharacter FilterReceivedTextCharacter(char c) {
  if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return {};
  if (c == ';') return Insert(",");
  return Insert(std::string(1, c));
}

TypedCharacter FilterMessageCharacter(char c) {
  static const std::string_view kMessagePunctuation = " '()+,-./:=?";
  if (IsAsciiLetter(c) || IsAsciiDigit(c) ||
      kMessagePunctuation.find(c) != std::string_view::npos) {
    return Insert(std::string(1, c));
  }
  const std::string transliterated = TransliterateCharacter(c);
  if (transliterated.size() == 2) return {TypedCharacter::Action::Append, transliterated};
  if (transliterated.size() == 1 && IsAsciiLetter(transliterated[0])) return Insert(transliterated);
  return {};
}

TypedCharacter FilterSpeedCharacter(char c) {
  if (IsAsciiDigit(c)) return Insert(std::string(1, c));
  return {};
}

std::string SanitizeFieldText(LiveField field, std::string_view text) {
  std::string kept;
  for (char c : text) {
    TypedCharacter typed;
    switch (field) {
      case LiveField::Callsign:
        typed = FilterCallsignCharacter(c);
        break;
      case LiveField::RstSent:
      case LiveField::RstRcvd:
        typed = FilterReportCharacter(c);
        break;
      case LiveField::TextSent:
        typed = FilterSentTextCharacter(c, kept);
        break;
      case LiveField::TextRcvd:
        typed = FilterReceivedTextCharacter(c);
        break;
      case LiveField::Msg:
        typed = FilterMessageCharacter(c);
        break;
      case LiveField::WpM:
        typed = FilterSpeedCharacter(c);
        break;
      case LiveField::RigAddress:  // a host name or address and the port: printable ASCII
        if (c > ' ' && c <= '~') typed = {TypedCharacter::Action::Insert, std::string(1, c)};
        break;
      case LiveField::None:
        break;
    }
    if (typed.action != TypedCharacter::Action::Drop) kept += typed.text;
  }
  return kept;
}
