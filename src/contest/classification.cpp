#include "contest/classification.h"

#include "contest/callsign_patterns.h"

QsoClassFlags ClassifyQso(const std::string& callsign, const std::string& sentText) {
  if (!sentText.empty()) return {"1", "0", "0"};
  if (std::regex_search(callsign, SharedPatterns().swiss)) return {"0", "1", "0"};
  return {"0", "0", "1"};
}

bool IsKtdStation(const std::string& callsign) {
  return std::regex_search(callsign, SharedPatterns().ktdStation);
}
