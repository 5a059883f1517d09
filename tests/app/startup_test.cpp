#include "app/startup.h"

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <functional>

#include "common/clock.h"
#include "common/file_failures.h"
#include "common/text_file.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "services/instance_lock.h"
#include "support/ordinary_user.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

struct CallsignCase {
  const char* entered;
  CallsignVerdict verdict;
  const char* own = nullptr;  // when accepted
  const char* base = nullptr;
};

void PrintTo(const CallsignCase& c, std::ostream* os) {
  *os << '"' << c.entered << '"';
}

class OwnCallsignRules : public testing::TestWithParam<CallsignCase> {};

TEST_P(OwnCallsignRules, OnlyCallsignCharactersAreAcceptedTrimmedUpperCasedWithPortableOnce) {
  const CallsignCase& c = GetParam();
  const OwnCallsignCheck check = CheckOwnCallsign(c.entered);
  ASSERT_EQ(check.verdict, c.verdict) << c.entered;
  // Only refusals the dialog asks again for have a reason to show.
  const bool asksAgain =
      c.verdict != CallsignVerdict::Accepted && c.verdict != CallsignVerdict::TooShort;
  EXPECT_EQ(CallsignRefusal(check.verdict).empty(), !asksAgain);
  if (c.verdict != CallsignVerdict::Accepted) return;
  EXPECT_EQ(check.callsign.own, c.own);
  EXPECT_EQ(check.callsign.base, c.base);
}

constexpr CallsignVerdict kAccepted = CallsignVerdict::Accepted;
constexpr CallsignVerdict kTooShort = CallsignVerdict::TooShort;
constexpr CallsignVerdict kCharacter = CallsignVerdict::NotAllowedCharacter;
constexpr CallsignVerdict kSlash = CallsignVerdict::MisplacedSlash;
constexpr CallsignVerdict kTooLong = CallsignVerdict::TooLong;

INSTANTIATE_TEST_SUITE_P(
    Entries, OwnCallsignRules,
    testing::Values(CallsignCase{"hb9abc", kAccepted, "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"HB9ABC/P", kAccepted, "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"\t hb9abc/p \r", kAccepted, "HB9ABC/P", "HB9ABC"},
                    CallsignCase{"hb9/dl1abc", kAccepted, "HB9/DL1ABC/P", "HB9/DL1ABC"},
                    CallsignCase{"ab/p", kAccepted, "AB/P", "AB"},  // four characters are enough
                    CallsignCase{"hb9", kTooShort}, CallsignCase{"  hb9  ", kTooShort},
                    CallsignCase{"/P", kTooShort}, CallsignCase{"", kTooShort},
                    CallsignCase{"a.b", kTooShort},  // too short comes first: the program ends
                    CallsignCase{"../../EVIL", kCharacter}, CallsignCase{"hb9 abc", kCharacter},
                    CallsignCase{"hb9\x01"
                                 "abc",
                                 kCharacter},
                    CallsignCase{"HB9\xC4X", kCharacter}, CallsignCase{"hb9abc\\p", kCharacter},
                    CallsignCase{"/hb9abc", kSlash}, CallsignCase{"hb9abc/", kSlash},
                    CallsignCase{"hb9abc//p", kSlash},
                    CallsignCase{"abcdefghijklmno/p", kAccepted, "ABCDEFGHIJKLMNO/P",
                                 "ABCDEFGHIJKLMNO"},
                    CallsignCase{"ABCDEFGHIJKLMNOP", kTooLong},
                    CallsignCase{"ABCDEFGHIJKLMNOP/P", kTooLong}));

TEST(OwnCallsignFile, FirstLineIsTakenWhenItIsAnAcceptableCallsign) {
  TempFolder dir;
  const std::string file = dir / "Rufzeichen.dat";
  EXPECT_EQ(CallsignFromFile(file), "");  // missing

  const std::pair<std::string, std::string> cases[] = {
      {"hb9xyz/p\r\nHB9OLD/P\r\n", "HB9XYZ/P"},
      {"  he9abc \n", "HE9ABC"},
      {"HB9/DL1ABC/P\r\n", "HB9/DL1ABC/P"},
      {"HB9\r\nHB9ABC/P\r\n", ""},  // only the first line counts
      {"\r\n", ""},
      {"", ""},
      {"../../EVIL\r\n", ""},
      {std::string("HB9\0\x1B"
                   "ABC\r\n",
                   10),
       ""},
      {std::string(10000, 'A') + "\r\n", ""}};
  for (const auto& [content, expected] : cases) {
    ASSERT_TRUE(WriteFileAtomic(file, content));
    EXPECT_EQ(CallsignFromFile(file), expected) << content.substr(0, 40);
  }
}

