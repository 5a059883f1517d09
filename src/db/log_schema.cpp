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
    "CREATE TABLE IF NOT EXISTS rig (keying TEXT, address TEXT, follow TEXT)",
};

// Runs the statements in order, inside the caller's transaction.
void Run(TSQLiteDatabase& db, std::initializer_list<const char*> statements) {
  for (const char* sql : statements) db.ExecSQL(sql);
}

// One user action's changes in one transaction: a crash or a failing statement leaves the tables
// either as they were or completely changed. The connection rolls back when a statement throws.
template <typename Steps>
void InOneTransaction(const std::string& logDbFile, Steps steps) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  steps(db);
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

void BackUpAndClearLogSteps(TSQLiteDatabase& db) {
  if (CountQsos(db) <= 0) return;  // ktdbak keeps the log saved by an earlier clearing
  Run(db,
      {"DROP TABLE IF EXISTS ktdbak", "CREATE TABLE IF NOT EXISTS ktdbak AS SELECT * FROM ktd"});
  Run(db, {"DELETE FROM ktd"});
}

void RebuildStationTablesSteps(TSQLiteDatabase& db, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  Run(db, {"DROP TABLE IF EXISTS stns1bak",
           "CREATE TABLE IF NOT EXISTS stns1bak AS SELECT * FROM stns1"});
  Run(db, {"DELETE FROM stns1"});
  Run(db, {"DROP TABLE IF EXISTS stns1ssbbak",
           "CREATE TABLE IF NOT EXISTS stns1ssbbak AS SELECT * FROM stns1ssb"});
  Run(db, {"DELETE FROM stns1ssb"});
  Run(db,
      {"DROP TABLE IF EXISTS ptxtbak", "CREATE TABLE IF NOT EXISTS ptxtbak AS SELECT * FROM ptxt"});
  Run(db, {"DELETE FROM ptxt"});

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

  Run(db, {"DROP TABLE IF EXISTS stns2bak",
           "CREATE TABLE IF NOT EXISTS stns2bak AS SELECT * FROM stns2"});
  Run(db, {"DROP TABLE IF EXISTS stns2"});
  Run(db, {"CREATE TABLE stns2 AS SELECT * FROM stns1"});
  Run(db, {"DROP TABLE IF EXISTS stns1undo", "CREATE TABLE stns1undo AS SELECT * FROM stns1"});
  Run(db, {"DROP TABLE IF EXISTS stns2undo", "CREATE TABLE stns2undo AS SELECT * FROM stns2"});
  Run(db, {"DROP TABLE IF EXISTS stns2ssbbak",
           "CREATE TABLE IF NOT EXISTS stns2ssbbak AS SELECT * FROM stns2ssb"});
  Run(db, {"DROP TABLE IF EXISTS stns2ssb"});
  Run(db, {"CREATE TABLE stns2ssb AS SELECT * FROM stns1ssb"});
  Run(db,
      {"DROP TABLE IF EXISTS stns1ssbundo", "CREATE TABLE stns1ssbundo AS SELECT * FROM stns1ssb"});
  Run(db,
      {"DROP TABLE IF EXISTS stns2ssbundo", "CREATE TABLE stns2ssbundo AS SELECT * FROM stns2ssb"});
  Run(db, {"DROP TABLE IF EXISTS ptxtundo", "CREATE TABLE ptxtundo AS SELECT * FROM ptxt"});
}

