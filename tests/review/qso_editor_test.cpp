#include "review/qso_editor.h"

#include <gtest/gtest.h>

#include <ostream>

#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "review/qso_editor_model.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

using Strings = std::vector<std::string>;

constexpr const char* kAllColumns =
    "SELECT rowid||'|'||utc||'|'||rufz||'|'||s||'|'||stxt||'|'||r||'|'||rtxt||'|'||half||'|'||"
    "mode||'|'||ktdst||'|'||hbst||'|'||eust FROM ktd";

class QsoEditorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TSQLiteDatabase db(file);
    db.BeginTransaction();
    CreateLogSchema(db);
    db.Commit();
  }

  // A log of `count` QSOs at 0700, 0701 ... with callsigns HB9AA1 ... in row order.
  void WriteLog(int count) {
    TSQLiteDatabase db(file);
    db.BeginTransaction();
    for (int i = 1; i <= count; ++i) {
      const std::string n = std::to_string(i);
      InsertQsoRow(db, {"07" + std::string(i < 10 ? "0" : "") + n, "HB9AA" + n, "599", "", "599",
                        "", "0", "0", "0", "1", "0"});
    }
    db.Commit();
  }
  Strings Rows(const std::string& sql = kAllColumns) {
    TSQLiteDatabase db(file);
    return QueryRows(db, sql);
  }

  TempFolder dir;
  std::string file = dir / "ktd.sqlite";
};

struct DeriveCase {
  const char* name;
  EditorQso qso;
  std::string expected;  // half|mode|ktdst|hbst|eust
};

void PrintTo(const DeriveCase& c, std::ostream* os) {
  *os << c.name;
}

class EditorDeriveTest : public QsoEditorTest, public ::testing::WithParamInterface<DeriveCase> {};

TEST_P(EditorDeriveTest, StoresHalfModeAndClassByTheEditorsRule) {
  ASSERT_TRUE(StoreEditedQso(file, std::nullopt, GetParam().qso));
  const Strings rows = Rows("SELECT half||'|'||mode||'|'||ktdst||'|'||hbst||'|'||eust FROM ktd");
  EXPECT_EQ(rows, Strings{GetParam().expected});
}

INSTANTIATE_TEST_SUITE_P(
    Qsos, EditorDeriveTest,
    ::testing::Values(
        DeriveCase{
            "BeforeEightSsb", {"0759", "HB9ABC/P", "59", "TEXT", "57", "ANTWORT"}, "0|1|1|0|0"},
        DeriveCase{"AtEightCw", {"0800", "HB9ABC/P", "599", "TEXT", "579", "ANTWORT"}, "1|0|1|0|0"},
        DeriveCase{
            "OnlyTextSentSwiss", {"0930", "HE9ABC/P", "599", "TEXT", "599", ""}, "1|0|0|1|0"},
        DeriveCase{
            "OnlyTextSentForeign", {"0930", "DL1ABC", "599", "TEXT", "599", ""}, "1|0|0|0|1"},
        DeriveCase{
            "OnlyTextReceived", {"0600", "hb9xyz", "59", "", "59", "ANTWORT"}, "0|1|0|1|0"}));

TEST_F(QsoEditorTest, IncompleteOrImpossibleLinesAreNotStored) {
  const std::pair<std::string, std::string> refused[] = {{"759", "HB9ABC"},  {"07a9", "HB9ABC"},
                                                         {"2460", "HB9ABC"}, {"0760", "HB9ABC"},
                                                         {"0759", "HB"},     {"0759", "  HB  "}};
  for (const auto& [utc, rufz] : refused) {
    EXPECT_FALSE(StoreEditedQso(file, std::nullopt, {utc, rufz, "599", "", "599", ""}))
        << utc << " " << rufz;
  }
  EXPECT_TRUE(StoreEditedQso(file, std::nullopt, {"2359", " HB9 ", "599", " A B ", "599", ""}));
  EXPECT_EQ(Rows(), Strings{"1|2359|HB9|599|A B|599||1|0|0|1|0"});
}

TEST_F(QsoEditorTest, UpdateChangesOnlyTheAddressedRowAndKeepsASnapshot) {
  WriteLog(3);
  ASSERT_TRUE(StoreEditedQso(file, 2, {"0815", "HB9XYZ/P", "59", "EIN TEXT", "57", "ZURUECK"}));
  EXPECT_EQ(Rows(), (Strings{"1|0701|HB9AA1|599||599||0|0|0|1|0",
                             "2|0815|HB9XYZ/P|59|EIN TEXT|57|ZURUECK|1|1|1|0|0",
                             "3|0703|HB9AA3|599||599||0|0|0|1|0"}));
  EXPECT_EQ(Rows("SELECT rufz FROM ktdundo"), (Strings{"HB9AA1", "HB9AA2", "HB9AA3"}));
}

