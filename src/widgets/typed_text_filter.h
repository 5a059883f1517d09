#pragma once
// What an entry field admits, however the text arrives: typed, pasted, dropped or middle-clicked.
// Characters outside the field's set are removed, callsign fields are shown in upper case, exchange
// texts are transliterated by the text rules ("ü" -> "ue"), and a field with a length limit keeps
// the text before the insertion and cuts what was inserted.

#include <string>
#include <string_view>

enum class TypedChars {
  TimeDigits,    // 0-9
  ReportDigits,  // 1-9 (a report has no 0)
  Callsign,      // letters, digits, "/"
  ExchangeText,  // the allowed characters of texts; foreign letters transliterated
};

struct TypedTextRule {
  TypedChars chars = TypedChars::ExchangeText;
  bool upperCase = false;
  int maxLength = 0;  // 0 = no limit
};

// True when the field admits the (Windows-1252) character.
bool AdmitsChar(TypedChars chars, char c);

struct FilteredText {
  std::string text;
  int caret = 0;
};

// The field's text after an edit that left `text` with the caret at `caret`: foreign characters
// removed or transliterated (the caret moves with the text before it), upper case where asked, and
// beyond the length limit the characters just before the caret (the inserted ones) dropped.
FilteredText FilterTypedText(const TypedTextRule& rule, std::string_view text, int caret);
