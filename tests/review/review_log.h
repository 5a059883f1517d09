#pragma once
// A log database prepared as the main menu leaves it before the paper log opens: every KTD station
// still to be worked in both halves and modes, their personal texts, and the pre-printed texts.

#include <string>
#include <vector>

#include "db/log_schema.h"
#include "db/sqlite_database.h"

namespace review_log {

inline const std::vector<std::string>& Stations() {
  static const std::vector<std::string> stations = {"HB9ABC/P", "HE9ABC/P", "HB9XYZ/P",
                                                    "HB9/DL1ABC/P", "HB3KLM/P"};
  return stations;
}

inline const std::vector<std::string>& PrintedTexts() {
  static const std::vector<std::string> texts = {"ABENDROT AM SAENTIS", "GIPFELKREUZ IM MORGEN",
                                                 "MORSEN MIT KALTEN HAENDEN",
                                                 "WOLKEN UEBER DEM PILATUS"};
  return texts;
}

inline void Write(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  db.BeginTransaction();
  CreateLogSchema(db);
  for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb"}) {
    for (const std::string& rufz : Stations()) {
      db.AddParamText(":rufz", rufz);
      db.AddParamText(":rufzo", rufz.substr(0, rufz.size() - 2));
      db.ExecSQL(std::string("INSERT INTO ") + table + " VALUES (:rufz, :rufzo, 'Name')");
    }
  }
  const std::vector<std::pair<std::string, std::string>> personal = {
      {"HB9ABC/P", "ALPENROSEN AM GRAT"},
      {"HB9ABC/P", "MURMELTIER PFEIFT LAUT"},
      {"HB9XYZ/P", "STEINBOCK AUF DEM GIPFEL"}};
  for (const auto& [rufz, txt] : personal) {
    db.AddParamText(":rufz", rufz);
    db.AddParamText(":rufzo", rufz.substr(0, rufz.size() - 2));
    db.AddParamText(":txt", txt);
    db.ExecSQL("INSERT INTO ptxt VALUES (:rufz, :rufzo, :txt)");
  }
  for (const std::string& txt : PrintedTexts()) {
    db.AddParamText(":txt", txt);
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
  }
  db.Commit();
}

}  // namespace review_log
