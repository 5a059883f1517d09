#include "db/log_schema.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

class LogSchemaTest : public ::testing::Test {
 protected:
  void SetUp() override { CreateLogSchema(logDb); }

  void AddQso(const std::string& utc, const std::string& call) {
    TSQLiteDatabase db(logDb);
    db.AddParamText(":utc", utc);
    db.AddParamText(":rufz", call);
    db.ExecSQL(
        "INSERT INTO ktd VALUES (:utc, :rufz, '599', '', '599', '', '0', '0', '0', '1', '0')");
  }
  std::vector<std::string> Rows(const std::string& sql) {
    TSQLiteDatabase db(logDb);
    return QueryRows(db, sql);
  }
  std::string Count(const std::string& table) {
    TSQLiteDatabase db(logDb);
    return QueryText(db, "SELECT count(*) FROM " + table);
  }

  TempFolder dir;
  std::string logDb = dir / "ktd.sqlite";
  std::string stations = dir / "KTD-Stationen 2024.csv";
  std::string texts = dir / "Textsammlung 2024.csv";
};

TEST_F(LogSchemaTest, ANewDatabaseGetsAllTablesAndTheSingleSettingsRows) {
  EXPECT_EQ(Count("sqlite_master WHERE type = 'table'"), "24");
  EXPECT_EQ(Count("rig"), "0");  // its row comes with the first reading of the rig settings
  EXPECT_EQ(Rows("SELECT * FROM ini"), std::vector<std::string>{"0|0|1|0|0|0|19"});
  EXPECT_EQ(Rows("SELECT * FROM new_int"), std::vector<std::string>{"1|0|0|0|0|0|0"});
}

TEST_F(LogSchemaTest, CreatingAgainChangesNothing) {
  AddQso("0700", "HB9AAA/P");
  {
    TSQLiteDatabase db(logDb);
    db.ExecSQL("UPDATE ini SET wpm = 28, rts = 1");
  }
  CreateLogSchema(logDb);
  EXPECT_EQ(Rows("SELECT * FROM ini"), std::vector<std::string>{"1|0|1|0|0|0|28"});
  EXPECT_EQ(Count("new_int"), "1");
  EXPECT_EQ(Count("ktd"), "1");
}

TEST_F(LogSchemaTest, StationListRulesForCallsignsNamesAndPersonalTexts) {
  WriteLinesAtomic(stations, {
                                 "HB9AAA/P,Anna,TEXT MIT 15 ZEI,KURZER TEXT 14",
                                 "HB9B/P,Kurz",    // 6 characters: taken
                                 "HB9C/,Zu kurz",  // 5 characters: skipped
                                 "HB9DDD/P",       // callsign alone
                                 "hb9eee/p,klein,,,,ABCDEFGHIJKLMNOPQ",
                                 "",
                             });
  RebuildStationTables(logDb, stations);
  const std::vector<std::string> expected = {"HB9AAA/P|HB9AAA|Anna", "HB9B/P|HB9B|Kurz",
                                             "HB9DDD/P|HB9DDD|", "hb9eee/p|hb9eee|klein"};
  for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb", "stns1undo", "stns2ssbundo"})
    EXPECT_EQ(Rows(std::string("SELECT * FROM ") + table), expected) << table;
  EXPECT_EQ(Rows("SELECT * FROM ptxt"),
            (std::vector<std::string>{"HB9AAA/P|HB9AAA|TEXT MIT 15 ZEI",
                                      "hb9eee/p|hb9eee|ABCDEFGHIJKLMNOPQ"}));
  EXPECT_EQ(Rows("SELECT * FROM ptxtundo"), Rows("SELECT * FROM ptxt"));
}

TEST_F(LogSchemaTest, TextsOf14CharactersAreNotLoadedAndLinesStayUntrimmed) {
  WriteLinesAtomic(texts, {"VIERZEHN ZEICH", " FUENFZEHN ZEICH", "FUENFZEHN ZEICH", ""});
  RebuildTextTable(logDb, texts);
  EXPECT_EQ(Rows("SELECT txt FROM txt"),
            (std::vector<std::string>{" FUENFZEHN ZEICH", "FUENFZEHN ZEICH"}));
  EXPECT_EQ(Rows("SELECT txt FROM txtundo"), Rows("SELECT txt FROM txt"));
}

TEST_F(LogSchemaTest, MissingOrEmptyListFilesChangeNothing) {
  WriteLinesAtomic(stations, {"HB9AAA/P,Anna"});
  RebuildStationTables(logDb, stations);
  WriteLinesAtomic(texts, {"EIN TEXT MIT GENUG ZEICHEN"});
  RebuildTextTable(logDb, texts);
  DeleteFileIfExists(stations);
  WriteFileAtomic(texts, "");
  RebuildStationTables(logDb, stations);
  RebuildTextTable(logDb, texts);
  EXPECT_EQ(Count("stns1"), "1");
  EXPECT_EQ(Count("stns1bak"), "0");
  EXPECT_EQ(Count("txt"), "1");
}

