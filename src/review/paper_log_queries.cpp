#include "review/paper_log_queries.h"

#include <regex>

#include "common/ascii_text.h"
#include "contest/callsign_patterns.h"
#include "db/sqlite_database.h"

namespace {

std::vector<std::string> FirstColumn(TSQLiteDatabase& db, const std::string& sql) {
  std::vector<std::string> values;
  auto table = db.GetTable(sql);
  for (; !table->Eof(); table->Next()) values.push_back(table->FieldAsString(0));
  return values;
}

// LIKE takes '%' and '_' as wildcards; typed text never holds them, but a caller's text is matched
// literally all the same.
std::string EscapedForLike(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    if (c == '%' || c == '_' || c == '\\') escaped.push_back('\\');
    escaped.push_back(c);
  }
  return escaped;
}

void MoveToEnd(TSQLiteDatabase& db, const std::string& text) {
  db.AddParamText(":txt", text);
  db.ExecSQL("DELETE FROM txt WHERE txt = :txt");
  db.AddParamText(":txt", text);
  db.ExecSQL("INSERT INTO txt VALUES (:txt)");
}

}  // namespace

std::vector<std::string> ReadStations(const std::string& logDbFile, const std::string& table) {
  TSQLiteDatabase db(logDbFile);
  return FirstColumn(db, "SELECT rufz FROM " + table);
}

StationFilter StationFilterFor(const std::string& typed) {
  std::string s = AsciiUpper(typed);
  if (s.size() == 1 && s[0] >= '1' && s[0] <= '9') s = "HB" + s;
  const std::string literal = EscapedForLike(s);
  if (std::regex_search(s, SharedPatterns().swiss)) return {literal + "%", std::nullopt};
  return {"H__" + literal + "%", "H__/" + literal + "%"};
}

std::vector<std::string> FilterStations(const std::string& logDbFile, const std::string& table,
                                        const std::string& typed) {
  const StationFilter filter = StationFilterFor(typed);
  TSQLiteDatabase db(logDbFile);
  db.AddParamText(":rufz", filter.rufzPattern);
  if (!filter.rufzoPattern) {
    return FirstColumn(
        db, "SELECT rufz FROM " + table + " WHERE rufz LIKE :rufz ESCAPE '\\' ORDER BY rufz");
  }
  db.AddParamText(":rufzo", *filter.rufzoPattern);
  return FirstColumn(db, "SELECT rufz FROM " + table +
                             " WHERE rufz LIKE :rufz ESCAPE '\\' OR rufzo LIKE :rufzo ESCAPE '\\' "
                             "ORDER BY rufz");
}

std::vector<std::string> ReadPrintedTexts(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  return FirstColumn(db, "SELECT * FROM txt");
}

std::vector<std::string> ReadPersonalTexts(const std::string& logDbFile, const std::string& rufz) {
  TSQLiteDatabase db(logDbFile);
  db.AddParamText(":rufz", rufz);
  std::vector<std::string> texts;
  for (std::string& text : FirstColumn(db, "SELECT txt FROM ptxt WHERE rufz = :rufz")) {
    if (!text.empty()) texts.push_back(std::move(text));
  }
  return texts;
}

void MovePrintedTextToEnd(const std::string& logDbFile, const std::string& text) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  MoveToEnd(db, text);
  db.Commit();
}

void MoveLastPrintedTextToFront(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  db.ExecSQL("CREATE TEMP TABLE txt_temp AS SELECT * FROM txt ORDER BY rowid DESC LIMIT 1");
  db.ExecSQL(
      "INSERT INTO txt_temp SELECT * FROM (SELECT * FROM txt LIMIT (SELECT count(*) - 1 FROM "
      "txt))");
  db.ExecSQL("DROP TABLE txt");
  db.ExecSQL("CREATE TABLE txt AS SELECT * FROM txt_temp");
  db.Commit();
}

void SavePaperLine(const std::string& logDbFile, const QsoFields& qso,
                   const std::optional<std::string>& personalText,
                   const std::optional<std::string>& printedText) {
  TSQLiteDatabase db(logDbFile);
  // A crash or an error leaves the QSO with its text bookkeeping, or nothing.
  db.BeginTransaction();
  RecordQsoIn(db, qso);
  if (personalText) {
    db.AddParamText(":txt", *personalText);
    db.AddParamText(":rufz", qso.callsign);
    db.ExecSQL("DELETE FROM ptxt WHERE txt = :txt AND rufz = :rufz");
  }
  if (printedText) MoveToEnd(db, *printedText);
  db.Commit();
}
