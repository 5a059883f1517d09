#include "review/paper_log_model.h"

#include <gtest/gtest.h>

#include <ostream>

#include "common/clock.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "review/paper_log_queries.h"
#include "review/review_log.h"
#include "services/app_context.h"
#include "support/adif_records.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

namespace {

using Strings = std::vector<std::string>;

class PaperLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    PrepareWorkingFolders(ctx, dir.path(), 2024, "HB9REV/P");
    review_log::Write(ctx.logDbFile);
  }

  void AddQso(const std::string& utc, const std::string& rufz, const std::string& s) {
    TSQLiteDatabase db(ctx.logDbFile);
    InsertQsoRow(db, {utc, rufz, s, "", s, "", "0", s.size() == 3 ? "0" : "1", "0", "1", "0"});
  }
  Strings Query(const std::string& sql) {
    TSQLiteDatabase db(ctx.logDbFile);
    return QueryRows(db, sql);
  }
  // Types a station as the operator does and leaves the field towards RST sent.
  void EnterStation(const std::string& station) {
    model.StationEdited(station);
    ASSERT_TRUE(model.LeaveStation());
  }

  TempFolder dir;
  FixedClock clock;
  AppContext ctx{clock};
  PaperLogModel model{ctx};
};

TEST_F(PaperLogTest, OpensOnTheLastQsoAndCrossesEightWithTheMinuteKey) {
  AddQso("0759", "DL1ABC", "59");
  {
    // HB9ABC/P is already worked in SSB in the first half; the second half still lists it.
    TSQLiteDatabase db(ctx.logDbFile);
    db.ExecSQL("DELETE FROM stns1ssb WHERE rufz = 'HB9ABC/P'");
  }
  model.Open();
  EXPECT_FALSE(model.CwMode());
  EXPECT_EQ(model.Line().rstSent, "59");
  EXPECT_EQ(model.HourText() + ":" + model.MinuteText() + " " + model.HalfLabel(),
            "07:59 1. Halbzeit");
  EXPECT_EQ(model.Stations().entries.size(), review_log::Stations().size() - 1);

  model.StepMinute(+1);
  EXPECT_EQ(model.Utc() + " " + model.HalfLabel(), "0800 2. Halbzeit");
  EXPECT_EQ(model.Stations().entries, review_log::Stations());  // from stns2ssb
  EXPECT_EQ(model.Stations().selected, -1);
}

TEST_F(PaperLogTest, TimeKeysWrapAroundMidnight) {
  model.Open();
  EXPECT_EQ(model.Utc(), "0600");  // an empty log starts at 06:00
  model.StepHour(-6);
  model.StepMinute(-1);
  EXPECT_EQ(model.Utc(), "2359");
  EXPECT_EQ(model.Half(), 1);
  model.StepHour(+1);
  EXPECT_EQ(model.Utc(), "0059");
  EXPECT_EQ(model.Half(), 0);
}

struct FilterCase {
  const char* name;
  std::string typed;
  Strings expected;
};

void PrintTo(const FilterCase& c, std::ostream* os) {
  *os << c.name;
}

class StationFilterTest : public PaperLogTest, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(StationFilterTest, ListsTheMatchingStationsInOrder) {
  model.Open();
  model.StationEdited(GetParam().typed);
  EXPECT_EQ(model.Stations().entries, GetParam().expected);
  EXPECT_EQ(model.Stations().selected, GetParam().expected.empty() ? -1 : 0);
}

INSTANTIATE_TEST_SUITE_P(
    Typed, StationFilterTest,
    ::testing::Values(FilterCase{"DigitMeansHB", "9", {"HB9/DL1ABC/P", "HB9ABC/P", "HB9XYZ/P"}},
                      FilterCase{"SwissPrefix", "HE9", {"HE9ABC/P"}},
                      FilterCase{"SuffixOnBothPrefixes", "ABC", {"HB9ABC/P", "HE9ABC/P"}},
                      FilterCase{"GuestCallUnderSwissPrefix", "DL1", {"HB9/DL1ABC/P"}},
                      FilterCase{"LowerCaseLikeUpper", "klm", {"HB3KLM/P"}},
                      FilterCase{"NoMatch", "QRM", {}},
                      FilterCase{"WildcardsAreLiteral", "_", {}}));

