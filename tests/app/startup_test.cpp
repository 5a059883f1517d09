#include "app/startup.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/app_context.h"
#include "app/instance_lock.h"
#include "common/file_failures.h"
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
  ctx.instanceLock.reset();  // the first program has ended
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

// Every file below the folder with its content, so "nothing touched" can be compared.
std::vector<std::string> FolderContents(const std::string& folder) {
  std::vector<std::string> entries;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    std::string line = entry.path().string().substr(folder.size());
    std::string content;
    if (entry.is_regular_file() && ReadWholeFile(entry.path(), content)) line += " = " + content;
    entries.push_back(line);
  }
  std::sort(entries.begin(), entries.end());
  return entries;
}

TEST_F(StartupFolder, ASecondStartInTheSameFolderIsRefusedAndTouchesNothing) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  // The running program is in the middle of a write.
  ASSERT_TRUE(WriteFileAtomic(dir / "data/KTD-Stationen 2025.csv.tmpQ7x9Zk", "HB9AA/P"));
  ASSERT_TRUE(WriteFileAtomic(dir / "db/Rufzeichen.dat", "HB9ABC/P\r\n"));
  const std::vector<std::string> before = FolderContents(dir.path());

  AppContext second;
  const StartupOutcome outcome = SettleFilesAndCallsign(second, dir.path(), 2026, [&] {
    ++questions;
    return std::optional<std::string>("hb9zzz");
  });
  EXPECT_EQ(outcome, StartupOutcome::AlreadyRunning);
  EXPECT_EQ(questions, 1) << "only the first start asked";
  EXPECT_EQ(FolderContents(dir.path()), before);
  EXPECT_EQ(AlreadyRunningMessage(second),
            "VORLAX_KTD_Log l\xE4uft bereits in diesem Ordner:\r" + dir.path() +
                "\r\rDas Programm kann pro Ordner nur einmal laufen; dieser zweite Start wird "
                "beendet.");

  // Once the first has ended, the folder is free again.
  ctx.instanceLock.reset();
  EXPECT_EQ(SettleFilesAndCallsign(second, dir.path(), 2025, [] { return std::nullopt; }),
            StartupOutcome::Ready);
}

TEST_F(StartupFolder, TheLockOfAKilledProgramIsTakenOver) {
  PutPrefixDatabase();
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    InstanceLock lock(dir / (std::string("db/") + kInstanceLockFileName));
    const char state = lock.state() == InstanceLock::State::Held ? 'H' : 'F';
    (void)!write(ready[1], &state, 1);
    alarm(30);  // never outlives a failed test for long
    for (;;) pause();
  }
  char state = 0;
  ASSERT_EQ(read(ready[0], &state, 1), 1);
  ASSERT_EQ(state, 'H');
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::AlreadyRunning);
  kill(child, SIGKILL);
  waitpid(child, nullptr, 0);
  close(ready[0]);
  close(ready[1]);
  EXPECT_TRUE(FileExists(dir / (std::string("db/") + kInstanceLockFileName)))
      << "the dead program's file stays";
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
}

TEST_F(StartupFolder, ALockFileThatCannotBeMadeEndsWithItsReason) {
  ASSERT_TRUE(MakeFolder(dir / "db"));
  ASSERT_TRUE(
      MakeFolder(dir / (std::string("db/") + kInstanceLockFileName)));  // a folder in its way
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::LockFailed);
  EXPECT_EQ(questions, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "data"));
  EXPECT_EQ(LockFailedMessage(ctx),
            "VORLAX_KTD_Log kann in diesem Ordner nicht arbeiten. Die Datei\r" + dir.path() +
                "db/" + kInstanceLockFileName +
                "\rkann nicht angelegt werden: " + std::strerror(EISDIR));
}

TEST_F(StartupFolder, AnOwnCallsignFileThatCannotBeWrittenIsReportedAndStartGoesOn) {
  PutPrefixDatabase();
  ASSERT_TRUE(MakeFolder(dir / "db/Rufzeichen.dat"));  // a folder in its way
  FileFailures failures;
  EXPECT_EQ(
      SettleFilesAndCallsign(
          ctx, dir.path(), 2025, [] { return std::optional<std::string>("hb9abc"); }, &failures),
      StartupOutcome::Ready);
  ASSERT_EQ(failures.List().size(), 1u);
  EXPECT_EQ(failures.List()[0].path, dir / "db/Rufzeichen.dat");
  EXPECT_EQ(failures.List()[0].reason, std::strerror(EISDIR));
}

TEST_F(StartupFolder, InterruptedWritesAreRemovedAndEverythingElseStays) {
  PutPrefixDatabase();
  ASSERT_TRUE(MakeFolder(dir / "data"));
  ASSERT_TRUE(MakeFolder(dir / "data/2025"));
  const std::vector<std::string> leftovers = {"db/Rufzeichen.dat.tmp0aZ9xY",
                                              "data/Textsammlung 2025.csv.tmpABCDEF",
                                              "data/2025/HB9ABC_P 2025.adi.tmpq1w2e3"};
  const std::vector<std::string> kept = {
      "db/ktd.sqlite-journal", "data/notes.tmp",  "data/x.tmpABCDE",           "data/x.tmpABCDEFG",
      "data/x.tmpAB_DEF",      "data/.tmpABCDEF", "data/2024.tmpABCDEF/inside"};
  ASSERT_TRUE(MakeFolder(dir / "data/2024.tmpABCDEF"));
  for (const auto& name : leftovers) ASSERT_TRUE(WriteFileAtomic(dir / name, "partial"));
  for (const auto& name : kept) ASSERT_TRUE(WriteFileAtomic(dir / name, "keep"));

  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  for (const auto& name : leftovers) EXPECT_FALSE(FileExists(dir / name)) << name;
  for (const auto& name : kept) EXPECT_TRUE(FileExists(dir / name)) << name;
}

}  // namespace