// A copy of the program in another process holding the lock of `folder` until it is killed.
class LockingProcess {
 public:
  explicit LockingProcess(const std::string& folder) {
    int ready[2];
    if (pipe(ready) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      InstanceLock lock(folder);
      const char state = lock.state() == InstanceLock::State::Held ? 'H' : 'F';
      (void)!write(ready[1], &state, 1);
      alarm(30);  // never outlives a failed test for long
      for (;;) pause();
    }
    char state = 0;
    holds_ = pid_ > 0 && read(ready[0], &state, 1) == 1 && state == 'H';
    close(ready[0]);
    close(ready[1]);
  }
  ~LockingProcess() { Kill(); }
  bool Holds() const { return holds_; }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

 private:
  pid_t pid_ = -1;
  bool holds_ = false;
};

// Every entry below the folder with its content, so "nothing touched" can be compared.
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

std::string FileContent(const std::string& path) {
  std::string content;
  ReadWholeFile(path, content);
  return content;
}

constexpr const char* kPrompt = "Das eigene Rufzeichen eingeben:";

class StartupFolder : public testing::Test {
 protected:
  void PutPrefixDatabase() {
    ASSERT_TRUE(MakeFolder(dir / "db"));
    WriteSmallDxccDb(dir / "db/dxcc.sqlite", SwissAndNeighbourPrefixes());
  }
  // The start-up in `folder` (the test's folder when empty), the dialog answered from `answers`
  // (cancelled when they run out); every question is kept in `asked`.
  StartupOutcome Settle(int year, std::vector<std::optional<std::string>> answers,
                        const std::string& shared = {}, std::string folder = {}) {
    if (folder.empty()) folder = dir.path();
    return SettleFilesAndCallsign(
        ctx, folder, year,
        [this, answers](const CallsignQuestion& question) mutable -> std::optional<std::string> {
          asked.push_back(question);
          if (answers.empty()) return std::nullopt;
          std::optional<std::string> next = answers.front();
          answers.erase(answers.begin());
          return next;
        },
        &failures, shared);
  }
  static AskCallsign Never() {
    return [](const CallsignQuestion&) { return std::optional<std::string>(); };
  }

  TempFolder dir;
  FixedClock clock;
  AppContext ctx{clock};
  FileFailures failures;
  std::vector<CallsignQuestion> asked;
};

TEST_F(StartupFolder, AFolderNeverPreparedIsLeftAsItIsAndTheMessageSaysHowToPrepareOne) {
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::NotPrepared);
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(FolderContents(dir.path()).empty());
  const std::string message = StartupMessage(StartupOutcome::NotPrepared, ctx, failures);
  EXPECT_NE(message.find("nicht f\xFCr VORLAX_KTD_Log vorbereitet:\r" + dir.path() + "\r"),
            std::string::npos)
      << message;
  EXPECT_NE(message.find("vorlax-ktd-log-start [ORDNER]"), std::string::npos) << message;
}

TEST_F(StartupFolder, CallsignIsAskedOnceWrittenAndNamesTheOutputs) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  EXPECT_EQ(asked.size(), 1u);
  EXPECT_EQ(ReadLines(dir / "db/Rufzeichen.dat"), std::vector<std::string>{"HB9ABC/P"});
  EXPECT_EQ(ctx.outputStem, dir / "data/2025/HB9ABC_P 2025");
  EXPECT_EQ(ctx.stationListFile, dir / "data/KTD-Stationen 2025.csv");
  for (const char* folder : {"data", "data/2025"})
    EXPECT_TRUE(std::filesystem::is_directory(dir / folder)) << folder;

  // The next start (a new year) reads the file and uses the new year's names.
  ctx.instanceLock.reset();  // the first program has ended
  AppContext next{clock};
  ASSERT_EQ(SettleFilesAndCallsign(next, dir.path(), 2026, Never()), StartupOutcome::Ready);
  EXPECT_EQ(next.ownCallsign, "HB9ABC/P");
  EXPECT_EQ(next.textCollectionFile, dir / "data/Textsammlung 2026.csv");
  EXPECT_EQ(next.outputStem, dir / "data/2026/HB9ABC_P 2026");
}

