#include "db/log_schema.h"

#include <initializer_list>
#include <vector>

#include "common/text_file.h"
#include "db/sqlite_database.h"

namespace {

const char* const kSchema[] = {
    "CREATE TABLE IF NOT EXISTS ktd    (utc TEXT, rufz TEXT, s TEXT, stxt TEXT, r TEXT, rtxt TEXT, "
    "half TEXT, mode TEXT, ktdst TEXT, hbst TEXT, eust TEXT)",
    "CREATE TABLE IF NOT EXISTS ktdbak (utc TEXT, rufz TEXT, s TEXT, stxt TEXT, r TEXT, rtxt TEXT, "
    "half TEXT, mode TEXT, ktdst TEXT, hbst TEXT, eust TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1 (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2 (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1ssb (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2ssb (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS txt   (txt TEXT)",
    "CREATE TABLE IF NOT EXISTS ptxt  (rufz TEXT, rufzo TEXT, txt TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1bak (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2bak (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1ssbbak (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2ssbbak (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS txtbak   (txt TEXT)",
    "CREATE TABLE IF NOT EXISTS ptxtbak  (rufz TEXT, rufzo TEXT, txt TEXT)",
    "CREATE TABLE IF NOT EXISTS ktdundo   (utc TEXT, rufz TEXT, s TEXT, stxt TEXT, r TEXT, rtxt "
    "TEXT, half TEXT, mode TEXT, ktdst TEXT, hbst TEXT, eust TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1undo (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2undo (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns1ssbundo (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS stns2ssbundo (rufz TEXT, rufzo TEXT, name TEXT)",
    "CREATE TABLE IF NOT EXISTS txtundo   (txt TEXT)",
    "CREATE TABLE IF NOT EXISTS ptxtundo  (rufz TEXT, rufzo TEXT, txt TEXT)",
    "CREATE TABLE IF NOT EXISTS ini (rts INTEGER, f7 INTEGER DEFAULT 0, f8 INTEGER DEFAULT 1, f9 "
    "INTEGER DEFAULT 0, com INTEGER DEFAULT 0, rev INTEGER DEFAULT 0, wpm INTEGER DEFAULT 19)",
};

// Runs the statements inside one transaction of their own.
void InTransaction(TSQLiteDatabase& db, std::initializer_list<const char*> statements) {
  db.BeginTransaction();
  for (const char* sql : statements) db.ExecSQL(sql);
  db.Commit();
}

std::vector<std::string> SplitAtCommas(const std::string& text) {
  std::vector<std::string> fields(1);
  for (char c : text) {
    if (c == ',')
      fields.emplace_back();
    else
      fields.back() += c;
  }
  return fields;
}

// Lines of a list file, or none when it is missing or unreadable.
std::vector<std::string> ListFileLines(const std::string& file) {
  if (!FileExists(file)) return {};
  return ReadLines(file);
}

}  // namespace

void CreateLogSchema(TSQLiteDatabase& db) {
  for (const char* sql : kSchema) db.ExecSQL(sql);
  if (db.GetTable("SELECT * FROM ini")->RowCount() == 0)
    db.ExecSQL("INSERT INTO ini (rts) VALUES (0)");
  db.ExecSQL(
      "CREATE TABLE IF NOT EXISTS new_int (int_a INTEGER, int_b INTEGER DEFAULT 0, int_c INTEGER "
      "DEFAULT 0, int_d INTEGER DEFAULT 0, int_e INTEGER DEFAULT 0, int_f INTEGER DEFAULT 0, int_g "
      "INTEGER DEFAULT 0)");
  if (db.GetTable("SELECT * FROM new_int")->RowCount() == 0)
    db.ExecSQL("INSERT INTO new_int (int_a) VALUES (1)");
}

void CreateLogSchema(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  CreateLogSchema(db);
}

long long CountQsos(TSQLiteDatabase& db) {
  return db.GetTable("SELECT count(*) FROM ktd")->CountResult();
}

