#include "live/log_follower.h"

#include "db/sqlite_database.h"

LogGridRead LogFollower::ReadAll(const std::string& logDbFile) {
  return Read(logDbFile, true);
}

LogGridRead LogFollower::ReadAdded(const std::string& logDbFile) {
  return Read(logDbFile, unsure_);
}

LogGridRead LogFollower::Read(const std::string& logDbFile, bool all) {
  TSQLiteDatabase db(logDbFile, TSQLiteDatabase::Threading::ThisThreadOnly);
  LogGridRead read{all, {}};
  std::vector<LogGridRow>& rows = read.rows;
  unsure_ = true;
  if (all) {
    tally_.Clear();
    lastRowid_ = kBeforeAll;
  }
  // One pass gives each row's grid cells and what it counts for the score.
  db.AddParamInt(":after", lastRowid_);
  db.ForEachRow(std::string("SELECT rowid, utc, rufz, s, stxt, r, rtxt, ") + ScoreTally::kColumns +
                    " FROM ktd WHERE rowid > :after",
                [&](const TSQLiteRow& row) {
                  rows.push_back(LogGridRowOf(row));
                  tally_.Add(row, kLogGridColumns);
                  lastRowid_ = row.Integer(0);
                });
  unsure_ = false;
  return read;
}
