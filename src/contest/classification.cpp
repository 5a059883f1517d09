#include "contest/classification.h"

#include "contest/callsign_patterns.h"

namespace {

// The regex engine matches each repetition with one more stack frame, so the KTD pattern on some
// tens of thousands of characters (a paste into the callsign field) would overflow the stack. Up to
// this length the shared pattern decides; beyond it the scan below, which gives the same answer.
constexpr size_t kRegexSafeLength = 1000;

bool IsWordChar(char c) {
  static const std::regex_traits<char> traits;
  static const auto word = traits.lookup_classname("w", "w" + 1);
  return traits.isctype(c, word);
}

// Position after the run of word characters starting at pos.
size_t SkipWord(const std::string& s, size_t pos) {
  while (pos < s.size() && IsWordChar(s[pos])) ++pos;
  return pos;
}

// Same result as the KTD pattern: "H", "B" or "E", a digit 1-9, then either word characters and
// "/P", or "/", word characters and "/P". Word runs cannot hold '/', so each ends where it must.
bool ScanKtdShape(const std::string& s) {
  if (s.size() < 5 || s[0] != 'H' || (s[1] != 'B' && s[1] != 'E') || s[2] < '1' || s[2] > '9') {
    return false;
  }
  size_t pos = 3;
  if (s[pos] == '/') ++pos;
  const size_t end = SkipWord(s, pos);
  return end > pos && end + 1 < s.size() && s[end] == '/' && s[end + 1] == 'P';
}

}  // namespace

QsoClassFlags ClassifyQso(const std::string& callsign, const std::string& sentText) {
  if (!sentText.empty()) return {"1", "0", "0"};
  if (std::regex_search(callsign, SharedPatterns().swiss)) return {"0", "1", "0"};
  return {"0", "0", "1"};
}

bool IsKtdStation(const std::string& callsign) {
  if (callsign.size() > kRegexSafeLength) return ScanKtdShape(callsign);
  return std::regex_search(callsign, SharedPatterns().ktdStation);
}
