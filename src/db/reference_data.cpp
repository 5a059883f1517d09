#include "db/reference_data.h"

#include "db/sqlite_database.h"

std::unique_ptr<TSQLiteDatabase> LoadPrefixDatabase(const std::string& dxccDbFile) {
  auto db = std::make_unique<TSQLiteDatabase>(":memory:");
  db->AddParamText(":database", dxccDbFile);
  db->ExecSQL("ATTACH DATABASE :database AS dxccdb");
  db->ExecSQL("CREATE TABLE country AS SELECT dxcc, country, cont, cqz, ituz FROM dxccdb.country");
  db->ExecSQL(
      "CREATE TABLE dxcctbl AS SELECT dxcc, adifid AS id FROM dxccdb.country ORDER BY adifid");
  for (int n = 1; n <= 6; ++n) {
    const std::string table = "pref" + std::to_string(n);
    db->ExecSQL("CREATE TABLE " + table + " AS SELECT dxcc, pref FROM dxccdb." + table);
  }
  db->ExecSQL("DETACH DATABASE dxccdb");
  // Lookups run at every keystroke of the live window; an index keeps each one a few microseconds.
  // The tables' contents stay exactly as copied.
  for (int n = 1; n <= 6; ++n) {
    const std::string table = "pref" + std::to_string(n);
    db->ExecSQL("CREATE INDEX " + table + "_pref ON " + table + " (pref)");
  }
  return db;
}

std::unique_ptr<TSQLiteDatabase> LoadSuggestionDatabase(const std::string& texteDbFile) {
  auto db = std::make_unique<TSQLiteDatabase>(":memory:");
  db->AddParamText(":db", texteDbFile);
  db->ExecSQL("ATTACH DATABASE :db AS ts");
  db->BeginTransaction();
  db->ExecSQL("CREATE TABLE qtcs AS SELECT qtc FROM ts.qtcs");
  db->Commit();
  db->ExecSQL("DETACH DATABASE ts");
  return db;
}