TEST_F(LogSchemaTest, AStationFileOfBlankLinesClearsTheTablesAndWritesTheBackups) {
  WriteLinesAtomic(stations, {"HB9AAA/P,Anna,EIN PERSOENLICHER TEXT"});
  RebuildStationTables(logDb, stations);
  WriteLinesAtomic(stations, {"", "   ", ""});
  RebuildStationTables(logDb, stations);
  for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb", "ptxt"})
    EXPECT_EQ(Count(table), "0") << table;
  for (const char* table : {"stns1bak", "stns2bak", "stns1ssbbak", "stns2ssbbak", "ptxtbak"})
    EXPECT_EQ(Count(table), "1") << table;
}

TEST_F(LogSchemaTest, RestoreAfterClearingBringsBackLogStationsAndTexts) {
  WriteLinesAtomic(stations, {"HB9AAA/P,Anna,EIN PERSOENLICHER TEXT", "HB9BBB/P,Beat"});
  WriteLinesAtomic(texts, {"ERSTER TEXT DER SAMMLUNG", "ZWEITER TEXT DER SAMMLUNG"});
  RebuildStationTables(logDb, stations);
  RebuildTextTable(logDb, texts);
  // Logging used up a station and a text.
  AddQso("0700", "HB9AAA/P");
  AddQso("0815", "DL1ABC");
  {
    TSQLiteDatabase db(logDb);
    db.ExecSQL("DELETE FROM stns1 WHERE rufz = 'HB9AAA/P'");
    db.ExecSQL("DELETE FROM txt WHERE txt = 'ERSTER TEXT DER SAMMLUNG'");
    db.ExecSQL("DELETE FROM ptxt");
  }
  const auto logBefore = Rows("SELECT * FROM ktd");

  ClearAllQsos(logDb, stations, texts);
  EXPECT_EQ(Count("ktd"), "0");
  EXPECT_EQ(Rows("SELECT * FROM ktdbak"), logBefore);
  EXPECT_EQ(Count("stns1"), "2") << "station tables rebuilt from the file";
  EXPECT_EQ(Count("txt"), "2");

  RestorePreviousLog(logDb);
  EXPECT_EQ(Rows("SELECT * FROM ktd"), logBefore);
  EXPECT_EQ(Rows("SELECT rufz FROM stns1"), std::vector<std::string>{"HB9BBB/P"});
  EXPECT_EQ(Count("stns2"), "2");
  EXPECT_EQ(Count("ptxt"), "0");
  EXPECT_EQ(Rows("SELECT txt FROM txt"), std::vector<std::string>{"ZWEITER TEXT DER SAMMLUNG"});
  for (const char* table : {"ktdbak", "stns1bak", "stns2bak", "stns1ssbbak", "ptxtbak", "txtbak"})
    EXPECT_EQ(Count(table), "0") << table;

  // A second restore finds ktdbak empty and changes nothing.
  AddQso("0900", "F5XYZ");
  RestorePreviousLog(logDb);
  EXPECT_EQ(Count("ktd"), "3");
}

TEST_F(LogSchemaTest, ClearingAnEmptyLogKeepsTheSavedLogButRebuildsTheTables) {
  AddQso("0700", "HB9AAA/P");
  BackUpAndClearLog(logDb);
  WriteLinesAtomic(stations, {"HB9CCC/P,Cilly"});
  ClearAllQsos(logDb, stations, texts);
  EXPECT_EQ(Rows("SELECT rufz FROM ktdbak"), std::vector<std::string>{"HB9AAA/P"});
  EXPECT_EQ(Rows("SELECT rufz FROM stns2ssb"), std::vector<std::string>{"HB9CCC/P"});
}

TEST_F(LogSchemaTest, RewritingInTimeOrderRenumbersTheRows) {
  AddQso("1200", "C");
  AddQso("0700", "A");
  AddQso("0930", "B");
  AddQso("0700", "A2");
  RewriteLogInTimeOrder(logDb);
  EXPECT_EQ(Rows("SELECT rowid, utc, rufz FROM ktd"),
            (std::vector<std::string>{"1|0700|A", "2|0700|A2", "3|0930|B", "4|1200|C"}));
  EXPECT_EQ(Count("sqlite_master WHERE name = 'ktd_temp'"), "0");
}

TEST_F(LogSchemaTest, EditorSnapshotPutsTheLogBack) {
  AddQso("0700", "A");
  TSQLiteDatabase db(logDb);
  TakeLogSnapshot(db);
  db.ExecSQL("DELETE FROM ktd");
  RestoreLogSnapshot(db);
  EXPECT_EQ(QueryRows(db, "SELECT rufz FROM ktd"), std::vector<std::string>{"A"});
}

struct MenuActionFailure {
  const char* name;
  const char* refusal;  // the trigger that makes one late step fail
  void (*action)(const std::string& logDb, const std::string& stations, const std::string& texts);
};

