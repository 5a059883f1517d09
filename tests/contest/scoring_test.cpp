#include "contest/scoring.h"

#include <gtest/gtest.h>

#include <ostream>

#include "contest/log_fixture.h"
#include "contest/score_values.h"
#include "support/temp_folder.h"

namespace {

// One logged QSO for the score: callsign, half, mode and its class ('K', 'H' or 'E').
struct LoggedQso {
  std::string call;
  std::string half;
  std::string mode;
  char kind;
};

std::vector<std::string> RowOf(const LoggedQso& q) {
  return {"1000",
          q.call,
          q.mode == "0" ? "599" : "59",
          q.kind == 'K' ? "SOME EXCHANGE TEXT" : "",
          q.mode == "0" ? "599" : "59",
          "",
          q.half,
          q.mode,
          q.kind == 'K' ? "1" : "0",
          q.kind == 'H' ? "1" : "0",
          q.kind == 'E' ? "1" : "0"};
}

struct ScoreCase {
  const char* name;
  std::vector<LoggedQso> log;
  ScoreValues expected;
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
  *os << c.name;
}

ScoreValues Values(std::int32_t cwQsos, std::int32_t ssbQsos, std::int32_t ktdCw,
                   std::int32_t ktdSsb, std::int32_t hbCw, std::int32_t hbSsb, std::int32_t euCw,
                   std::int32_t euSsb, std::int32_t cwPoints, std::int32_t ssbPoints,
                   std::int32_t total) {
  return {cwQsos, ssbQsos, ktdCw, ktdSsb, hbCw, hbSsb, euCw, euSsb, cwPoints, ssbPoints, total};
}

void ExpectScore(const ScoreValues& got, const ScoreValues& want) {
  EXPECT_EQ(got.cwQsos, want.cwQsos);
  EXPECT_EQ(got.ssbQsos, want.ssbQsos);
  EXPECT_EQ(got.ktdCw, want.ktdCw);
  EXPECT_EQ(got.ktdSsb, want.ktdSsb);
  EXPECT_EQ(got.hbCw, want.hbCw);
  EXPECT_EQ(got.hbSsb, want.hbSsb);
  EXPECT_EQ(got.euCw, want.euCw);
  EXPECT_EQ(got.euSsb, want.euSsb);
  EXPECT_EQ(got.cwPoints, want.cwPoints);
  EXPECT_EQ(got.ssbPoints, want.ssbPoints);
  EXPECT_EQ(got.totalPoints, want.totalPoints);
}

class ScoringTest : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(ScoringTest, CountsEachStationOncePerModeAndKtdOncePerHalf) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  {
    TSQLiteDatabase db(file);
    test_log::CreateTables(db);
    for (const auto& q : GetParam().log) test_log::InsertRow(db, RowOf(q));
  }
  // Stale values from an earlier computation must all be replaced.
  ScoreValues score = Values(9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9);
  ComputeScore(file, score);
  ExpectScore(score, GetParam().expected);
  EXPECT_EQ(QsoCountText(file), std::to_string(GetParam().log.size()));
}

INSTANTIATE_TEST_SUITE_P(
    ScoringLogs, ScoringTest,
    ::testing::Values(ScoreCase{"EmptyLog", {}, Values(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0)},
                      ScoreCase{"KtdInBothHalves",
                                {{"HB9AAA/P", "0", "0", 'K'}, {"HB9AAA/P", "1", "0", 'K'}},
                                Values(2, 0, 2, 0, 0, 0, 0, 0, 8, 0, 8)},
                      ScoreCase{"KtdTwiceInOneHalf",
                                {{"HB9AAA/P", "0", "0", 'K'}, {"HB9AAA/P", "0", "0", 'K'}},
                                Values(2, 0, 1, 0, 0, 0, 0, 0, 4, 0, 4)},
                      ScoreCase{"SwissInBothHalves",
                                {{"HB9BBB", "0", "0", 'H'}, {"HB9BBB", "1", "0", 'H'}},
                                Values(2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 1)},
                      ScoreCase{"ForeignInBothModes",
                                {{"DL1XYZ", "0", "0", 'E'}, {"DL1XYZ", "0", "1", 'E'}},
                                Values(1, 1, 0, 0, 0, 0, 1, 1, 1, 1, 2)},
                      ScoreCase{"ThreeKtdSsbTwoSwissCw",
                                {{"HB9AAA/P", "1", "1", 'K'},
                                 {"HB9BBB/P", "1", "1", 'K'},
                                 {"HE3CCC/P", "1", "1", 'K'},
                                 {"HB9DDD", "0", "0", 'H'},
                                 {"HB9EEE", "1", "0", 'H'}},
                                Values(2, 3, 0, 3, 2, 0, 0, 0, 2, 12, 14)},
                      // Callsigns are compared exactly as stored.
                      ScoreCase{"WithAndWithoutPortableCountTwice",
                                {{"HB9AAA", "0", "0", 'H'}, {"HB9AAA/P", "0", "0", 'H'}},
                                Values(2, 0, 0, 0, 2, 0, 0, 0, 2, 0, 2)},
                      ScoreCase{"KtdInBothModesAndHalves",
                                {{"HB9AAA/P", "0", "0", 'K'},
                                 {"HB9AAA/P", "1", "0", 'K'},
                                 {"HB9AAA/P", "0", "1", 'K'},
                                 {"HB9AAA/P", "1", "1", 'K'},
                                 {"F5XYZ", "1", "1", 'E'}},
                                Values(2, 3, 2, 2, 0, 0, 0, 1, 8, 9, 17)}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return std::string(info.param.name); });

TEST(ScoringFailureTest, FailingQueryKeepsEarlierValuesNewAndLaterOnesOld) {
  TempFolder dir;
  const std::string file = dir / "ktd.sqlite";
  {
    // A log table without the column of the "other station" flag: the EU queries fail.
    TSQLiteDatabase db(file);
    db.ExecSQL(
        "CREATE TABLE ktd (utc TEXT, rufz TEXT, half TEXT, mode TEXT, ktdst TEXT, hbst TEXT)");
    db.ExecSQL("INSERT INTO ktd VALUES ('0700', 'HB9AAA/P', '0', '0', '1', '0')");
    db.ExecSQL("INSERT INTO ktd VALUES ('0700', 'HB9BBB', '0', '1', '0', '1')");
  }
  ScoreValues score = Values(7, 7, 7, 7, 7, 7, 7, 7, 7, 7, 7);
  try {
    ComputeScore(file, score);
    FAIL() << "no error";
  } catch (const ESQLiteException& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Error executing SQL.", 0), 0u) << e.what();
  }
  ExpectScore(score, Values(1, 1, 1, 0, 0, 1, 7, 7, 7, 7, 7));
}

TEST(ScoringFailureTest, MissingLogTableRaises) {
  TempFolder dir;
  ScoreValues score;
  EXPECT_THROW(ComputeScore(dir / "ktd.sqlite", score), ESQLiteException);
  EXPECT_THROW(QsoCountText(dir / "ktd.sqlite"), ESQLiteException);
}

}  // namespace
