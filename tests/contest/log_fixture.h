#pragma once
// A log database for tests: the program's tables, and rows written directly.

#include <string>
#include <vector>

#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/test_databases.h"

namespace test_log {

inline void CreateTables(TSQLiteDatabase& db) {
  CreateLogSchema(db);
}

inline void CreateLog(const std::string& file) {
  TSQLiteDatabase db(file);
  CreateTables(db);
}

// Writes one row of ktd as given (no rules applied).
inline void InsertRow(TSQLiteDatabase& db, const std::vector<std::string>& values) {
  InsertQsoRow(db, values);
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