void PrintTo(const MenuActionFailure& c, std::ostream* os) {
  *os << c.name;
}

class MenuActionFailureTest : public LogSchemaTest,
                              public ::testing::WithParamInterface<MenuActionFailure> {};

// Each main-menu action is one change: failing in its last steps, it leaves every table exactly as
// it was, and no lock stays behind.
TEST_P(MenuActionFailureTest, ALateFailureLeavesTheDatabaseExactlyAsBefore) {
  const MenuActionFailure& c = GetParam();
  WriteLinesAtomic(stations, {"HB9AAA/P,Anna,EIN PERSOENLICHER TEXT", "HB9BBB/P,Beat"});
  WriteLinesAtomic(texts, {"ERSTER TEXT DER SAMMLUNG", "ZWEITER TEXT DER SAMMLUNG"});
  RebuildStationAndTextTables(logDb, stations, texts);
  AddQso("0700", "HB9AAA/P");
  ClearAllQsos(logDb, stations, texts);  // fills ktdbak and every "bak" table
  AddQso("0800", "DL1ABC");
  std::vector<std::string> before;
  {
    TSQLiteDatabase db(logDb);
    db.ExecSQL(c.refusal);
    before = DatabaseDump(db);
  }
  EXPECT_THROW(c.action(logDb, stations, texts), ESQLiteException);
  TSQLiteDatabase db(logDb);
  EXPECT_EQ(DatabaseDump(db), before);
  db.ExecSQL("DROP TRIGGER refuse");
  db.Close();
  c.action(logDb, stations, texts);
}

INSTANTIATE_TEST_SUITE_P(
    MenuActions, MenuActionFailureTest,
    ::testing::Values(
        MenuActionFailure{"ClearAllQsosAtTheLastText",
                          "CREATE TRIGGER refuse BEFORE INSERT ON txt WHEN new.txt LIKE 'ZWEITER%' "
                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END",
                          [](const std::string& log, const std::string& s, const std::string& t) {
                            ClearAllQsos(log, s, t);
                          }},
        MenuActionFailure{"StartOfLoggingAtTheTexts",
                          "CREATE TRIGGER refuse BEFORE DELETE ON txt "
                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END",
                          [](const std::string& log, const std::string& s, const std::string& t) {
                            RebuildStationAndTextTables(log, s, t);
                          }},
        MenuActionFailure{"StationRebuildAtThePersonalTexts",
                          "CREATE TRIGGER refuse BEFORE INSERT ON ptxt "
                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END",
                          [](const std::string& log, const std::string& s, const std::string&) {
                            RebuildStationTables(log, s);
                          }},
        MenuActionFailure{"RestoreAtTheLastBackup",
                          "CREATE TRIGGER refuse BEFORE DELETE ON txtbak "
                          "BEGIN SELECT RAISE(ABORT, 'read-only'); END",
                          [](const std::string& log, const std::string&, const std::string&) {
                            RestorePreviousLog(log);
                          }}),
    [](const ::testing::TestParamInfo<MenuActionFailure>& info) {
      return std::string(info.param.name);
    });

TEST(LogSchemaBadFiles, AFileThatIsNoDatabaseIsReportedAndLeftAsItIs) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  const std::string garbage(4096, 'k');
  ASSERT_TRUE(WriteFileAtomic(file, garbage));
  try {
    CreateLogSchema(file);
    FAIL() << "no exception";
  } catch (const ESQLiteException& e) {
    EXPECT_NE(std::string(e.what()).find("Error [26]: File opened that is not a database file."),
              std::string::npos)
        << e.what();
  }
  EXPECT_THROW(RestorePreviousLog(file), ESQLiteException);
  std::string content;
  ASSERT_TRUE(ReadWholeFile(file, content));
  EXPECT_EQ(content, garbage);
}

TEST(LogSchemaBadFiles, ALogTableWithoutItsColumnsIsReportedAndKeepsItsRows) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("CREATE TABLE ktd (utc TEXT, rufz TEXT)");
    db.ExecSQL("INSERT INTO ktd VALUES ('0700', 'HB9AAA/P')");
  }
  CreateLogSchema(file);  // an existing table is never altered
  try {
    RecordQso(file, "0715", "DL1ABC", "599", "", "599", "");
    FAIL() << "no exception";
  } catch (const ESQLiteException& e) {
    const std::string message = e.what();
    EXPECT_EQ(message.rfind("Error executing SQL.\rError [1]: SQL error or missing database.\r", 0),
              0u)
        << message;
    EXPECT_NE(message.find("table ktd has 2 columns but 11 values were supplied"),
              std::string::npos)
        << message;
  }
  TSQLiteDatabase db(file);
  EXPECT_EQ(QueryRows(db, "SELECT * FROM ktd"), std::vector<std::string>{"0700|HB9AAA/P"});
}

}  // namespace
