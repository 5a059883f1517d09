#include "keyer/keyer_settings.h"

#include <algorithm>

#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "keyer/keyer.h"
#include "keyer/serial_port_list.h"

std::optional<KeyerSettings> LoadKeyerSettings(TSQLiteDatabase& db) {
  const auto table = db.GetTable("SELECT rts, f7, f8, f9, com, rev, wpm FROM ini");
  if (table->Eof()) return std::nullopt;
  KeyerSettings s;
  s.rtsKeys = table->FieldAsInteger(0) != 0;
  s.texts = table->FieldAsInteger(1) != 0;
  s.farnsworth = table->FieldAsInteger(2) != 0;
  s.autoCq = table->FieldAsInteger(3) != 0;
  s.portIndex =
      static_cast<int>(std::clamp<std::int64_t>(table->FieldAsInteger(4), 0, kMaxSerialPorts - 1));
  s.reversed = table->FieldAsInteger(5) != 0;
  s.wpm = static_cast<int>(
      std::clamp<std::int64_t>(table->FieldAsInteger(6), Keyer::kMinWpm, Keyer::kMaxWpm));
  return s;
}

std::optional<KeyerSettings> LoadKeyerSettings(const std::string& logDbFile) {
  if (!FileExists(logDbFile)) return std::nullopt;
  TSQLiteDatabase db(logDbFile);
  return LoadKeyerSettings(db);
}

void SaveKeyerSettings(TSQLiteDatabase& db, const KeyerSettings& s) {
  db.ExecSQL("DELETE FROM ini");
  db.AddParamInt(":rts", s.rtsKeys ? 1 : 0);
  db.AddParamInt(":f7", s.texts ? 1 : 0);
  db.AddParamInt(":f8", s.farnsworth ? 1 : 0);
  db.AddParamInt(":f9", s.autoCq ? 1 : 0);
  db.AddParamInt(":com", s.portIndex);
  db.AddParamInt(":rev", s.reversed ? 1 : 0);
  db.AddParamInt(":wpm", s.wpm);
  db.ExecSQL(
      "INSERT INTO ini (rts, f7, f8, f9, com, rev, wpm) VALUES (:rts, :f7, :f8, :f9, :com, :rev, "
      ":wpm)");
}

void SaveKeyerSettings(const std::string& logDbFile, const KeyerSettings& settings) {
  if (!FileExists(logDbFile)) return;
  TSQLiteDatabase db(logDbFile);
  SaveKeyerSettings(db, settings);
}
