#include "live/candidate_queries.h"

#include <regex>

#include "common/ascii_text.h"
#include "contest/callsign_patterns.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"

namespace {

std::vector<std::string> FirstColumn(TSQLiteTable& table) {
  std::vector<std::string> values;
  values.reserve(static_cast<size_t>(table.RowCount()));
  for (; !table.Eof(); table.Next()) values.push_back(table.FieldAsString(0));
  return values;
}

}  // namespace

std::vector<std::string> LoadCandidateList(const std::string& logDbFile, int half, bool cwMode) {
  TSQLiteDatabase db(logDbFile);
  const auto table = db.GetTable(std::string("SELECT rufz FROM ") + StationTable(half, cwMode));
  return FirstColumn(*table);
}

std::vector<std::string> FilterCandidateList(const std::string& logDbFile, int half, bool cwMode,
                                             const std::string& typed) {
  std::string s = AsciiUpper(typed);
  if (s.size() == 1 && s[0] >= '1' && s[0] <= '9') s = "HB" + s;

  TSQLiteDatabase db(logDbFile);
  std::string sql =
      std::string("SELECT rufz FROM ") + StationTable(half, cwMode) + " WHERE rufz LIKE :pattern";
  if (std::regex_search(s, SharedPatterns().swiss)) {
    db.AddParamText(":pattern", s + "%");
  } else {
    db.AddParamText(":pattern", "H__" + s + "%");
    db.AddParamText(":guest", "H__/" + s + "%");
    sql += " OR rufz LIKE :guest";
  }
  const auto table = db.GetTable(sql + " ORDER BY rufz");
  return FirstColumn(*table);
}

std::optional<std::string> LookupFirstName(const std::string& logDbFile,
                                           const std::string& callsign, bool cwMode) {
  TSQLiteDatabase db(logDbFile);
  db.AddParamText(":rufz", callsign);
  // The second-half table holds every station of the list that has not been worked in it.
  const auto table = db.GetTable(std::string("SELECT name FROM ") + StationTable(1, cwMode) +
                                 " WHERE rufz = :rufz");
  if (table->Eof()) return std::nullopt;
  return table->FieldAsString(0);
}
