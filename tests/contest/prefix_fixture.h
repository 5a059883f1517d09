#pragma once
// A small in-memory prefix database (tables pref1 .. pref6 with dxcc and pref) for lookup tests.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/sqlite_database.h"

namespace test_prefix {

// Each entry is {prefix, entity}; the prefix length selects its table.
inline std::unique_ptr<TSQLiteDatabase> MakePrefixDb(
    const std::vector<std::pair<std::string, std::string>>& entries) {
  auto db = std::make_unique<TSQLiteDatabase>(":memory:");
  for (int n = 1; n <= 6; ++n) {
    db->ExecSQL("CREATE TABLE pref" + std::to_string(n) + " (dxcc TEXT, pref TEXT)");
  }
  for (const auto& [pref, dxcc] : entries) {
    db->AddParamText(":pref", pref);
    db->AddParamText(":dxcc", dxcc);
    db->ExecSQL("INSERT INTO pref" + std::to_string(pref.size()) + " VALUES (:dxcc, :pref)");
  }
  return db;
}

}  // namespace test_prefix