TEST_F(QsoEditorTest, RemovingRowFiveOfTenRenumbersAndUndoBringsItBack) {
  WriteLog(10);
  QsoEditorModel model(file);
  model.Open();
  model.SelectRow(4);
  ASSERT_EQ(model.CurrentRowId(), "5");
  ASSERT_TRUE(model.Remove());
  EXPECT_TRUE(model.UndoEnabled());
  const Strings renumbered = Rows("SELECT rowid||'|'||rufz FROM ktd");
  EXPECT_EQ(renumbered.size(), 9u);
  EXPECT_EQ(renumbered[3], "4|HB9AA4");
  EXPECT_EQ(renumbered[4], "5|HB9AA6");
  EXPECT_EQ(renumbered[8], "9|HB9AA10");
  EXPECT_FALSE(model.QsoLoaded());  // every change ends in a new, empty line

  model.Undo();
  EXPECT_FALSE(model.UndoEnabled());
  EXPECT_EQ(Rows("SELECT rowid||'|'||rufz FROM ktd WHERE rowid = 5"), Strings{"5|HB9AA5"});
  EXPECT_EQ(model.Rows().size(), 10u);
}

TEST_F(QsoEditorTest, EarlyQsoInsertedComesFirstOnceTheLogIsInTimeOrder) {
  WriteLog(2);
  ASSERT_TRUE(StoreEditedQso(file, std::nullopt, {"0630", "DL1ABC", "599", "", "579", ""}));
  RewriteLogInTimeOrder(file);  // the main menu's step after the editor
  EXPECT_EQ(Rows("SELECT rowid||'|'||utc FROM ktd"), (Strings{"1|0630", "2|0701", "3|0702"}));
}

TEST_F(QsoEditorTest, FailedUndoLeavesTheLogAsItWas) {
  WriteLog(2);
  {
    TSQLiteDatabase db(file);
    db.ExecSQL("DROP TABLE ktdundo");
  }
  EXPECT_THROW(UndoLastEdit(file), ESQLiteException);
  EXPECT_EQ(Rows("SELECT rufz FROM ktd"), (Strings{"HB9AA1", "HB9AA2"}));
}

struct EnterCase {
  const char* name;
  bool loaded;
  EditorQso line;
  EditorField field;
  bool stores;
};

void PrintTo(const EnterCase& c, std::ostream* os) {
  *os << c.name;
}

class EditorEnterTest : public QsoEditorTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EditorEnterTest, EnterStoresOnlyWhereTheLineIsReady) {
  const EnterCase& c = GetParam();
  WriteLog(1);
  QsoEditorModel model(file);
  model.Open();
  if (c.loaded) model.SelectRow(0);
  model.Line() = c.line;
  EXPECT_EQ(model.EnterStores(c.field), c.stores);
}

const EditorQso kFull{"0712", "HB9ABC/P", "599", "", "579", ""};
const EditorQso kWithTextSent{"0712", "HB9ABC/P", "599", "EIN TEXT", "579", ""};
const EditorQso kShortTime{"071", "HB9ABC/P", "599", "", "579", ""};

INSTANTIATE_TEST_SUITE_P(
    Fields, EditorEnterTest,
    ::testing::Values(
        EnterCase{"TimeUpdatesLoaded", true, kFull, EditorField::Utc, true},
        EnterCase{"TimeNeverInserts", false, kFull, EditorField::Utc, false},
        EnterCase{"ShortTimeDoesNotUpdate", true, kShortTime, EditorField::Utc, false},
        EnterCase{"RstSentUpdatesLoaded", true, kFull, EditorField::RstSent, true},
        EnterCase{"RstRcvdInsertsNewQso", false, kFull, EditorField::RstRcvd, true},
        EnterCase{"RstRcvdWithTextSentStoresNothing", true, kWithTextSent, EditorField::RstRcvd,
                  false},
        EnterCase{"RstRcvdNeedsFullTime", false, kShortTime, EditorField::RstRcvd, false},
        EnterCase{"TextRcvdInsertsNewQso", false, kWithTextSent, EditorField::TextRcvd, true},
        EnterCase{"TextSentNeverInserts", false, kWithTextSent, EditorField::TextSent, false}));

}  // namespace
