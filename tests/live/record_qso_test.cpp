#include "live/record_qso.h"

#include <gtest/gtest.h>

#include <ostream>

#include <functional>

#include "contest/log_fixture.h"
#include "support/temp_folder.h"

namespace {

using test_log::Column;

const char* const kStationTables[] = {"stns1", "stns1ssb", "stns2", "stns2ssb"};

class RecordQsoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TSQLiteDatabase db(file);
    test_log::CreateTables(db);
    for (const char* table : kStationTables) {
      test_log::InsertStation(db, table, "HB9AAA/P", "Anna");
      test_log::InsertStation(db, table, "HB9BBB/P", "Beat");
    }
    for (const char* text : {"ROTE ROSEN IM GARTEN", "BLAUE BERGE AM SEE", "GRUENE WIESEN"}) {
      db.AddParamText(":txt", text);
      db.ExecSQL("INSERT INTO txt VALUES (:txt)");
    }
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9AAA/P', 'HB9AAA', 'ROTE ROSEN IM GARTEN')");
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9BBB/P', 'HB9BBB', 'PERSOENLICHER TEXT FUER BEAT')");
  }

  std::vector<std::string> Stations(const std::string& table) {
    TSQLiteDatabase db(file);
    return Column(db,
                  "SELECT rufz || '|' || rufzo || '|' || name FROM " + table + " ORDER BY rowid");
  }
  std::vector<std::string> Query(const std::string& sql) {
    TSQLiteDatabase db(file);
    return Column(db, sql);
  }

  TempFolder dir;
  std::string file = dir / "ktd.sqlite";
};

using Strings = std::vector<std::string>;

struct RowCase {
  const char* name;
  std::string utc, call, s, stxt, r, rtxt;
  std::string expectedTail;  // half|mode|ktdst|hbst|eust
};

void PrintTo(const RowCase& c, std::ostream* os) {
  *os << c.name;
}

class RecordQsoRowTest : public RecordQsoTest, public ::testing::WithParamInterface<RowCase> {};

TEST_P(RecordQsoRowTest, StoresTheFieldsWithHalfModeAndClass) {
  const RowCase& c = GetParam();
  RecordQso(file, c.utc, c.call, c.s, c.stxt, c.r, c.rtxt);
  EXPECT_EQ(Query("SELECT utc||'|'||rufz||'|'||s||'|'||stxt||'|'||r||'|'||rtxt||'|'||half||'|'||"
                  "mode||'|'||ktdst||'|'||hbst||'|'||eust FROM ktd"),
            Strings{c.utc + "|" + c.call + "|" + c.s + "|" + c.stxt + "|" + c.r + "|" + c.rtxt +
                    "|" + c.expectedTail});
}

INSTANTIATE_TEST_SUITE_P(
    RecordQsoRows, RecordQsoRowTest,
    ::testing::Values(
        RowCase{"CwFirstHalf", "0759", "HB9AAA/P", "599", "ROTE ROSEN IM GARTEN", "579",
                "EIN TEXT ZURUECK", "0|0|1|0|0"},
        RowCase{"SsbSecondHalf", "0800", "HB9AAA/P", "59", "BLAUE BERGE AM SEE", "57", "X",
                "1|1|1|0|0"},
        RowCase{"Midnight", "0000", "HE9XYZ", "599", "", "599", "", "0|0|0|1|0"},
        RowCase{"LateEvening", "2359", "F5XYZ", "59", "", "59", "", "1|1|0|0|1"},
        // The mode follows the length of the report sent, nothing else.
        RowCase{"ShortReportIsSsb", "1000", "DL1XYZ", "5", "", "599", "", "1|1|0|0|1"},
        RowCase{"LongReportIsSsb", "1000", "DL1XYZ", "5999", "", "599", "", "1|1|0|0|1"},
        RowCase{"KtdWithoutTextIsSwiss", "0700", "HB9AAA/P", "599", "", "599", "", "0|0|0|1|0"}),
    [](const ::testing::TestParamInfo<RowCase>& info) { return std::string(info.param.name); });

