#include "support/test_databases.h"

#include <set>

#include "db/sqlite_database.h"

void WriteSmallDxccDb(const std::string& path, const std::vector<PrefixEntry>& prefixes) {
  TSQLiteDatabase db(path);
  db.BeginTransaction();  // one write to disk for the whole file
  db.ExecSQL(
      "CREATE TABLE country (dxcc TEXT, country TEXT, cont TEXT, cqz INTEGER, ituz INTEGER, adifid "
      "INTEGER)");
  for (int n = 1; n <= 6; ++n)
    db.ExecSQL("CREATE TABLE pref" + std::to_string(n) + " (dxcc TEXT, pref TEXT)");
  std::set<std::string> entities;
  int adif = 900;
  for (const PrefixEntry& e : prefixes) {
    if (entities.insert(e.dxcc).second) {
      db.AddParamText(":dxcc", e.dxcc);
      db.AddParamText(":country", "Land " + e.dxcc);
      db.AddParamInt(":adif", adif--);
      db.ExecSQL("INSERT INTO country VALUES (:dxcc, :country, 'EU', 14, 28, :adif)");
    }
    db.AddParamText(":dxcc", e.dxcc);
    db.AddParamText(":pref", e.pref);
    db.ExecSQL("INSERT INTO pref" + std::to_string(e.pref.size()) + " VALUES (:dxcc, :pref)");
  }
  db.Commit();
}

std::vector<PrefixEntry> SwissAndNeighbourPrefixes() {
  return {{"HB", "HB"}, {"HB", "HE"}, {"HB0", "HB0"},    {"HB0", "HE0"}, {"DL", "DL"},
          {"DL", "DA"}, {"F", "F"},   {"K", "K"},        {"K", "W"},     {"JA", "JA"},
          {"OE", "OE"}, {"I", "I"},   {"4U1I", "4U1ITU"}};
}

void InsertQsoRow(TSQLiteDatabase& db, const std::vector<std::string>& values) {
  static const char* const kNames[] = {":utc",  ":rufz", ":s",     ":stxt", ":r",   ":rtxt",
                                       ":half", ":mode", ":ktdst", ":hbst", ":eust"};
  for (size_t i = 0; i < values.size() && i < 11; ++i) db.AddParamText(kNames[i], values[i]);
  db.ExecSQL(
      "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, :half, :mode, :ktdst, :hbst, "
      ":eust)");
}

std::string QueryText(TSQLiteDatabase& db, const std::string& sql) {
  auto t = db.GetTable(sql);
  return t->Eof() ? std::string() : t->FieldAsString(0);
}

std::vector<std::string> QueryRows(TSQLiteDatabase& db, const std::string& sql) {
  std::vector<std::string> rows;
  auto t = db.GetTable(sql);
  for (; !t->Eof(); t->Next()) {
    std::string row;
    for (int c = 0; c < t->ColumnCount(); ++c) row += (c ? "|" : "") + t->FieldAsString(c);
    rows.push_back(row);
  }
  return rows;
}

std::vector<std::string> DatabaseDump(TSQLiteDatabase& db) {
  std::vector<std::string> dump;
  auto objects = db.GetTable("SELECT type, name, sql FROM sqlite_master ORDER BY name");
  for (; !objects->Eof(); objects->Next()) {
    const std::string type = objects->FieldAsString(0), name = objects->FieldAsString(1);
    dump.push_back(type + " " + name + ": " + objects->FieldAsString(2));
    if (type != "table") continue;
    auto columns = db.GetTable("SELECT name FROM pragma_table_info('" + name + "')");
    std::string select = "SELECT quote(rowid)";
    for (; !columns->Eof(); columns->Next())
      select += " || '|' || quote(\"" + columns->FieldAsString(0) + "\")";
    for (const std::string& row : QueryRows(db, select + " FROM \"" + name + "\" ORDER BY rowid"))
      dump.push_back("  " + row);
  }
  return dump;
}