void BackUpAndClearLog(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  if (CountQsos(db) <= 0) return;  // ktdbak keeps the log saved by an earlier clearing
  InTransaction(db, {"DROP TABLE IF EXISTS ktdbak",
                     "CREATE TABLE IF NOT EXISTS ktdbak AS SELECT * FROM ktd"});
  InTransaction(db, {"DELETE FROM ktd"});
}

void RebuildStationTables(const std::string& logDbFile, const std::string& stationListFile) {
  const std::vector<std::string> lines = ListFileLines(stationListFile);
  if (lines.empty()) return;

  TSQLiteDatabase db(logDbFile);
  InTransaction(db, {"DROP TABLE IF EXISTS stns1bak",
                     "CREATE TABLE IF NOT EXISTS stns1bak AS SELECT * FROM stns1"});
  InTransaction(db, {"DELETE FROM stns1"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns1ssbbak",
                     "CREATE TABLE IF NOT EXISTS stns1ssbbak AS SELECT * FROM stns1ssb"});
  InTransaction(db, {"DELETE FROM stns1ssb"});
  InTransaction(db, {"DROP TABLE IF EXISTS ptxtbak",
                     "CREATE TABLE IF NOT EXISTS ptxtbak AS SELECT * FROM ptxt"});
  InTransaction(db, {"DELETE FROM ptxt"});

  db.BeginTransaction();
  for (const std::string& line : lines) {
    // The ten commas make sure fields 1 to 6 always exist.
    const std::vector<std::string> fields = SplitAtCommas(line + ",,,,,,,,,,");
    const std::string& rufz = fields[0];
    if (rufz.size() < 6) continue;
    const std::string rufzo = rufz.substr(0, rufz.size() - 2);
    for (const char* table : {"stns1", "stns1ssb"}) {
      db.AddParamText(":rufz", rufz);
      db.AddParamText(":rufzo", rufzo);
      db.AddParamText(":name", fields[1]);
      db.ExecSQL(std::string("INSERT INTO ") + table + " VALUES (:rufz, :rufzo, :name)");
    }
    for (int f = 2; f <= 5; ++f) {
      if (fields[f].size() <= 14) continue;
      db.AddParamText(":rufz", rufz);
      db.AddParamText(":rufzo", rufzo);
      db.AddParamText(":txt", fields[f]);
      db.ExecSQL("INSERT INTO ptxt VALUES (:rufz, :rufzo, :txt)");
    }
  }
  db.Commit();

  InTransaction(db, {"DROP TABLE IF EXISTS stns2bak",
                     "CREATE TABLE IF NOT EXISTS stns2bak AS SELECT * FROM stns2"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2"});
  InTransaction(db, {"CREATE TABLE stns2 AS SELECT * FROM stns1"});
  InTransaction(
      db, {"DROP TABLE IF EXISTS stns1undo", "CREATE TABLE stns1undo AS SELECT * FROM stns1"});
  InTransaction(
      db, {"DROP TABLE IF EXISTS stns2undo", "CREATE TABLE stns2undo AS SELECT * FROM stns2"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2ssbbak",
                     "CREATE TABLE IF NOT EXISTS stns2ssbbak AS SELECT * FROM stns2ssb"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2ssb"});
  InTransaction(db, {"CREATE TABLE stns2ssb AS SELECT * FROM stns1ssb"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns1ssbundo",
                     "CREATE TABLE stns1ssbundo AS SELECT * FROM stns1ssb"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2ssbundo",
                     "CREATE TABLE stns2ssbundo AS SELECT * FROM stns2ssb"});
  InTransaction(db,
                {"DROP TABLE IF EXISTS ptxtundo", "CREATE TABLE ptxtundo AS SELECT * FROM ptxt"});
}

void RebuildTextTable(const std::string& logDbFile, const std::string& textCollectionFile) {
  const std::vector<std::string> lines = ListFileLines(textCollectionFile);
  if (lines.empty()) return;

  TSQLiteDatabase db(logDbFile);
  InTransaction(db, {"DROP TABLE IF EXISTS txtbak",
                     "CREATE TABLE IF NOT EXISTS txtbak AS SELECT * FROM txt"});
  InTransaction(db, {"DELETE FROM txt"});
  db.BeginTransaction();
  for (const std::string& line : lines) {
    if (line.size() <= 14) continue;
    db.AddParamText(":txt", line);
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
  }
  db.Commit();
  InTransaction(db, {"DROP TABLE IF EXISTS txtundo", "CREATE TABLE txtundo AS SELECT * FROM txt"});
}

void ClearAllQsos(const std::string& logDbFile, const std::string& stationListFile,
                  const std::string& textCollectionFile) {
  BackUpAndClearLog(logDbFile);
  RebuildStationTables(logDbFile, stationListFile);
  RebuildTextTable(logDbFile, textCollectionFile);
}

void RestorePreviousLog(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  if (db.GetTable("SELECT count(*) FROM ktdbak")->CountResult() <= 0) return;

  InTransaction(
      db, {"DROP TABLE IF EXISTS ktd", "CREATE TABLE IF NOT EXISTS ktd AS SELECT * FROM ktdbak"});
  InTransaction(db, {"DELETE FROM ktdbak"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns1",
                     "CREATE TABLE IF NOT EXISTS stns1 AS SELECT * FROM stns1bak"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns1ssb",
                     "CREATE TABLE IF NOT EXISTS stns1ssb AS SELECT * FROM stns1ssbbak"});
  InTransaction(db, {"DELETE FROM stns1bak"});
  InTransaction(db, {"DELETE FROM stns1ssbbak"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2",
                     "CREATE TABLE IF NOT EXISTS stns2 AS SELECT * FROM stns2bak"});
  InTransaction(db, {"DROP TABLE IF EXISTS stns2ssb",
                     "CREATE TABLE IF NOT EXISTS stns2ssb AS SELECT * FROM stns2ssbbak"});
  InTransaction(db, {"DELETE FROM stns2bak"});
  InTransaction(db, {"DELETE FROM stns2ssbbak"});
  InTransaction(db, {"DROP TABLE IF EXISTS ptxt",
                     "CREATE TABLE IF NOT EXISTS ptxt AS SELECT * FROM ptxtbak"});
  InTransaction(db, {"DELETE FROM ptxtbak"});
  InTransaction(
      db, {"DROP TABLE IF EXISTS txt", "CREATE TABLE IF NOT EXISTS txt AS SELECT * FROM txtbak"});
  InTransaction(db, {"DELETE FROM txtbak"});
}

void RewriteLogInTimeOrder(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  db.ExecSQL("CREATE TABLE ktd_temp AS SELECT * FROM ktd ORDER BY utc");
  db.ExecSQL("DROP TABLE ktd");
  db.ExecSQL("CREATE TABLE ktd AS SELECT * FROM ktd_temp");
  db.ExecSQL("DROP TABLE ktd_temp");
}

void RenumberLog(TSQLiteDatabase& db) {
  db.ExecSQL("CREATE TABLE ktd_temp AS SELECT * FROM ktd");
  db.ExecSQL("DROP TABLE ktd");
  db.ExecSQL("CREATE TABLE ktd AS SELECT * FROM ktd_temp");
  db.ExecSQL("DROP TABLE ktd_temp");
}

void TakeLogSnapshot(TSQLiteDatabase& db) {
  db.ExecSQL("DROP TABLE IF EXISTS ktdundo");
  db.ExecSQL("CREATE TABLE IF NOT EXISTS ktdundo AS SELECT * FROM ktd");
}

void RestoreLogSnapshot(TSQLiteDatabase& db) {
  db.ExecSQL("DROP TABLE IF EXISTS ktd");
  db.ExecSQL("CREATE TABLE IF NOT EXISTS ktd AS SELECT * FROM ktdundo");
}