TEST_F(PaperLogTest, SpaceCopiesTheMarkedStationThenMovesOn) {
  model.Open();
  model.StationEdited("XY");
  EXPECT_EQ(model.StationSpace(), PaperField::Station);
  EXPECT_EQ(model.Line().station, "HB9XYZ/P");
  EXPECT_EQ(model.Stations().selected, -1);
  EXPECT_EQ(model.StationSpace(), PaperField::RstSent);
  EXPECT_TRUE(model.Stations().entries.empty());

  model.Cancel();
  model.StationEdited("DL1XX");  // no KTD station: the first Space moves on
  EXPECT_EQ(model.StationSpace(), PaperField::RstSent);
  EXPECT_EQ(model.Line().station, "DL1XX");
}

TEST_F(PaperLogTest, TextIsOfferedOnlyToKtdStations) {
  model.Open();
  EnterStation("HB3KLM/P");  // no personal texts: the form's next text
  EXPECT_EQ(model.RstSentSpace(), PaperField::TextSent);
  model.EnterTextSent();
  EXPECT_EQ(model.Line().textSent, "ABENDROT AM SAENTIS");
  model.Cancel();
  EnterStation("HB9ABC");
  EXPECT_EQ(model.RstSentSpace(), PaperField::RstRcvd);
  model.EnterTextSent();
  EXPECT_EQ(model.Line().textSent, "");
  model.Cancel();
  EXPECT_FALSE(model.LeaveStation());  // an empty station: the focus goes back to it

  EnterStation("HB9ABC/P");
  model.EnterTextSent();
  ASSERT_EQ(model.Line().textSent, "ALPENROSEN AM GRAT");
  EnterStation("HB9XYZ/P");  // the operator corrects the callsign: not his text
  model.EnterTextSent();
  EXPECT_EQ(model.Line().textSent, "STEINBOCK AUF DEM GIPFEL");
}

TEST_F(PaperLogTest, EnterInRstRcvdWithoutTextSentCompletesAndSaves) {
  model.Open();
  EXPECT_EQ(model.Save(), PaperSaveOutcome::NoStation);
  model.StationEdited("DL");
  EXPECT_EQ(model.Save(), PaperSaveOutcome::StationTooShort);
  EnterStation("DL1ABC");
  model.RstRcvdEdited("4");
  EXPECT_EQ(model.RstRcvdEnter(), PaperField::Save);
  EXPECT_EQ(model.Line().rstRcvd, "549");
  EXPECT_EQ(model.Save(), PaperSaveOutcome::Saved);
  EXPECT_EQ(Query("SELECT utc||'|'||rufz||'|'||s||'|'||r||'|'||mode||'|'||eust FROM ktd"),
            Strings{"0600|DL1ABC|599|549|0|1"});
  // The form's line was used for this QSO: its printed text goes to the end.
  EXPECT_EQ(model.PrintedTexts().entries.front(), "GIPFELKREUZ IM MORGEN");
  EXPECT_EQ(model.PrintedTexts().entries.back(), "ABENDROT AM SAENTIS");
  EXPECT_EQ(model.Line().station + model.Line().rstRcvd, "599");
  EXPECT_EQ(ctx.score.euCw, 1);
}

TEST_F(PaperLogTest, PrintedTextSentMovesToTheEndOfTheQueue) {
  model.Open();
  EnterStation("HB3KLM/P");
  model.PickPrintedText(2);
  model.TextRcvdEdited("GRUESSE VOM BERG  ");
  ASSERT_TRUE(model.TextRcvdSpaceSaves());
  ASSERT_EQ(model.Save(), PaperSaveOutcome::Saved);
  EXPECT_EQ(Query("SELECT txt FROM txt"),
            (Strings{"ABENDROT AM SAENTIS", "GIPFELKREUZ IM MORGEN", "WOLKEN UEBER DEM PILATUS",
                     "MORSEN MIT KALTEN HAENDEN"}));
  EXPECT_EQ(Query("SELECT stxt||'|'||rtxt||'|'||ktdst FROM ktd"),
            Strings{"MORSEN MIT KALTEN HAENDEN|GRUESSE VOM BERG|1"});
  EXPECT_EQ(ctx.score.ktdCw, 1);
}

