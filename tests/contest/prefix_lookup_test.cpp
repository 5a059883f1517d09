#include "contest/prefix_lookup.h"

#include <gtest/gtest.h>

#include <ostream>

#include "contest/home_completion.h"
#include "contest/prefix_fixture.h"
#include "db/reference_data.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

// Switzerland "HB", Liechtenstein "HB0", and a made-up six-character prefix "HB9ZZZ" of entity "XX"
// that must win over "HB".
std::unique_ptr<TSQLiteDatabase> SwissPrefixes() {
  return test_prefix::MakePrefixDb({{"K", "K"},
                                    {"F", "F"},
                                    {"HB", "HB"},
                                    {"HE", "HB"},
                                    {"DL", "DL"},
                                    {"HB0", "HB0"},
                                    {"KH6", "KH6"},
                                    {"HB9ZZZ", "XX"}});
}

struct LookupCase {
  std::string call;
  std::string entity;
};

void PrintTo(const LookupCase& c, std::ostream* os) {
  *os << c.call;
}

class PrefixLookupTest : public ::testing::TestWithParam<LookupCase> {};

TEST_P(PrefixLookupTest, LongestPrefixWins) {
  auto db = SwissPrefixes();
  EXPECT_EQ(LookupPrefix(*db, GetParam().call), GetParam().entity) << GetParam().call;
}

INSTANTIATE_TEST_SUITE_P(
    Calls, PrefixLookupTest,
    ::testing::Values(LookupCase{"HB9XYZ/P", "HB"}, LookupCase{"HE3ABC", "HB"},
                      LookupCase{"HB0XYZ", "HB0"}, LookupCase{"HB9ZZZ/P", "XX"},
                      LookupCase{"HB9ZZ", "HB"}, LookupCase{"KH6ABC", "KH6"}, LookupCase{"K1", "K"},
                      LookupCase{"K1ABC", "K"}, LookupCase{"F5XYZ", "F"}, LookupCase{"Q1ABC", ""},
                      // No letter or digit followed by a digit: nothing is looked up.
                      LookupCase{"HBXYZ/P", ""}, LookupCase{"K", ""}, LookupCase{"", ""},
                      LookupCase{"HB/9", ""}));

TEST(PrefixLookupGateTest, CallsignsFailingTheGateRunNoQuery) {
  // Without prefix tables any query would throw.
  TSQLiteDatabase empty(":memory:");
  for (const std::string call : {"ABC", "K", "", "XYZ/P", "HB-9"}) {
    EXPECT_EQ(LookupPrefix(empty, call), "") << call;
  }
  EXPECT_THROW(LookupPrefix(empty, "K1"), ESQLiteException);
}

TEST(PrefixLookupGateTest, TwoCharacterCallUsesPref2BeforePref1) {
  auto db = test_prefix::MakePrefixDb({{"K", "K"}, {"K1", "K1X"}});
  EXPECT_EQ(LookupPrefix(*db, "K1"), "K1X");
  EXPECT_EQ(LookupPrefix(*db, "K2"), "K");
}

TEST(PrefixLookupGateTest, HostileTextIsOnlyBoundNeverRun) {
  auto db = SwissPrefixes();
  const std::string nul("HB9\0'", 5);
  for (const std::string& call : {std::string("HB9'; DROP TABLE pref2; --"), std::string("\"HB9\""),
                                  nul, std::string(300, '9')}) {
    LookupPrefix(*db, call);
    CompleteHomeCallsign(*db, call);
  }
  EXPECT_EQ(LookupPrefix(*db, "HB9'; DROP TABLE pref2; --"), "HB");
  EXPECT_EQ(LookupPrefix(*db, "DL1ABC"), "DL");
}

struct CompletionCase {
  std::string typed;
  std::string completed;
};

void PrintTo(const CompletionCase& c, std::ostream* os) {
  *os << c.typed;
}

class HomeCompletionTest : public ::testing::TestWithParam<CompletionCase> {};

TEST_P(HomeCompletionTest, PutsTheSwissPrefixInFront) {
  auto db = SwissPrefixes();
  EXPECT_EQ(CompleteHomeCallsign(*db, GetParam().typed), GetParam().completed);
}

INSTANTIATE_TEST_SUITE_P(
    Suffixes, HomeCompletionTest,
    ::testing::Values(CompletionCase{"9XYZ/P", "HB9XYZ/P"}, CompletionCase{"0XYZ", "HB0XYZ"},
                      CompletionCase{"XYZ/P", "HB9XYZ/P"}, CompletionCase{"3ABC", "HB3ABC"},
                      // HB9ZZZ belongs to another entity here, so the text stays as typed.
                      CompletionCase{"ZZZ", "ZZZ"}));

TEST(HomeCompletionEntityTest, OnlyTheSwissAndLiechtensteinKeysComplete) {
  // Without "HB" / "HB0" entity keys nothing completes.
  auto db = test_prefix::MakePrefixDb({{"HB", "SWITZERLAND"}, {"HB0", "LIECHTENSTEIN"}});
  for (const std::string typed : {"9XYZ/P", "0XYZ", "XYZ/P"}) {
    EXPECT_EQ(CompleteHomeCallsign(*db, typed), typed);
  }
}

}  // namespace

namespace {

// The same completions through the start-up path: a dxcc.sqlite file copied into memory.
TEST(HomeCompletionLoadedTest, WorksOnTheLoadedPrefixDatabase) {
  TempFolder dir;
  WriteSmallDxccDb(dir / "dxcc.sqlite", SwissAndNeighbourPrefixes());
  auto db = LoadPrefixDatabase(dir / "dxcc.sqlite");
  EXPECT_EQ(CompleteHomeCallsign(*db, "9XYZ/P"), "HB9XYZ/P");
  EXPECT_EQ(CompleteHomeCallsign(*db, "0XYZ"), "HB0XYZ");
  EXPECT_EQ(CompleteHomeCallsign(*db, "XYZ/P"), "HB9XYZ/P");
  EXPECT_EQ(LookupPrefix(*db, "HE0ABC"), "HB0");
  EXPECT_EQ(LookupPrefix(*db, "4U1ITU"), "4U1I");
  EXPECT_EQ(LookupPrefix(*db, "W1AW"), "K");
}

}  // namespace
