#include "keyer/rig_settings.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

class RigSettingsTest : public ::testing::Test {
 protected:
  RigSettingsTest() { CreateLogSchema(file); }
  std::vector<std::string> Rows() {
    TSQLiteDatabase db(file);
    return QueryRows(db, "SELECT keying, address, follow FROM rig");
  }

  TempFolder dir;
  std::string file = dir / "ktd.sqlite";
};

TEST_F(RigSettingsTest, AMissingRowIsCreatedWithTheDefaultsAndASavedOneComesBack) {
  EXPECT_EQ(LoadRigSettings(file), RigSettings{});
  EXPECT_EQ(Rows(), std::vector<std::string>{"0|localhost:4532|0"});
  const RigSettings saved{true, "[::1]:4533", true};
  SaveRigSettings(file, saved);
  SaveRigSettings(file, saved);
  EXPECT_EQ(Rows(), std::vector<std::string>{"1|[::1]:4533|1"});
  EXPECT_EQ(LoadRigSettings(file), saved);
}

TEST_F(RigSettingsTest, AnUnreadableValueFallsBackToItsDefault) {
  const std::pair<const char*, RigSettings> cases[] = {
      {"'2', 'shack:4600', 'ja'", {false, "shack:4600", false}},
      {"NULL, NULL, NULL", {}},
      {"'1', 'shack:0', '1'", {true, "localhost:4532", true}},
      {"1, 'sh ack', 1", {true, "localhost:4532", true}},  // numbers written by hand still count
  };
  for (const auto& [values, expected] : cases) {
    {
      TSQLiteDatabase db(file);
      db.ExecSQL("DELETE FROM rig");
      db.ExecSQL(std::string("INSERT INTO rig (keying, address, follow) VALUES (") + values + ")");
    }
    EXPECT_EQ(LoadRigSettings(file), expected) << values;
  }
}

TEST(RigSettingsFile, AMissingLogFileIsNeitherReadNorCreated) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  EXPECT_EQ(LoadRigSettings(file), RigSettings{});
  SaveRigSettings(file, RigSettings{true, "shack:4600", true});
  EXPECT_FALSE(FileExists(file));
}

}  // namespace
