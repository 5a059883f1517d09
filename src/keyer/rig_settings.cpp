#include "keyer/rig_settings.h"

#include "common/text_file.h"
#include "db/sqlite_database.h"

namespace {

bool FlagOr(const std::string& text, bool fallback) {
  if (text == "0") return false;
  if (text == "1") return true;
  return fallback;
}

void InsertRow(TSQLiteDatabase& db, const RigSettings& s) {
  db.AddParamText(":keying", s.keyingViaRigctld ? "1" : "0");
  db.AddParamText(":address", s.address);
  db.AddParamText(":follow", s.followRigMode ? "1" : "0");
  db.ExecSQL("INSERT INTO rig (keying, address, follow) VALUES (:keying, :address, :follow)");
}

}  // namespace

RigSettings LoadRigSettings(TSQLiteDatabase& db) {
  const RigSettings defaults;
  const auto row = db.GetTable("SELECT keying, address, follow FROM rig");
  if (row->Eof()) {
    InsertRow(db, defaults);
    return defaults;
  }
  RigSettings s;
  s.keyingViaRigctld = FlagOr(row->FieldAsString(0), defaults.keyingViaRigctld);
  const std::string address = row->FieldAsString(1);
  if (ParseRigAddress(address)) s.address = address;
  s.followRigMode = FlagOr(row->FieldAsString(2), defaults.followRigMode);
  return s;
}

RigSettings LoadRigSettings(const std::string& logDbFile) {
  if (!FileExists(logDbFile)) return RigSettings{};
  TSQLiteDatabase db(logDbFile);
  return LoadRigSettings(db);
}

void SaveRigSettings(TSQLiteDatabase& db, const RigSettings& settings) {
  const bool own = !db.InTransaction();
  if (own) db.BeginTransaction();
  db.ExecSQL("DELETE FROM rig");
  InsertRow(db, settings);
  if (own) db.Commit();
}

void SaveRigSettings(const std::string& logDbFile, const RigSettings& settings) {
  if (!FileExists(logDbFile)) return;
  TSQLiteDatabase db(logDbFile);
  SaveRigSettings(db, settings);
}
