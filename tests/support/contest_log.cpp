#include "support/contest_log.h"

#include <cstdio>
#include <vector>

#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/test_databases.h"

std::string ContestStationCall(int i) {
  return "HB9" + std::string(1, static_cast<char>('A' + i % 26)) + std::to_string(i) + "/P";
}

std::string ContestText(int i) {
  return "AUSTAUSCHTEXT NUMMER " + std::to_string(i);
}

void WriteContestLog(const std::string& logFile, int qsos, int stations) {
  TSQLiteDatabase db(logFile);
  CreateLogSchema(db);
  db.BeginTransaction();
  for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb"}) {
    for (int i = 0; i < stations; ++i) {
      const std::string call = ContestStationCall(i);
      db.AddParamText(":rufz", call);
      db.AddParamText(":rufzo", call.substr(0, call.size() - 2));
      db.AddParamText(":name", "Name" + std::to_string(i));
      db.ExecSQL(std::string("INSERT INTO ") + table + " VALUES (:rufz, :rufzo, :name)");
    }
  }
  for (int i = 0; i < stations * 4; ++i) {
    db.AddParamText(":txt", ContestText(i));
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
    db.AddParamText(":rufz", ContestStationCall(i % stations));
    db.AddParamText(":txt", "PERSOENLICHER " + ContestText(i));
    db.ExecSQL("INSERT INTO ptxt VALUES (:rufz, '', :txt)");
  }
  for (int i = 0; i < qsos; ++i) {
    const bool ktd = i % 2 == 0;
    const bool cw = i % 3 != 0;
    char utc[8];
    std::snprintf(utc, sizeof utc, "%02d%02d", (i / 60) % 24, i % 60);
    const std::vector<std::string> row = {
        utc,
        ktd ? ContestStationCall(i % stations) : "DL" + std::to_string(i),
        cw ? "599" : "59",
        ktd ? "GESENDETER TEXT " + std::to_string(i) : "",
        cw ? "599" : "59",
        ktd ? "EMPFANGENER TEXT " + std::to_string(i) : "",
        std::string(utc) < "0800" ? "0" : "1",
        cw ? "0" : "1",
        ktd ? "1" : "0",
        "0",
        ktd ? "0" : "1"};
    InsertQsoRow(db, row);
  }
  db.Commit();
}
