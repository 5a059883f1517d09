#include "keyer/keyer_settings.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"

namespace {

class KeyerSettingsTest : public ::testing::Test {
 protected:
  KeyerSettingsTest() {
    TSQLiteDatabase db(file);
    CreateLogSchema(db);
  }
  TempFolder dir;
  std::string file = dir / "ktd.sqlite";
};

TEST_F(KeyerSettingsTest, ReadsTheRowThatANewLogDatabaseGets) {
  // A new database holds the row (0, 0, 1, 0, 0, 0, 19): DTR keys, Farnsworth on, 19 wpm.
  KeyerSettings expected;
  expected.rtsKeys = false;
  expected.texts = false;
  expected.farnsworth = true;
  expected.wpm = 19;
  EXPECT_EQ(LoadKeyerSettings(file), expected);
}

TEST_F(KeyerSettingsTest, SavedSettingsComeBackAndReplaceTheOnlyRow) {
  KeyerSettings saved;
  saved.rtsKeys = true;
  saved.texts = false;
  saved.farnsworth = true;
  saved.autoCq = false;
  saved.portIndex = 2;
  saved.reversed = true;
  saved.wpm = 27;
  SaveKeyerSettings(file, saved);
  const auto loaded = LoadKeyerSettings(file);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(*loaded, saved);
  EXPECT_EQ(loaded->PortNumber(), 3);  // com = 2 selects port 3

  TSQLiteDatabase db(file);
  EXPECT_EQ(db.GetTable("SELECT count(*) FROM ini")->CountResult(), 1);
  const auto row = db.GetTable("SELECT rts, f7, f8, f9, com, rev, wpm FROM ini");
  std::vector<std::int64_t> values;
  for (int c = 0; c < 7; ++c) values.push_back(row->FieldAsInteger(c));
  EXPECT_EQ(values, (std::vector<std::int64_t>{1, 0, 1, 0, 2, 1, 27}));
}

TEST_F(KeyerSettingsTest, AnEmptyTableGivesNothing) {
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("DELETE FROM ini");
  }
  EXPECT_FALSE(LoadKeyerSettings(file).has_value());
}

TEST_F(KeyerSettingsTest, ValuesOutsideTheControlsAreBroughtIntoRange) {
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("UPDATE ini SET wpm = 99, com = 35");
  }
  auto loaded = LoadKeyerSettings(file);
  ASSERT_TRUE(loaded.has_value());
  EXPECT_EQ(loaded->wpm, 40);
  EXPECT_EQ(loaded->portIndex, 19);
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("UPDATE ini SET wpm = 3, com = -1");
  }
  loaded = LoadKeyerSettings(file);
  EXPECT_EQ(loaded->wpm, 10);
  EXPECT_EQ(loaded->portIndex, 0);
}

TEST(KeyerSettingsFile, AMissingLogFileIsNeitherReadNorCreated) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  EXPECT_FALSE(LoadKeyerSettings(file).has_value());
  SaveKeyerSettings(file, KeyerSettings{});
  EXPECT_FALSE(FileExists(file));
}

}  // namespace