TEST_F(StartupFolder, RefusedCallsignsAreAskedForAgainWithTheReasonAndTheEntry) {
  PutPrefixDatabase();
  ASSERT_TRUE(WriteFileAtomic(dir / "db/Rufzeichen.dat", "../../EVIL\r\n"));
  ASSERT_EQ(Settle(2025, {"hb9/dl1 abc", "hb9//dl1abc", "hb9/dl1abc"}), StartupOutcome::Ready);
  ASSERT_EQ(asked.size(), 3u);
  EXPECT_EQ(asked[0].prompt, kPrompt);  // the file's line is not the operator's entry
  EXPECT_EQ(asked[0].initial, "");
  EXPECT_EQ(asked[1].prompt,
            CallsignRefusal(CallsignVerdict::NotAllowedCharacter) + "\n\n" + kPrompt);
  EXPECT_EQ(asked[1].initial, "hb9/dl1 abc");
  EXPECT_EQ(asked[2].prompt, CallsignRefusal(CallsignVerdict::MisplacedSlash) + "\n\n" + kPrompt);
  EXPECT_EQ(ctx.ownCallsign, "HB9/DL1ABC/P");
  EXPECT_EQ(ReadLines(dir / "db/Rufzeichen.dat"), std::vector<std::string>{"HB9/DL1ABC/P"});
  EXPECT_EQ(ctx.outputStem, dir / "data/2025/HB9_DL1ABC_P 2025");
}

TEST_F(StartupFolder, CancelAndShortCallsignEndWithoutWritingTheFile) {
  PutPrefixDatabase();
  EXPECT_EQ(Settle(2025, {std::nullopt}), StartupOutcome::CallsignCancelled);
  EXPECT_EQ(Settle(2025, {"hb9"}), StartupOutcome::CallsignTooShort);
  EXPECT_EQ(Settle(2025, {"hb9 abc", std::nullopt}), StartupOutcome::CallsignCancelled);
  EXPECT_EQ(Settle(2025, {"hb9abcdefghijklmn", "hb9"}), StartupOutcome::CallsignTooShort);
  EXPECT_FALSE(FileExists(dir / "db/Rufzeichen.dat"));
  for (StartupOutcome silent :
       {StartupOutcome::CallsignCancelled, StartupOutcome::CallsignTooShort})
    EXPECT_EQ(StartupMessage(silent, ctx, failures), "");
}

TEST_F(StartupFolder, DatabasesArePreparedAndSuggestionsAreOptional) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  PrepareLogAndPrefixData(ctx);
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

TEST_F(StartupFolder, ASecondStartInTheSameFolderIsRefusedAndTouchesNothing) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  // The running program is in the middle of a write.
  ASSERT_TRUE(WriteFileAtomic(dir / "data/KTD-Stationen 2025.csv.tmpQ7x9Zk", "HB9AA/P"));
  ASSERT_TRUE(WriteFileAtomic(dir / "db/Rufzeichen.dat", "HB9ABC/P\r\n"));
  const std::vector<std::string> before = FolderContents(dir.path());

  AppContext second{clock};
  const StartupOutcome outcome = SettleFilesAndCallsign(second, dir.path(), 2026, Never());
  EXPECT_EQ(outcome, StartupOutcome::AlreadyRunning);
  EXPECT_EQ(FolderContents(dir.path()), before);
  EXPECT_EQ(StartupMessage(outcome, second, failures),
            "VORLAX_KTD_Log l\xE4uft bereits in diesem Ordner:\r" + dir.path() +
                "\r\rDas Programm kann pro Ordner nur einmal laufen; dieser zweite Start wird "
                "beendet.");

  // Once the first has ended, the folder is free again.
  ctx.instanceLock.reset();
  EXPECT_EQ(SettleFilesAndCallsign(second, dir.path(), 2025, Never()), StartupOutcome::Ready);
}

