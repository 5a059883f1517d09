#include "contest/home_completion.h"

#include "contest/prefix_lookup.h"

std::string CompleteHomeCallsign(TSQLiteDatabase& prefixDb, const std::string& text) {
  const std::string withHb = "HB" + text;
  const std::string entity = LookupPrefix(prefixDb, withHb);
  if (entity == "HB" || entity == "HB0") return withHb;
  const std::string withHb9 = "HB9" + text;
  if (LookupPrefix(prefixDb, withHb9) == "HB") return withHb9;
  return text;
}
