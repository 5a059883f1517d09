// The rules of exchange texts: cleaning and transliteration, the allowed-character test, lengths
// and comparison keys.

#include "common/ascii_text.h"
#include "contest/text_rules.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input = AsText(data, size);

  // Cleaned: only allowed characters or the marker, no blank at either end or after another; a
  // text that passes the test stays as it is when cleaned again (one with markers is refused
  // anyway, and cleaning again would trim markers standing at its ends).
  const std::string cleaned = CleanText(input);
  FUZZ_CHECK(cleaned.empty() || (cleaned.front() != ' ' && cleaned.back() != ' '));
  FUZZ_CHECK(cleaned.find("  ") == std::string::npos);
  // Escape passes transliteration unchanged (the windows handle it) and so fails the test too.
  bool refused = false;
  for (char c : cleaned) {
    FUZZ_CHECK(IsAllowedTextCharacter(c) || c == kNotRepresentable || c == 27);
    refused = refused || !IsAllowedTextCharacter(c);
  }
  FUZZ_CHECK(PassesAllowedCharacterTest(cleaned) == !refused);
  if (!refused) FUZZ_CHECK(CleanText(cleaned) == cleaned);
  FUZZ_CHECK(UpToMarker(cleaned).find(kNotRepresentable) == std::string_view::npos);

  // Each character alone: an allowed one stays, anything becomes allowed characters or the marker.
  for (char c : input) {
    const std::string t = TransliterateCharacter(c);
    if (IsAllowedTextCharacter(c)) FUZZ_CHECK(t == std::string(1, c));
    for (char d : t) FUZZ_CHECK(IsAllowedTextCharacter(d) || d == kNotRepresentable || d == 27);
  }

  // Lengths, case and keys.
  int blanks = 0;
  for (char c : input) blanks += c == ' ';
  FUZZ_CHECK(TextLengthWithoutSpaces(input) == static_cast<int>(input.size()) - blanks);
  const std::string upper = AsciiUpper(input);
  FUZZ_CHECK(upper.size() == input.size() && AsciiUpper(upper) == upper);
  FUZZ_CHECK(SameTextIgnoringCase(input, upper));
  const std::string key = TextComparisonKey(input);
  FUZZ_CHECK(key.find(' ') == std::string::npos && key == TextComparisonKey(key));
  const std::string trimmed = TrimBlanks(input);
  FUZZ_CHECK(TrimBlanks(trimmed) == trimmed);
  return 0;
}