TEST_F(RecordQsoTest, KtdInFirstHalfCwMovesToSecondHalfOfBothModes) {
  {
    TSQLiteDatabase db(file);
    test_log::InsertStation(db, "stns1", "HB9NEW/P", "Nina");
    test_log::InsertStation(db, "stns1ssb", "HB9NEW/P", "Nina");
  }
  RecordQso(file, "0700", "HB9NEW/P", "599", "ROTE ROSEN IM GARTEN", "599", "TEXT");
  RecordQso(file, "0710", "HB9NEW/P", "599", "BLAUE BERGE AM SEE", "599", "TEXT");
  EXPECT_EQ(Stations("stns1"), (Strings{"HB9AAA/P|HB9AAA|Anna", "HB9BBB/P|HB9BBB|Beat"}));
  EXPECT_EQ(Stations("stns1ssb"),
            (Strings{"HB9AAA/P|HB9AAA|Anna", "HB9BBB/P|HB9BBB|Beat", "HB9NEW/P|HB9NEW|Nina"}));
  // Added once, with an empty name, however often it is recorded.
  const Strings second{"HB9AAA/P|HB9AAA|Anna", "HB9BBB/P|HB9BBB|Beat", "HB9NEW/P|HB9NEW|"};
  EXPECT_EQ(Stations("stns2"), second);
  EXPECT_EQ(Stations("stns2ssb"), second);
}

TEST_F(RecordQsoTest, KtdInFirstHalfSsbLeavesOnlyTheSsbFirstHalfList) {
  RecordQso(file, "0600", "HB9AAA/P", "59", "ROTE ROSEN IM GARTEN", "59", "TEXT");
  const Strings both{"HB9AAA/P|HB9AAA|Anna", "HB9BBB/P|HB9BBB|Beat"};
  EXPECT_EQ(Stations("stns1ssb"), Strings{"HB9BBB/P|HB9BBB|Beat"});
  EXPECT_EQ(Stations("stns1"), both);
  EXPECT_EQ(Stations("stns2"), both);  // already there: not added again
  EXPECT_EQ(Stations("stns2ssb"), both);
}

TEST_F(RecordQsoTest, KtdInSecondHalfLeavesOnlyThatHalfsListOfItsMode) {
  const Strings both{"HB9AAA/P|HB9AAA|Anna", "HB9BBB/P|HB9BBB|Beat"};
  RecordQso(file, "0800", "HB9BBB/P", "599", "GRUENE WIESEN", "599", "TEXT");
  EXPECT_EQ(Stations("stns2"), Strings{"HB9AAA/P|HB9AAA|Anna"});
  EXPECT_EQ(Stations("stns2ssb"), both);
  EXPECT_EQ(Stations("stns1"), both);
  RecordQso(file, "0900", "HB9AAA/P", "59", "BLAUE BERGE AM SEE", "59", "TEXT");
  EXPECT_EQ(Stations("stns2ssb"), Strings{"HB9BBB/P|HB9BBB|Beat"});
  EXPECT_EQ(Stations("stns1ssb"), both);
}

TEST_F(RecordQsoTest, HomeStationRemovesItsPortableCallFromAllFourLists) {
  RecordQso(file, "0900", "HB9AAA", "599", "", "599", "");
  for (const char* table : kStationTables) {
    EXPECT_EQ(Stations(table), Strings{"HB9BBB/P|HB9BBB|Beat"}) << table;
  }
  // A portable call without a sent text is no KTD QSO and removes nothing ("/P/P").
  RecordQso(file, "0901", "HB9BBB/P", "599", "", "599", "");
  for (const char* table : kStationTables) {
    EXPECT_EQ(Stations(table), Strings{"HB9BBB/P|HB9BBB|Beat"}) << table;
  }
}

