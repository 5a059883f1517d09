#include "live/dupe_check.h"

#include "db/sqlite_database.h"

namespace {

bool HasRows(TSQLiteDatabase& db, const std::string& callsign, const char* mode, const char* sql) {
  db.AddParamText(":rufz", callsign);
  db.AddParamText(":mode", mode);
  return db.GetTable(sql)->RowCount() > 0;
}

}  // namespace

DupeLabelState CheckDupeOrRepeat(const std::string& logDbFile, const std::string& callsign,
                                 bool ktdStation, bool secondHalf, bool cwMode) {
  TSQLiteDatabase db(logDbFile);
  const char* mode = cwMode ? "0" : "1";
  const char* kSecondHalf =
      "SELECT rowid FROM ktd WHERE rufz = :rufz AND mode = :mode AND half = \"1\"";
  const char* kFirstHalf =
      "SELECT rowid FROM ktd WHERE rufz = :rufz AND mode = :mode AND half = \"0\"";
  if (ktdStation && secondHalf) {
    if (HasRows(db, callsign, mode, kSecondHalf)) return DupeLabelState::Dupe;
    if (HasRows(db, callsign, mode, kFirstHalf)) return DupeLabelState::Agn;
    return DupeLabelState::Hidden;
  }
  if (ktdStation) {
    return HasRows(db, callsign, mode, kFirstHalf) ? DupeLabelState::Dupe : DupeLabelState::Hidden;
  }
  // Other stations count once per mode over the whole day.
  if (HasRows(db, callsign, mode, "SELECT rowid FROM ktd WHERE mode = :mode AND rufz = :rufz")) {
    return DupeLabelState::Dupe;
  }
  return DupeLabelState::Unchanged;
}

const char* DupeLabelCaption(DupeLabelState state) {
  switch (state) {
    case DupeLabelState::Dupe:
      return "DUPE";
    case DupeLabelState::Agn:
      return "AGN";
    default:
      return "";
  }
}

std::uint32_t DupeLabelColour(DupeLabelState state) {
  switch (state) {
    case DupeLabelState::Dupe:
      return 0x0000FF;
    case DupeLabelState::Agn:
      return 0x008000;
    default:
      return 0xFFFFFF;
  }
}