TEST_F(PaperLogTest, ALineThatCannotBeSavedWhollyLeavesTheLogAsItWas) {
  model.Open();
  EnterStation("HB3KLM/P");
  model.PickPrintedText(2);
  model.TextRcvdEdited("GRUESSE VOM BERG  ");
  std::vector<std::string> before;
  {
    TSQLiteDatabase db(ctx.logDbFile);
    // The queue move at the end of the save fails, after the QSO itself was recorded.
    db.ExecSQL("CREATE TRIGGER refuse BEFORE INSERT ON txt BEGIN SELECT RAISE(ABORT, 'x'); END");
    before = DatabaseDump(db);
  }
  EXPECT_THROW(model.Save(), ESQLiteException);
  TSQLiteDatabase db(ctx.logDbFile);
  EXPECT_EQ(DatabaseDump(db), before);
}

TEST_F(PaperLogTest, PersonalTextUsedIsGoneForThatStationOnly) {
  model.Open();
  EnterStation("HB9ABC/P");
  model.PickPersonalText(1);
  ASSERT_EQ(model.Save(), PaperSaveOutcome::Saved);
  EXPECT_EQ(Query("SELECT rufz||'|'||txt FROM ptxt"),
            (Strings{"HB9ABC/P|ALPENROSEN AM GRAT", "HB9XYZ/P|STEINBOCK AUF DEM GIPFEL"}));
  // The station was worked in CW in the first half.
  EXPECT_EQ(Query("SELECT count(*) FROM stns1 WHERE rufz = 'HB9ABC/P'"), Strings{"0"});
  EXPECT_EQ(model.Stations().entries.size(), review_log::Stations().size() - 1);
}

TEST_F(PaperLogTest, SkippedLineThenUndoRestoresTheQueue) {
  model.Open();
  model.SkipPrintedText();
  model.SkipPrintedText();
  EXPECT_EQ(model.PrintedTexts().entries.front(), "MORSEN MIT KALTEN HAENDEN");
  model.UnskipPrintedText();
  model.UnskipPrintedText();
  EXPECT_EQ(Query("SELECT txt FROM txt"), review_log::PrintedTexts());
}

struct KeyCase {
  const char* name;
  PaperField field;
  PaperKey key;
  PaperKeyOutcome expected;
  std::string utc = "0600";  // the time afterwards
  std::string textRcvd{};    // typed before the key
};

void PrintTo(const KeyCase& c, std::ostream* os) {
  *os << c.name;
}

class PaperKeyTest : public PaperLogTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(PaperKeyTest, KeyActsOnTheFieldOrMovesTheFocus) {
  const KeyCase& c = GetParam();
  model.Open();
  model.TextRcvdEdited(c.textRcvd);
  EXPECT_EQ(model.KeyPress(c.field, c.key), c.expected);
  EXPECT_EQ(model.Utc(), c.utc);
}

using Code = PaperKey::Code;
using F = PaperField;
using Out = PaperKeyOutcome;
const PaperKey kSpace{Code::Space, ' '};
const PaperKey kEnter{Code::Enter, '\r'};

INSTANTIATE_TEST_SUITE_P(
    Fields, PaperKeyTest,
    ::testing::Values(
        KeyCase{"HourUpSteps", F::Hour, {Code::Up}, Out::Consumed(), "0700"},
        KeyCase{"HourSpace", F::Hour, kSpace, Out::MoveTo(F::Minute)},
        KeyCase{"HourLeftMovesTheCaret", F::Hour, {Code::Left}, Out::Pass()},
        KeyCase{"MinuteDownSteps", F::Minute, {Code::Down}, Out::Consumed(), "0559"},
        KeyCase{"MinuteSpace", F::Minute, kSpace, Out::MoveTo(F::Ssb)},
        KeyCase{"MinuteLeft", F::Minute, {Code::Left}, Out::MoveTo(F::Hour)},
        KeyCase{"StationEnterTypesNothing", F::Station, kEnter, Out::Consumed()},
        KeyCase{"StationCtrlVPastes", F::Station, {Code::Typing, 'V', true}, Out::Pass()},
        KeyCase{"RstSentEnterTypesNothing", F::RstSent, kEnter, Out::Consumed()},
        KeyCase{"TextSentSpace", F::TextSent, kSpace, Out::MoveTo(F::RstRcvd)},
        KeyCase{"RstRcvdSpace", F::RstRcvd, kSpace, Out::MoveTo(F::TextRcvd)},
        KeyCase{"RstRcvdEnterSavesWithoutText", F::RstRcvd, kEnter, Out::SaveLine()},
        KeyCase{"TextRcvdFirstSpaceIsTyped", F::TextRcvd, kSpace, Out::Pass(), "0600", "GL"},
        KeyCase{"TextRcvdSecondSpaceSaves", F::TextRcvd, kSpace, Out::SaveLine(), "0600", "GL "},
        KeyCase{"SaveButtonEnter", F::Save, kEnter, Out::SaveLine()},
        KeyCase{"SsbBoxTakesItsSpace", F::Ssb, kSpace, Out::Pass()}));

