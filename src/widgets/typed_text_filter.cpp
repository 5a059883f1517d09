#include "widgets/typed_text_filter.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "contest/text_rules.h"

bool AdmitsChar(TypedChars chars, char c) {
  switch (chars) {
    case TypedChars::TimeDigits:
      return IsAsciiDigit(c);
    case TypedChars::ReportDigits:
      return c >= '1' && c <= '9';
    case TypedChars::Callsign:
      return IsAsciiLetter(c) || IsAsciiDigit(c) || c == '/';
    case TypedChars::ExchangeText:
      return IsAllowedTextCharacter(c);
  }
  return false;
}

FilteredText FilterTypedText(const TypedTextRule& rule, std::string_view text, int caret) {
  const size_t caretAt =
      std::clamp<size_t>(static_cast<size_t>(std::max(caret, 0)), 0, text.size());
  FilteredText out;
  out.text.reserve(text.size());
  size_t keptBeforeCaret = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const std::string piece = rule.chars == TypedChars::ExchangeText
                                  ? TransliterateCharacter(text[i])
                                  : std::string(1, text[i]);
    for (const char c : piece) {
      if (!AdmitsChar(rule.chars, c)) continue;
      out.text.push_back(rule.upperCase ? AsciiUpper(c) : c);
      if (i < caretAt) ++keptBeforeCaret;
    }
  }
  if (rule.maxLength > 0 && out.text.size() > static_cast<size_t>(rule.maxLength)) {
    // The inserted characters end at the caret: drop as many of them as the limit demands.
    const size_t excess = out.text.size() - static_cast<size_t>(rule.maxLength);
    const size_t dropFrom = keptBeforeCaret >= excess ? keptBeforeCaret - excess : 0;
    const size_t dropCount = std::min(excess, out.text.size() - dropFrom);
    out.text.erase(dropFrom, dropCount);
    keptBeforeCaret = dropFrom;
  }
  out.caret = static_cast<int>(keptBeforeCaret);
  return out;
}
