#include "contest/prefix_lookup.h"

#include "contest/callsign_patterns.h"
#include "db/sqlite_database.h"

namespace {

// Index n holds the query of the prefixes of length n.
const char* const kPrefixQueries[] = {
    nullptr,
    "SELECT dxcc FROM pref1 WHERE pref = :hiscall",
    "SELECT dxcc FROM pref2 WHERE pref = :hiscall",
    "SELECT dxcc FROM pref3 WHERE pref = :hiscall",
    "SELECT dxcc FROM pref4 WHERE pref = :hiscall",
    "SELECT dxcc FROM pref5 WHERE pref = :hiscall",
    "SELECT dxcc FROM pref6 WHERE pref = :hiscall",
};

// The first row's dxcc for the first n characters, or nothing.
bool TryPrefix(TSQLiteDatabase& db, const std::string& call, size_t n, std::string& entity) {
  db.AddParamText(":hiscall", call.substr(0, n));
  auto table = db.GetTable(kPrefixQueries[n]);
  if (table->Eof()) return false;
  entity = table->FieldAsString(0);
  return true;
}

}  // namespace

std::string LookupPrefix(TSQLiteDatabase& prefixDb, const std::string& call) {
  if (!std::regex_search(call, SharedPatterns().letterOrDigitThenDigit)) return "";
  std::string entity;
  for (size_t n = 6; n >= 2; --n) {
    if (call.size() >= n && TryPrefix(prefixDb, call, n, entity)) return entity;
  }
  if (TryPrefix(prefixDb, call, 1, entity)) return entity;
  return "";
}