TEST_F(PaperLogTest, CtrlUpAndDownInTheTimeFieldsMoveTheFormLineNotTheTime) {
  model.Open();
  EXPECT_EQ(model.KeyPress(F::Minute, {Code::Down, 0, true}), Out::Consumed());
  EXPECT_EQ(model.PrintedTexts().entries.front(), "GIPFELKREUZ IM MORGEN");
  model.KeyPress(F::Hour, {Code::Up, 0, true});
  EXPECT_EQ(model.PrintedTexts().entries, review_log::PrintedTexts());
  EXPECT_EQ(model.Utc(), "0600");
}

TEST_F(PaperLogTest, HeldKeyTypesOnceUntilReleasedOrTheFieldIsEnteredAgain) {
  model.Open();
  const PaperKey q{Code::Typing, 'Q'};
  const PaperKey repeat{Code::Typing, 'Q', false, true};
  for (PaperField field : {F::Station, F::TextRcvd}) {
    EXPECT_EQ(model.KeyPress(field, q), Out::Pass());
    EXPECT_EQ(model.KeyPress(field, repeat), Out::Consumed());
    model.KeyRelease(field, q);
    EXPECT_EQ(model.KeyPress(field, q), Out::Pass());
    model.FieldEntered(field);
    EXPECT_EQ(model.KeyPress(field, q), Out::Pass());
  }
}

TEST_F(PaperLogTest, EnteringAFieldPlacesTheCaretOrMovesOn) {
  model.Open();
  EXPECT_EQ(model.FieldEntered(F::Minute), (PaperEntry{false, F::Minute, PaperCaret::AtEnd}));
  EXPECT_EQ(model.FieldEntered(F::RstSent), (PaperEntry{true, F::Station}));  // no station yet
  model.StationEdited("HB3KLM/P");
  EXPECT_EQ(model.FieldEntered(F::RstSent), (PaperEntry{false, F::RstSent, PaperCaret::SelectAll}));
  EXPECT_EQ(model.FieldEntered(F::TextSent), (PaperEntry{true, F::RstRcvd}));
  EXPECT_EQ(model.Line().textSent, "ABENDROT AM SAENTIS");
  EXPECT_EQ(PaperLogModel::FocusAfter(PaperSaveOutcome::StationTooShort), F::Station);
}

// An import that records nothing leaves the line being typed; one that does has the window open
// the log anew (the window test shows that).
TEST_F(PaperLogTest, AdifImportWithoutQsosOfTheDayLeavesTheLine) {
  model.Open();
  model.StationEdited("HB9XYZ/P");
  const std::string adi = dir / "anderer Logger.adi";
  ASSERT_TRUE(WriteFileAtomic(
      adi,
      AdiRecord(
          {{"CALL", "DL1ABC"}, {"QSO_DATE", "20240720"}, {"TIME_ON", "0630"}, {"MODE", "CW"}})));
  const PaperImportOutcome outcome = model.ImportAdifLog(adi, {});
  EXPECT_EQ(outcome.summary, "0 QSOs importiert\n\nNicht importiert:\nanderer Tag: 1 (DL1ABC)");
  EXPECT_FALSE(outcome.logChanged);
  EXPECT_EQ(model.Line().station, "HB9XYZ/P");
}

}  // namespace
