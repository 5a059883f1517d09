#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/app_context.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

struct CallsignCase {
  const char* entered;
  const char* own;  // nullptr: the program ends
  const char* base;
};

void PrintTo(const CallsignCase& c, std::ostream* os) {
  *os << '"' << c.entered << '"';
}

class OwnCallsignRules : public testing::TestWithParam<CallsignCase> {};

TEST_P(OwnCallsignRules, TrimsUpperCasesAndAppendsPortableOnce) {
  const CallsignCase& c = GetParam();
  const std::optional<OwnCallsign> callsign = MakeOwnCallsign(c.entered);
  if (c.own == nullptr) {
    EXPECT_FALSE(callsign.has_value()) << c.entered;
    return;
  }
  ASSERT_TRUE(callsign.has_value()) << c.entered;
  EXPECT_EQ(callsign->own, c.own);
  EXPECT_EQ(callsign->base, c.base);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, OwnCallsignRules,
    testing::Values(CallsignCase{"hb9abc", "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"HB9ABC/P", "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"\t hb9abc/p \r", "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"hb9/dl1abc", "HB9/DL1ABC/P", "HB9/DL1ABC"},
                    CallsignCase{"ab/p", "AB/P", "AB"},  // four characters are enough
                    CallsignCase{"hb9", nullptr, nullptr},
                    CallsignCase{"  hb9  ", nullptr, nullptr}, CallsignCase{"/P", nullptr, nullptr},
                    CallsignCase{"", nullptr, nullptr}));

TEST(OwnCallsignFile, FirstLineIsTakenWhenLongEnough) {
  TempFolder dir;
  const std::string file = dir / "Rufzeichen.dat";
  EXPECT_EQ(CallsignFromFile(file), "");  // missing

  const std::pair<std::string, std::string> cases[] = {
      {"hb9xyz/p\r\nHB9OLD/P\r\n", "HB9XYZ/P"},
      {"  he9abc \n", "HE9ABC"},
      {"HB9\r\nHB9ABC/P\r\n", ""},  // only the first line counts
      {"\r\n", ""},
      {"", ""}};
  for (const auto& [content, expected] : cases) {
    ASSERT_TRUE(WriteFileAtomic(file, content));
    EXPECT_EQ(CallsignFromFile(file), expected) << content;
  }
}

class StartupFolder : public testing::Test {
 protected:
  void PutPrefixDatabase() {
    ASSERT_TRUE(MakeFolder(dir / "db"));
    WriteSmallDxccDb(dir / "db/dxcc.sqlite", SwissAndNeighbourPrefixes());
  }
  StartupOutcome Settle(int year, std::vector<std::optional<std::string>> answers) {
    return SettleFilesAndCallsign(ctx, dir.path(), year, [&]() -> std::optional<std::string> {
      ++questions;
      if (answers.empty()) return std::nullopt;
      std::optional<std::string> next = answers.front();
      answers.erase(answers.begin());
      return next;
    });
  }

  TempFolder dir;
  AppContext ctx;
  int questions = 0;
};

TEST_F(StartupFolder, WithoutPrefixDatabaseOnlyTheFoldersAreMade) {
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::NoPrefixDatabase);
  EXPECT_EQ(questions, 0);
  for (const char* folder : {"db", "data", "data/2025"}) {
    EXPECT_TRUE(std::filesystem::is_directory(dir / folder)) << folder;
  }
  EXPECT_FALSE(FileExists(dir / "db/Rufzeichen.dat"));
  EXPECT_FALSE(FileExists(dir / "db/ktd.sqlite"));
}

TEST_F(StartupFolder, CallsignIsAskedOnceWrittenAndNamesTheOutputs) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  EXPECT_EQ(questions, 1);
  EXPECT_EQ(ReadLines(dir / "db/Rufzeichen.dat"), std::vector<std::string>{"HB9ABC/P"});
  EXPECT_EQ(ctx.outputStem, dir / "data/2025/HB9ABC_P 2025");
  EXPECT_EQ(ctx.stationListFile, dir / "data/KTD-Stationen 2025.csv");

  // The next start (a new year) reads the file and uses the new year's names.
  AppContext next;
  questions = 0;
  ASSERT_EQ(SettleFilesAndCallsign(next, dir.path(), 2026,
                                   [&]() -> std::optional<std::string> {
                                     ++questions;
                                     return std::nullopt;
                                   }),
            StartupOutcome::Ready);
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(next.ownCallsign, "HB9ABC/P");
  EXPECT_EQ(next.textCollectionFile, dir / "data/Textsammlung 2026.csv");
  EXPECT_EQ(next.outputStem, dir / "data/2026/HB9ABC_P 2026");
}

TEST_F(StartupFolder, CancelAndShortCallsignEndWithoutWritingTheFile) {
  PutPrefixDatabase();
  EXPECT_EQ(Settle(2025, {std::nullopt}), StartupOutcome::CallsignCancelled);
  EXPECT_EQ(Settle(2025, {"hb9"}), StartupOutcome::CallsignTooShort);
  EXPECT_FALSE(FileExists(dir / "db/Rufzeichen.dat"));
}

TEST_F(StartupFolder, DatabasesArePreparedAndSuggestionsAreOptional) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  ctx.textLines = {"left over"};
  PrepareLogAndPrefixData(ctx);
  EXPECT_TRUE(ctx.textLines.empty());
  ASSERT_NE(ctx.prefixDb, nullptr);
  EXPECT_EQ(QueryText(*ctx.prefixDb, "SELECT dxcc FROM pref3 WHERE pref = 'HB0'"), "HB0");
  {
    TSQLiteDatabase log(ctx.logDbFile);
    EXPECT_EQ(QueryText(log, "SELECT count(*) FROM ktd"), "0");
    EXPECT_EQ(QueryText(log, "SELECT wpm FROM ini"), "19");
  }

  EXPECT_FALSE(LoadSuggestionsWhenPresent(ctx));
  EXPECT_EQ(ctx.suggestionDb, nullptr);
  {
    TSQLiteDatabase texte(ctx.texteDbFile);
    texte.ExecSQL("CREATE TABLE qtcs (qtc TEXT)");
    texte.ExecSQL("INSERT INTO qtcs VALUES ('Gipfel am Morgen')");
  }
  EXPECT_TRUE(LoadSuggestionsWhenPresent(ctx));
  ASSERT_NE(ctx.suggestionDb, nullptr);
  EXPECT_EQ(QueryText(*ctx.suggestionDb, "SELECT qtc FROM qtcs"), "Gipfel am Morgen");
}

}  // namespace
