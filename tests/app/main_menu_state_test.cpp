#include "app/main_menu_state.h"

#include <gtest/gtest.h>

#include "app/main_menu_actions.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

class MainMenuState : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeFolder(dir / "db"));
    ASSERT_TRUE(MakeFolder(dir / "data"));
    SettleWorkingFiles(ctx, dir.path(), 2024);
    CreateLogSchema(ctx.logDbFile);
  }
  void AddQsos(int count) {
    TSQLiteDatabase db(ctx.logDbFile);
    for (int i = 0; i < count; ++i)
      db.ExecSQL(
          "INSERT INTO ktd VALUES ('0900', 'DL1ABC', '599', '', '599', '', '1', '0', '0', "
          "'0', '1')");
  }

  TempFolder dir;
  FixedClock clock;
  AppContext ctx{clock};
};

TEST_F(MainMenuState, ShortStationDataFileCountsAsPresentInTheMenu) {
  std::vector<std::string> lines(20, "#;KEY=;value");
  ASSERT_TRUE(WriteLinesAtomic(ctx.stationDataFile, lines));
  const MainMenuView view = ReadMainMenuView(ctx);
  EXPECT_TRUE(ctx.stationDataPresent);
  EXPECT_EQ(view.stationData.text, "data/Stationsdaten 2024.csv");
  EXPECT_EQ(view.stationData.shade, LabelShade::Green);
}

TEST_F(MainMenuState, BlankLinesStillCountAsLines) {
  ASSERT_TRUE(WriteFileAtomic(ctx.textCollectionFile, "\r\n\r\n"));
  ASSERT_TRUE(WriteFileAtomic(ctx.stationListFile, "HB9AA/P\r\n"));
  const MainMenuView view = ReadMainMenuView(ctx);
  EXPECT_EQ(view.textCount.text, "2");
  EXPECT_EQ(view.buttons.live, true);
  EXPECT_EQ(view.buttons.papier, true);
}

TEST_F(MainMenuState, RestoreWithoutBackupKeepsTheLogEmptyAndThePreparationsOpen) {
  EXPECT_EQ(RestoreLogFromMenu(ctx), "0");
  EXPECT_TRUE(ctx.logEmpty);
  const MenuButtons after = ButtonsAfterRestore(ctx);
  EXPECT_EQ(after.texte, true);
  EXPECT_EQ(after.stationen, true);
  EXPECT_EQ(after.neuesLog, true);
  EXPECT_EQ(after.altesLog, false);
}

TEST_F(MainMenuState, LoggingOnAnEmptyLogBuildsTheTablesButNeverOnAStartedLog) {
  ASSERT_TRUE(WriteLinesAtomic(ctx.stationListFile, {"HB9AA/P,Hans"}));
  ASSERT_TRUE(WriteLinesAtomic(ctx.textCollectionFile, {"Ein Text fuer den Kontest"}));
  ReadMainMenuView(ctx);
  PrepareLogging(ctx);
  TSQLiteDatabase db(ctx.logDbFile);
  EXPECT_EQ(QueryText(db, "SELECT count(*) FROM stns2ssb"), "1");
  EXPECT_EQ(QueryText(db, "SELECT count(*) FROM txt"), "1");

  // Once QSOs are logged, the tables hold the contest's progress and must stay.
  db.ExecSQL("DELETE FROM stns2ssb");
  db.Close();
  AddQsos(1);
  ReadMainMenuView(ctx);
  EXPECT_FALSE(ctx.logEmpty);
  PrepareLogging(ctx);
  TSQLiteDatabase again(ctx.logDbFile);
  EXPECT_EQ(QueryText(again, "SELECT count(*) FROM stns2ssb"), "0");
}

TEST_F(MainMenuState, EditingRewritesTheLogInTimeOrder) {
  {
    TSQLiteDatabase db(ctx.logDbFile);
    for (const char* utc : {"1010", "0705", "0900"})
      db.ExecSQL(std::string("INSERT INTO ktd VALUES ('") + utc +
                 "', 'DL1ABC', '599', '', '599', '', '1', '0', '0', '0', '1')");
  }
  TidyLogAfterEditing(ctx);
  TSQLiteDatabase db(ctx.logDbFile);
  EXPECT_EQ(QueryRows(db, "SELECT rowid, utc FROM ktd"),
            (std::vector<std::string>{"1|0705", "2|0900", "3|1010"}));
}

}  // namespace