TEST_F(StartupFolder, TidyingUpTheProgramsFoldersDoesNotLetASecondStartIn) {
  PutPrefixDatabase();
  ASSERT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
  for (const auto& entry : std::filesystem::directory_iterator(dir.path()))
    std::filesystem::remove_all(entry.path());
  PutPrefixDatabase();

  AppContext second{clock};
  EXPECT_EQ(SettleFilesAndCallsign(second, dir.path(), 2025, Never()),
            StartupOutcome::AlreadyRunning);
}

TEST_F(StartupFolder, TheLockOfAKilledProgramIsTakenOver) {
  PutPrefixDatabase();
  LockingProcess other(dir.path());
  ASSERT_TRUE(other.Holds());
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::AlreadyRunning);
  other.Kill();
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
}

TEST_F(StartupFolder, AFolderThatCannotBeOpenedEndsWithItsReason) {
  const std::string missing = dir / "missing/";
  EXPECT_EQ(Settle(2025, {"hb9abc"}, {}, missing), StartupOutcome::LockFailed);
  EXPECT_TRUE(asked.empty());
  EXPECT_TRUE(FolderContents(dir.path()).empty());
  EXPECT_EQ(StartupMessage(StartupOutcome::LockFailed, ctx, failures),
            "VORLAX_KTD_Log kann in diesem Ordner nicht arbeiten:\r" + missing +
                "\r\rDer Ordner kann nicht ge\xF6"
                "ffnet und gesperrt werden: " +
                std::strerror(ENOENT));
}

