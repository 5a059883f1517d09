#pragma once
// A log database for tests: the program's tables, and QSO rows written directly.

#include <string>
#include <vector>

#include "db/sqlite_database.h"

namespace test_log {

inline void CreateTables(TSQLiteDatabase& db) {
  static const char* const kTables[] = {
      "CREATE TABLE IF NOT EXISTS ktd    (utc TEXT, rufz TEXT, s TEXT, stxt TEXT, r TEXT, rtxt "
      "TEXT, half TEXT, mode TEXT, ktdst TEXT, hbst TEXT, eust TEXT)",
      "CREATE TABLE IF NOT EXISTS stns1 (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns2 (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns1ssb (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns2ssb (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS txt   (txt TEXT)",
      "CREATE TABLE IF NOT EXISTS ptxt  (rufz TEXT, rufzo TEXT, txt TEXT)",
      "CREATE TABLE IF NOT EXISTS ktdundo   (utc TEXT, rufz TEXT, s TEXT, stxt TEXT, r TEXT, rtxt "
      "TEXT, half TEXT, mode TEXT, ktdst TEXT, hbst TEXT, eust TEXT)",
      "CREATE TABLE IF NOT EXISTS stns1undo (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns2undo (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns1ssbundo (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS stns2ssbundo (rufz TEXT, rufzo TEXT, name TEXT)",
      "CREATE TABLE IF NOT EXISTS txtundo   (txt TEXT)",
      "CREATE TABLE IF NOT EXISTS ptxtundo  (rufz TEXT, rufzo TEXT, txt TEXT)",
  };
  for (const char* sql : kTables) db.ExecSQL(sql);
}

inline void CreateLog(const std::string& file) {
  TSQLiteDatabase db(file);
  CreateTables(db);
}

// Writes one row of ktd as given (no rules applied).
inline void InsertRow(TSQLiteDatabase& db, const std::vector<std::string>& values) {
  static const char* const kNames[] = {":utc",  ":rufz", ":s",     ":stxt", ":r",   ":rtxt",
                                       ":half", ":mode", ":ktdst", ":hbst", ":eust"};
  for (size_t i = 0; i < values.size() && i < 11; ++i) db.AddParamText(kNames[i], values[i]);
  db.ExecSQL(
      "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, :half, :mode, :ktdst, :hbst, "
      ":eust)");
}

inline void InsertStation(TSQLiteDatabase& db, const std::string& table, const std::string& rufz,
                          const std::string& name = "") {
  db.AddParamText(":rufz", rufz);
  db.AddParamText(":rufzo", rufz.size() >= 2 ? rufz.substr(0, rufz.size() - 2) : "");
  db.AddParamText(":name", name);
  db.ExecSQL("INSERT INTO " + table + " VALUES (:rufz, :rufzo, :name)");
}

// The first column of every row, in row order.
inline std::vector<std::string> Column(TSQLiteDatabase& db, const std::string& sql) {
  std::vector<std::string> out;
  auto table = db.GetTable(sql);
  for (; !table->Eof(); table->Next()) out.push_back(table->FieldAsString(0));
  return out;
}

}  // namespace test_log
