// ktd-make-dxcc CTY_CSV OUTPUT: builds the prefix reference database dxcc.sqlite from a country
// file in the cty.csv format (one entity per line: primary prefix, name, ADIF code, continent, CQ
// zone, ITU zone, latitude, longitude, UTC offset, prefix list ending in ';').
//
// The entity key is the primary prefix ("HB" Switzerland, "HB0" Liechtenstein). Entities marked
// with
// '*' exist only on the WAE list; their prefixes belong to the DXCC entity of the same ADIF code.
// Exact-call entries ("=CALL") are left out; prefixes of 1 to 6 characters go into pref1 ... pref6.

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "common/encoding.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"

namespace {

struct Entity {
  std::string key, name, continent;
  int cqZone = 0, ituZone = 0, adif = 0;
  bool waeOnly = false;
  std::vector<std::string> prefixes;
};

std::vector<std::string> SplitFields(const std::string& line, char separator) {
  std::vector<std::string> fields;
  std::string field;
  for (char c : line) {
    if (c == separator) {
      fields.push_back(field);
      field.clear();
    } else {
      field += c;
    }
  }
  fields.push_back(field);
  return fields;
}

// "HB(14)[28]" -> "HB": drops the zone, position, continent and time-zone overrides.
std::string BarePrefix(const std::string& token) {
  std::string bare;
  for (char c : token) {
    if (c == '(' || c == '[' || c == '<' || c == '{' || c == '~') break;
    bare += c;
  }
  return bare;
}

bool ParseEntity(const std::string& rawLine, Entity& entity) {
  std::string line = rawLine;
  while (!line.empty() && (line.back() == ';' || line.back() == ' ')) line.pop_back();
  const std::vector<std::string> f = SplitFields(line, ',');
  if (f.size() < 10 || f[0].empty()) return false;
  entity.waeOnly = f[0][0] == '*';
  entity.key = entity.waeOnly ? f[0].substr(1) : f[0];
  entity.name = Utf8ToCp1252(f[1]);
  entity.adif = std::atoi(f[2].c_str());
  entity.continent = f[3];
  entity.cqZone = std::atoi(f[4].c_str());
  entity.ituZone = std::atoi(f[5].c_str());
  for (const std::string& token : SplitFields(f[9], ' ')) {
    if (token.empty() || token[0] == '=') continue;
    const std::string prefix = BarePrefix(token);
    if (!prefix.empty() && prefix.size() <= 6) entity.prefixes.push_back(prefix);
  }
  return true;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: ktd-make-dxcc CTY_CSV OUTPUT\n");
    return 2;
  }
  const std::vector<std::string> lines = ReadLines(argv[1]);
  std::vector<Entity> entities;
  for (const std::string& line : lines) {
    Entity e;
    if (ParseEntity(line, e)) entities.push_back(std::move(e));
  }
  if (entities.empty()) {
    std::fprintf(stderr, "ktd-make-dxcc: no entities in %s\n", argv[1]);
    return 1;
  }
  std::map<int, std::string> dxccKeyOfAdif;
  for (const Entity& e : entities)
    if (!e.waeOnly) dxccKeyOfAdif.emplace(e.adif, e.key);

  const std::string output = argv[2];
  const std::string temp = output + ".tmp";
  DeleteFileIfExists(temp);
  try {
    TSQLiteDatabase db(temp);
    db.ExecSQL(
        "CREATE TABLE country (dxcc TEXT, country TEXT, cont TEXT, cqz INTEGER, ituz INTEGER, "
        "adifid INTEGER)");
    for (int n = 1; n <= 6; ++n)
      db.ExecSQL("CREATE TABLE pref" + std::to_string(n) + " (dxcc TEXT, pref TEXT)");
    db.BeginTransaction();
    std::set<std::string> seen;  // a prefix belongs to the first entity that lists it
    for (const Entity& e : entities) {
      std::string key = e.key;
      if (e.waeOnly) {
        const auto parent = dxccKeyOfAdif.find(e.adif);
        if (parent == dxccKeyOfAdif.end()) continue;
        key = parent->second;
      } else {
        db.AddParamText(":dxcc", e.key);
        db.AddParamText(":country", e.name);
        db.AddParamText(":cont", e.continent);
        db.AddParamInt(":cqz", e.cqZone);
        db.AddParamInt(":ituz", e.ituZone);
        db.AddParamInt(":adifid", e.adif);
        db.ExecSQL("INSERT INTO country VALUES (:dxcc, :country, :cont, :cqz, :ituz, :adifid)");
      }
      for (const std::string& prefix : e.prefixes) {
        if (!seen.insert(prefix).second) continue;
        db.AddParamText(":dxcc", key);
        db.AddParamText(":pref", prefix);
        db.ExecSQL("INSERT INTO pref" + std::to_string(prefix.size()) + " VALUES (:dxcc, :pref)");
      }
    }
    db.Commit();
  } catch (const ESQLiteException& e) {
    std::fprintf(stderr, "ktd-make-dxcc: %s\n", e.what());
    DeleteFileIfExists(temp);
    return 1;
  }
  if (std::rename(temp.c_str(), output.c_str()) != 0) {
    std::perror("ktd-make-dxcc: rename");
    return 1;
  }
  return 0;
}