TEST_F(RecordQsoTest, SentTextIsUsedUpButKeptInTheUndoTables) {
  RecordQso(file, "0700", "HB9AAA/P", "599", "ROTE ROSEN IM GARTEN", "599", "TEXT");
  EXPECT_EQ(Query("SELECT txt FROM txt"), (Strings{"BLAUE BERGE AM SEE", "GRUENE WIESEN"}));
  EXPECT_EQ(Query("SELECT txt FROM ptxt"), Strings{"PERSOENLICHER TEXT FUER BEAT"});
  EXPECT_EQ(Query("SELECT txt FROM txtundo"),
            (Strings{"ROTE ROSEN IM GARTEN", "BLAUE BERGE AM SEE", "GRUENE WIESEN"}));
  EXPECT_EQ(Query("SELECT txt FROM ptxtundo"),
            (Strings{"ROTE ROSEN IM GARTEN", "PERSOENLICHER TEXT FUER BEAT"}));
}

TEST_F(RecordQsoTest, EmptySentTextDeletesOnlyEmptyTexts) {
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("INSERT INTO txt VALUES ('')");
  }
  RecordQso(file, "0700", "DL1XYZ", "599", "", "599", "");
  EXPECT_EQ(Query("SELECT count(*) FROM txt"), Strings{"3"});
  EXPECT_EQ(Query("SELECT count(*) FROM txtundo"), Strings{"4"});
}

TEST_F(RecordQsoTest, UndoCopiesHoldTheStateBeforeTheLastQso) {
  RecordQso(file, "0700", "HB9AAA/P", "599", "ROTE ROSEN IM GARTEN", "599", "A");
  RecordQso(file, "0705", "DL1XYZ", "599", "", "599", "");
  RecordQso(file, "0710", "HB9BBB/P", "599", "GRUENE WIESEN", "599", "B");
  // The log snapshot carries each row's id as its first column.
  EXPECT_EQ(Query("SELECT rowid || '|' || rufz FROM ktdundo"), (Strings{"1|HB9AAA/P", "2|DL1XYZ"}));
  EXPECT_EQ(Query("SELECT rufz FROM stns1undo"), Strings{"HB9BBB/P"});
  EXPECT_EQ(Query("SELECT txt FROM txtundo"), (Strings{"BLAUE BERGE AM SEE", "GRUENE WIESEN"}));
  EXPECT_EQ(Query("SELECT rufz FROM stns1"), Strings{});
}

TEST_F(RecordQsoTest, AnyBytesAreStoredByteForByte) {
  const std::vector<std::string> hostile = {
      "",
      "HB9\"X'Y;Z",
      "'); DROP TABLE ktd; --",
      std::string("HB9\0AB/P", 8),
      std::string(300, 'W'),
      "\xC4\xD6\xDC\xFF/P",
  };
  for (const std::string& text : hostile) {
    RecordQso(file, "0700", text, "599", text, text, text);
  }
  TSQLiteDatabase db(file);
  auto rows = db.GetTable("SELECT hex(rufz), hex(stxt), hex(r), hex(rtxt) FROM ktd ORDER BY rowid");
  ASSERT_EQ(rows->RowCount(), static_cast<int>(hostile.size()));
  for (const std::string& text : hostile) {
    std::string hex;
    for (unsigned char ch : text) {
      static const char* const kDigits = "0123456789ABCDEF";
      hex += kDigits[ch >> 4];
      hex += kDigits[ch & 15];
    }
    for (int column = 0; column < 4; ++column) EXPECT_EQ(rows->FieldAsString(column), hex);
    rows->Next();
  }
  // Every table survived; the 300-character "portable" call was moved like any other.
  EXPECT_EQ(Column(db, "SELECT count(*) FROM stns2 WHERE rufz = '" + std::string(300, 'W') + "'"),
            Strings{"1"});
  EXPECT_EQ(Column(db, "SELECT count(*) FROM stns2 WHERE rufzo = '" + std::string(298, 'W') + "'"),
            Strings{"1"});
}

TEST_F(RecordQsoTest, KtdQsoWithACallsignTooShortForPortableGetsAnEmptyBaseCall) {
  RecordQso(file, "0700", "A", "599", "T", "599", "");
  EXPECT_EQ(Query("SELECT rufz || '|' || rufzo FROM stns2 WHERE rufz = 'A'"), Strings{"A|"});
}

