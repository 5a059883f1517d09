#include "live/dupe_check.h"

#include <gtest/gtest.h>

#include <ostream>

#include "contest/log_fixture.h"
#include "support/temp_folder.h"

namespace {

struct DupeCase {
  const char* name;
  std::string call;
  bool ktd;
  bool secondHalf;
  bool cw;
  DupeLabelState expected;
};

void PrintTo(const DupeCase& c, std::ostream* os) {
  *os << c.name;
}

class DupeCheckTest : public ::testing::TestWithParam<DupeCase> {
 protected:
  static void SetUpTestSuite() {
    dir_ = new TempFolder;
    TSQLiteDatabase db(File());
    test_log::CreateTables(db);
    // callsign, half, mode
    const std::vector<std::vector<std::string>> log = {
        {"HB9AAA/P", "0", "0"},                          // KTD, CW, first half
        {"HB9BBB/P", "1", "0"},                          // KTD, CW, second half
        {"HB9CCC/P", "0", "1"},                          // KTD, SSB, first half
        {"HB9DDD/P", "0", "0"}, {"HB9DDD/P", "1", "0"},  // KTD, CW, both halves
        {"DL1XYZ", "0", "0"},                            // other, CW
        {"HB9EEE", "1", "1"},                            // other, SSB
    };
    for (const auto& q : log) {
      test_log::InsertRow(db, {"0700", q[0], "", "", "", "", q[1], q[2], "0", "0", "1"});
    }
  }
  static void TearDownTestSuite() { delete dir_; }
  static std::string File() { return *dir_ / "ktd.sqlite"; }
  static TempFolder* dir_;
};

TempFolder* DupeCheckTest::dir_ = nullptr;

TEST_P(DupeCheckTest, ShowsWhatTheLabelMust) {
  const DupeCase& c = GetParam();
  EXPECT_EQ(CheckDupeOrRepeat(File(), c.call, c.ktd, c.secondHalf, c.cw), c.expected);
}

using S = DupeLabelState;

INSTANTIATE_TEST_SUITE_P(
    DupeCheckCases, DupeCheckTest,
    ::testing::Values(
        DupeCase{"KtdFirstHalfOnlyIsAgnInSecond", "HB9AAA/P", true, true, true, S::Agn},
        DupeCase{"KtdSecondHalfIsDupeInSecond", "HB9BBB/P", true, true, true, S::Dupe},
        DupeCase{"KtdBothHalvesIsDupeNotAgn", "HB9DDD/P", true, true, true, S::Dupe},
        DupeCase{"KtdOtherModeOnlyIsNothing", "HB9CCC/P", true, true, true, S::Hidden},
        DupeCase{"KtdSsbFirstHalfIsAgnInSsb", "HB9CCC/P", true, true, false, S::Agn},
        DupeCase{"KtdFirstHalfIsDupeInFirst", "HB9AAA/P", true, false, true, S::Dupe},
        DupeCase{"KtdOnlyInSecondIsNothingInFirst", "HB9BBB/P", true, false, true, S::Hidden},
        DupeCase{"KtdNotWorked", "HB9ZZZ/P", true, true, true, S::Hidden},
        DupeCase{"OtherSameModeIsDupeInFirst", "DL1XYZ", false, false, true, S::Dupe},
        DupeCase{"OtherSameModeIsDupeInSecond", "DL1XYZ", false, true, true, S::Dupe},
        DupeCase{"OtherOtherModeKeepsLabel", "DL1XYZ", false, true, false, S::Unchanged},
        DupeCase{"OtherAcrossHalves", "HB9EEE", false, false, false, S::Dupe},
        DupeCase{"OtherNotWorked", "F5XYZ", false, false, true, S::Unchanged},
        DupeCase{"CallsignComparedExactly", "HB9AAA", false, false, true, S::Unchanged},
        DupeCase{"QuotesAreOnlyBound", "DL1XYZ' OR '1'='1", false, false, true, S::Unchanged},
        DupeCase{"NulIsOnlyBound", std::string("DL1XYZ\0X", 8), false, false, true, S::Unchanged}),
    [](const ::testing::TestParamInfo<DupeCase>& info) { return std::string(info.param.name); });

}  // namespace

namespace {

// The warning label's words and colours (Windows values 0xBBGGRR): "DUPE" on red, "AGN" on green.
TEST(DupeLabelLook, WordsAndColoursOfTheTwoWarnings) {
  EXPECT_STREQ(DupeLabelCaption(DupeLabelState::Dupe), "DUPE");
  EXPECT_EQ(DupeLabelColour(DupeLabelState::Dupe), 0x0000FFu);
  EXPECT_STREQ(DupeLabelCaption(DupeLabelState::Agn), "AGN");
  EXPECT_EQ(DupeLabelColour(DupeLabelState::Agn), 0x008000u);
  EXPECT_STREQ(DupeLabelCaption(DupeLabelState::Hidden), "");
}

}  // namespace