void RebuildTextTableSteps(TSQLiteDatabase& db, const std::vector<std::string>& lines) {
  if (lines.empty()) return;
  Run(db,
      {"DROP TABLE IF EXISTS txtbak", "CREATE TABLE IF NOT EXISTS txtbak AS SELECT * FROM txt"});
  Run(db, {"DELETE FROM txt"});
  for (const std::string& line : lines) {
    if (line.size() <= 14) continue;
    db.AddParamText(":txt", line);
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
  }
  Run(db, {"DROP TABLE IF EXISTS txtundo", "CREATE TABLE txtundo AS SELECT * FROM txt"});
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

const char* StationTable(int half, bool cwMode) {
  if (half == 0) return cwMode ? "stns1" : "stns1ssb";
  return cwMode ? "stns2" : "stns2ssb";
}

long long CountQsos(TSQLiteDatabase& db) {
  return db.GetTable("SELECT count(*) FROM ktd")->CountResult();
}

void BackUpAndClearLog(const std::string& logDbFile) {
  InOneTransaction(logDbFile, BackUpAndClearLogSteps);
}

void RebuildStationTables(const std::string& logDbFile, const std::string& stationListFile) {
  const std::vector<std::string> lines = ListFileLines(stationListFile);
  if (lines.empty()) return;
  InOneTransaction(logDbFile, [&](TSQLiteDatabase& db) { RebuildStationTablesSteps(db, lines); });
}

void RebuildTextTable(const std::string& logDbFile, const std::string& textCollectionFile) {
  const std::vector<std::string> lines = ListFileLines(textCollectionFile);
  if (lines.empty()) return;
  InOneTransaction(logDbFile, [&](TSQLiteDatabase& db) { RebuildTextTableSteps(db, lines); });
}

void RebuildStationAndTextTables(const std::string& logDbFile, const std::string& stationListFile,
                                 const std::string& textCollectionFile) {
  const std::vector<std::string> stations = ListFileLines(stationListFile);
  const std::vector<std::string> texts = ListFileLines(textCollectionFile);
  if (stations.empty() && texts.empty()) return;
  InOneTransaction(logDbFile, [&](TSQLiteDatabase& db) {
    RebuildStationTablesSteps(db, stations);
    RebuildTextTableSteps(db, texts);
  });
}

void ClearAllQsos(const std::string& logDbFile, const std::string& stationListFile,
                  const std::string& textCollectionFile) {
  const std::vector<std::string> stations = ListFileLines(stationListFile);
  const std::vector<std::string> texts = ListFileLines(textCollectionFile);
  InOneTransaction(logDbFile, [&](TSQLiteDatabase& db) {
    BackUpAndClearLogSteps(db);
    RebuildStationTablesSteps(db, stations);
    RebuildTextTableSteps(db, texts);
  });
}

void RestorePreviousLog(const std::string& logDbFile) {
  InOneTransaction(logDbFile, [](TSQLiteDatabase& db) {
    if (db.GetTable("SELECT count(*) FROM ktdbak")->CountResult() <= 0) return;
    Run(db, {"DROP TABLE IF EXISTS ktd", "CREATE TABLE IF NOT EXISTS ktd AS SELECT * FROM ktdbak"});
    Run(db, {"DELETE FROM ktdbak"});
    Run(db, {"DROP TABLE IF EXISTS stns1",
             "CREATE TABLE IF NOT EXISTS stns1 AS SELECT * FROM stns1bak"});
    Run(db, {"DROP TABLE IF EXISTS stns1ssb",
             "CREATE TABLE IF NOT EXISTS stns1ssb AS SELECT * FROM stns1ssbbak"});
    Run(db, {"DELETE FROM stns1bak"});
    Run(db, {"DELETE FROM stns1ssbbak"});
    Run(db, {"DROP TABLE IF EXISTS stns2",
             "CREATE TABLE IF NOT EXISTS stns2 AS SELECT * FROM stns2bak"});
    Run(db, {"DROP TABLE IF EXISTS stns2ssb",
             "CREATE TABLE IF NOT EXISTS stns2ssb AS SELECT * FROM stns2ssbbak"});
    Run(db, {"DELETE FROM stns2bak"});
    Run(db, {"DELETE FROM stns2ssbbak"});
    Run(db,
        {"DROP TABLE IF EXISTS ptxt", "CREATE TABLE IF NOT EXISTS ptxt AS SELECT * FROM ptxtbak"});
    Run(db, {"DELETE FROM ptxtbak"});
    Run(db, {"DROP TABLE IF EXISTS txt", "CREATE TABLE IF NOT EXISTS txt AS SELECT * FROM txtbak"});
    Run(db, {"DELETE FROM txtbak"});
  });
}

void RewriteLogInTimeOrder(const std::string& logDbFile) {
  // Between dropping ktd and creating it anew the log exists only in ktd_temp; one transaction
  // keeps a crash there from leaving an empty log.
  InOneTransaction(logDbFile, [](TSQLiteDatabase& db) {
    Run(db, {"CREATE TABLE ktd_temp AS SELECT * FROM ktd ORDER BY utc", "DROP TABLE ktd",
             "CREATE TABLE ktd AS SELECT * FROM ktd_temp", "DROP TABLE ktd_temp"});
  });
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