TEST_F(StartupFolder, AnOwnCallsignFileThatCannotBeWrittenIsReportedAndStartGoesOn) {
  PutPrefixDatabase();
  ASSERT_TRUE(MakeFolder(dir / "db/Rufzeichen.dat"));  // a folder in its way
  EXPECT_EQ(Settle(2025, {"hb9abc"}), StartupOutcome::Ready);
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

// The program's shared files: the prefix database and two samples.
class PreparedFromSharedFiles : public StartupFolder {
 protected:
  void SetUp() override {
    ASSERT_TRUE(MakeFolder(shared / "db"));
    ASSERT_TRUE(MakeFolder(shared / "data"));
    // Made elsewhere: SQLite leaves a journal file beside the database it wrote.
    TempFolder scratch;
    WriteSmallDxccDb(scratch / "dxcc.sqlite", SwissAndNeighbourPrefixes());
    std::filesystem::copy_file(scratch / "dxcc.sqlite", shared / "db/dxcc.sqlite");
    ASSERT_TRUE(WriteFileAtomic(shared / "data/Muster Stationen.csv", "HB9AA,Anna\r\n"));
    ASSERT_TRUE(WriteFileAtomic(shared / "data/Muster Texte.txt", "Gipfel am Morgen\r\n"));
  }
  void ExpectCopied(const std::string& folder, const char* name) {
    EXPECT_EQ(FileContent(folder + name), FileContent(shared / name)) << name;
  }

  TempFolder shared;
  const char* files[3] = {"db/dxcc.sqlite", "data/Muster Stationen.csv", "data/Muster Texte.txt"};
};

TEST_F(PreparedFromSharedFiles, ANewFolderIsMadeAndGetsWhatIsMissingWhileTheOperatorsFilesStay) {
  const std::string work = dir / "Mein KTD/2025/";
  ASSERT_EQ(Settle(2025, {"hb9abc"}, shared.path(), work), StartupOutcome::Ready);
  for (const char* name : files) ExpectCopied(work, name);
  const std::vector<std::string> prepared = FolderContents(work);

  // The operator's own sample stays, a deleted prefix database comes back.
  ASSERT_TRUE(WriteFileAtomic(work + "data/Muster Stationen.csv", "eigene Liste\r\n"));
  ASSERT_TRUE(DeleteFileIfExists(work + "db/dxcc.sqlite"));
  ctx.instanceLock.reset();
  ASSERT_EQ(Settle(2025, {}, shared.path(), work), StartupOutcome::Ready);
  ExpectCopied(work, "db/dxcc.sqlite");
  EXPECT_EQ(FileContent(work + "data/Muster Stationen.csv"), "eigene Liste\r\n");
  EXPECT_EQ(FolderContents(work).size(), prepared.size()) << "no temporary file is left";
  EXPECT_TRUE(failures.Empty());
}

TEST_F(PreparedFromSharedFiles, AFolderClaimedByAnotherStartIsNotPrepared) {
  // Two launchers on one new folder: both make it, one claims it, the other touches nothing more.
  const std::string work = dir / "KTD/";
  ASSERT_TRUE(MakeFolder(work));
  LockingProcess other(work);
  ASSERT_TRUE(other.Holds());
  EXPECT_EQ(Settle(2025, {"hb9abc"}, shared.path(), work), StartupOutcome::AlreadyRunning);
  EXPECT_TRUE(FolderContents(work).empty());
}

// The outcome of a failed preparation: exactly the `failed` paths with the system's reason, each
// named in the message.
void ExpectPreparationFailure(StartupOutcome outcome, const AppContext& ctx,
                              const FileFailures& failures, const std::vector<std::string>& failed,
                              int error) {
  EXPECT_EQ(outcome, StartupOutcome::PreparationFailed);
  std::vector<std::string> named;
  for (const FileFailure& f : failures.List()) {
    named.push_back(f.path);
    EXPECT_EQ(f.reason, std::strerror(error)) << f.path;
  }
  EXPECT_EQ(named, failed);
  const std::string message = StartupMessage(outcome, ctx, failures);
  EXPECT_EQ(message.rfind("VORLAX_KTD_Log kann diesen Arbeitsordner nicht vorbereiten:\r" +
                              ctx.baseFolder + "\r",
                          0),
            0u)
      << message;
  for (const std::string& path : failed)
    EXPECT_NE(message.find("\r" + path + ": " + std::strerror(error) + "\r"), std::string::npos)
        << message;
}

TEST_F(PreparedFromSharedFiles, EveryFailureIsNamedAndEndsTheStartBeforeTheCallsign) {
  struct Case {
    const char* what;
    std::function<void(const std::string& work, const std::string& shared)> spoil;
    bool inShared;       // the failed path lies in the shared folder, not in the working one
    const char* failed;  // below that folder
    int error;
  };
  const Case cases[] = {
      {"db is a file",
       [](const std::string& w, const std::string&) {
         MakeFolder(w);
         WriteFileAtomic(w + "db", "");
       },
       false, "db/", ENOTDIR},
      {"the working folder is a file",
       [](const std::string& w, const std::string&) {
         WriteFileAtomic(w.substr(0, w.size() - 1), "");
       },
       false, "", ENOTDIR},
      {"no prefix database among the shared files",
       [](const std::string&, const std::string& s) { DeleteFileIfExists(s + "db/dxcc.sqlite"); },
       true, "db/dxcc.sqlite", ENOENT}};
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string place = dir / (std::to_string(++n) + "/");
    const std::string work = place + "work/", sharedCopy = place + "shared/";
    ASSERT_TRUE(MakeFolder(place));
    std::filesystem::copy(shared.path(), sharedCopy, std::filesystem::copy_options::recursive);
    c.spoil(work, sharedCopy);
    failures = FileFailures();
    const StartupOutcome outcome = Settle(2025, {"hb9abc"}, sharedCopy, work);
    ExpectPreparationFailure(outcome, ctx, failures, {(c.inShared ? sharedCopy : work) + c.failed},
                             c.error);
    EXPECT_TRUE(asked.empty());
  }
}

TEST_F(PreparedFromSharedFiles, ACopyThatFailsIsNamedWithItsReason) {
  const std::string work = dir / "work/";
  for (const char* folder : {"", "db", "data"}) ASSERT_TRUE(MakeFolder(work + folder));
  chmod(dir.path().c_str(), 0755);
  chmod(shared.path().c_str(), 0755);
  OrdinaryUserFiles asOperator;
  if (!asOperator.Active()) GTEST_SKIP() << "root cannot take an ordinary user's file rights here";
  const StartupOutcome outcome = Settle(2025, {"hb9abc"}, shared.path(), work);
  ExpectPreparationFailure(outcome, ctx, failures,
                           {work + files[0], work + files[1], work + files[2]}, EACCES);
  EXPECT_EQ(FolderContents(work), (std::vector<std::string>{"data", "db"}));
}

}  // namespace