// Makes one kind of change to a table fail, as a locked or damaged table would.
void RefuseChanges(const std::string& file, const std::string& table, const std::string& event) {
  TSQLiteDatabase db(file);
  db.ExecSQL("CREATE TRIGGER refuse_" + table + " BEFORE " + event + " ON " + table +
             " BEGIN SELECT RAISE(ABORT, 'table is read only'); END");
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const ESQLiteException& e) {
    return e.what();
  }
  return "<no error>";
}

struct FailureCase {
  const char* name;
  const char* table;
  const char* event;
  std::string call, rst, text;
  const char* failingStatement;
};

void PrintTo(const FailureCase& c, std::ostream* os) {
  *os << c.name;
}

class RecordQsoFailureTest : public RecordQsoTest,
                             public ::testing::WithParamInterface<FailureCase> {};

// Whichever statement fails, the QSO is recorded completely or not at all: the log, the station
// lists, the texts and every undo copy are exactly as before, and recording again then succeeds.
TEST_P(RecordQsoFailureTest, ADatabaseErrorLeavesTheLogExactlyAsBefore) {
  const FailureCase& c = GetParam();
  {
    TSQLiteDatabase db(file);
    test_log::InsertRow(db, {"0600", "DL1ABC", "599", "", "599", "", "0", "0", "0", "0", "1"});
    db.ExecSQL("INSERT INTO txtundo VALUES ('OLD UNDO')");
  }
  RefuseChanges(file, c.table, c.event);
  std::vector<std::string> before;
  {
    TSQLiteDatabase db(file);
    before = DatabaseDump(db);
  }

  const std::string error =
      ErrorOf([&] { RecordQso(file, "0700", c.call, c.rst, c.text, "599", "T"); });
  EXPECT_EQ(error.rfind("Error executing SQL statement.\rError [19]: ", 0), 0u) << error;
  EXPECT_NE(error.find(c.failingStatement), std::string::npos) << error;
  {
    TSQLiteDatabase db(file);
    EXPECT_EQ(DatabaseDump(db), before);
    // No transaction or lock outlives the failed recording.
    db.ExecSQL(std::string("DROP TRIGGER refuse_") + c.table);
  }

  RecordQso(file, "0700", c.call, c.rst, c.text, "599", "T");
  EXPECT_EQ(Query("SELECT rufz FROM ktd"), (Strings{"DL1ABC", c.call}));
  EXPECT_EQ(Query("SELECT count(*) FROM ktdundo"), Strings{"1"});
  EXPECT_EQ(Query("SELECT count(*) FROM txt WHERE txt = '" + c.text + "'"), Strings{"0"});
}

INSTANTIATE_TEST_SUITE_P(
    RecordQsoFailures, RecordQsoFailureTest,
    ::testing::Values(FailureCase{"LogRow", "ktd", "INSERT", "HB9AAA/P", "599",
                                  "ROTE ROSEN IM GARTEN", "INSERT INTO ktd VALUES"},
                      FailureCase{"SecondHalfList", "stns2ssb", "INSERT", "HB9NEW/P", "599",
                                  "ROTE ROSEN IM GARTEN", "INSERT INTO stns2ssb VALUES"},
                      FailureCase{"FirstHalfList", "stns1", "DELETE", "HB9AAA/P", "599",
                                  "ROTE ROSEN IM GARTEN", "DELETE FROM stns1 WHERE rufz = :rufz"},
                      FailureCase{"HomeStationLists", "stns2ssb", "DELETE", "HB9AAA", "59", "",
                                  "DELETE FROM stns2ssb WHERE rufz = :rufz"},
                      FailureCase{"PersonalTextsLastStep", "ptxt", "DELETE", "HB9AAA/P", "599",
                                  "ROTE ROSEN IM GARTEN", "DELETE FROM ptxt WHERE txt = :txt"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.name); });

TEST_F(RecordQsoTest, MissingLogTableFailsBeforeAnythingChanges) {
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("DROP TABLE ktd");
  }
  const std::string error =
      ErrorOf([&] { RecordQso(file, "0700", "DL1XYZ", "599", "", "599", ""); });
  EXPECT_EQ(error.rfind("Error executing SQL", 0), 0u) << error;
  EXPECT_EQ(Query("SELECT count(*) FROM txt"), Strings{"3"});
}

}  // namespace
