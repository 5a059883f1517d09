#include "app/closing_sequence.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <ostream>

#include "common/clock.h"
#include "common/text_file.h"
#include "contest/log_fixture.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"
#include "services/app_context.h"
#include "support/ordinary_user.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

// Every output the closing sequence knows, by suffix of the output stem.
const char* const kAllOutputs[] = {" Abrechnungsblatt.pdf",
                                   " Logformular nach KTD.pdf",
                                   " Logformular mit Texten.pdf",
                                   " Persönliche Texte.pdf",
                                   " Verbindungskontrolle.pdf",
                                   " eQSL.adi",
                                   ".adi",
                                   ".ktd",
                                   ".cbr"};

class ClosingSequenceTest : public ::testing::Test {
 protected:
  ClosingSequenceTest() {
    clock_.local = {2025, 7, 20, 18, 0, 0};
    clock_.utc = {2025, 7, 20, 16, 0, 0};
    PrepareWorkingFolders(ctx_, dir_.path(), 2025, "XX9XX/P");
    CreateLogSchema(ctx_.logDbFile);
  }

  void WriteOldOutputs() {
    for (const char* suffix : kAllOutputs)
      ASSERT_TRUE(WriteFileAtomic(ctx_.outputStem + suffix, "old"));
  }

  std::string Content(const std::string& suffix) {
    std::string content;
    if (!ReadWholeFile(ctx_.outputStem + suffix, content)) return "<missing>";
    return content;
  }

  void WriteLists() {
    ASSERT_TRUE(WriteLinesAtomic(
        ctx_.stationListFile,
        {"HB9XAA/P,Anna,ALPENROSEN AM GRAT,MURMELTIER PFEIFT LAUT,,", "HB9XBB/P,Beat,,,,"}));
    ASSERT_TRUE(WriteLinesAtomic(ctx_.textCollectionFile, {"ABENDROT AM SAENTIS"}));
  }

  void WriteStationData() {
    StationData d;
    d.place = "Napf";
    d.itemDescriptions[0] = "Selbstbau \"Mini\" TRX";
    d.power = "    5";
    d.itemWeights[0] = " 450";
    RecomputeStationWeights(d);
    ASSERT_TRUE(SaveStationDataFile(ctx_.stationDataFile,
                                    BuildStationDataLines(d, ctx_.ownCallsign, "2025-07-20")));
  }

  void AddQsos() {
    TSQLiteDatabase log(ctx_.logDbFile);
    test_log::InsertRow(log, {"0815", "HB9XAA/P", "599", "ABENDROT AM SAENTIS", "579",
                              "ALPENROSEN AM GRAT", "1", "0", "1", "0", "0"});
    test_log::InsertRow(log, {"0930", "DL1ABC", "59", "", "59", "", "1", "1", "0", "0", "1"});
  }

  TempFolder dir_;
  FixedClock clock_;
  AppContext ctx_{clock_};
};

TEST_F(ClosingSequenceTest, EmptyLogDeletesExactlyTheQsoOutputsAndKeepsTheOthers) {
  WriteOldOutputs();
  // Outputs of another callsign and of another year are none of this run's business.
  const std::string otherCall = ctx_.yearFolder + "YY1YY_P 2025.adi";
  ASSERT_TRUE(MakeFolder(ctx_.dataFolder + "2024/"));
  const std::string otherYear = ctx_.dataFolder + "2024/XX9XX_P 2024.adi";
  ASSERT_TRUE(WriteFileAtomic(otherCall, "old"));
  ASSERT_TRUE(WriteFileAtomic(otherYear, "old"));

  RunClosingSequence(ctx_);

  const std::map<std::string, std::string> expected = {{" Abrechnungsblatt.pdf", "<missing>"},
                                                       {" Logformular nach KTD.pdf", "<missing>"},
                                                       {" eQSL.adi", "<missing>"},
                                                       {".adi", "<missing>"},
                                                       {".cbr", "<missing>"},
                                                       {" Logformular mit Texten.pdf", "old"},
                                                       {" Persönliche Texte.pdf", "old"},
                                                       {" Verbindungskontrolle.pdf", "old"},
                                                       {".ktd", "old"}};
  for (const auto& [suffix, content] : expected) EXPECT_EQ(Content(suffix), content) << suffix;
  EXPECT_TRUE(FileExists(otherCall));
  EXPECT_TRUE(FileExists(otherYear));
  EXPECT_TRUE(ctx_.logEmpty);
}

TEST_F(ClosingSequenceTest, EmptyLogRewritesTheListPdfsWhenTheListsExist) {
  WriteOldOutputs();
  WriteLists();
  RunClosingSequence(ctx_);
  for (const char* suffix :
       {" Persönliche Texte.pdf", " Verbindungskontrolle.pdf", " Logformular mit Texten.pdf"})
    EXPECT_EQ(Content(suffix).substr(0, 5), "%PDF-") << suffix;
  for (const char* suffix : kOutputsDeletedWhenLogEmpty)
    EXPECT_EQ(Content(suffix), "<missing>") << suffix;
  EXPECT_TRUE(ctx_.stationListPresent);
  EXPECT_TRUE(ctx_.textCollectionPresent);
}

TEST_F(ClosingSequenceTest, LogWithQsosAndStationDataWritesEveryReport) {
  WriteOldOutputs();
  WriteLists();
  WriteStationData();
  AddQsos();
  EXPECT_TRUE(RunClosingSequence(ctx_).Empty());

  for (const char* suffix :
       {" Abrechnungsblatt.pdf", " Logformular nach KTD.pdf", " Logformular mit Texten.pdf",
        " Persönliche Texte.pdf", " Verbindungskontrolle.pdf"})
    EXPECT_EQ(Content(suffix).substr(0, 5), "%PDF-") << suffix;
  EXPECT_EQ(Content(".cbr"), "old");  // never written, deleted only with an empty log
  EXPECT_FALSE(ctx_.logEmpty);
  EXPECT_TRUE(ctx_.stationDataPresent);

  const auto eqsl = ReadLines(ctx_.outputStem + " eQSL.adi");
  ASSERT_EQ(eqsl.size(), 15u);
  EXPECT_EQ(eqsl[13],
            "<CALL:8>HB9XAA/P <QSO_DATE:8>20250720 <TIME_ON:4>0815 <BAND:3>80m <MODE:2>CW "
            "<RST_SENT:3>599 <QSLMSG:22>Selbstbau \"Mini\" TRX 5 <EOR>");
  const auto adif = ReadLines(ctx_.outputStem + ".adi");
  ASSERT_EQ(adif.size(), 6u);
  EXPECT_EQ(adif[5],
            "<call:6>DL1ABC <qso_date:8>20250720 <time_on:4>0930 <band:3>80m <mode:3>SSB "
            "<rst_sent:2>59 <rst_rcvd:2>59 <eor>");

  // The summary carries the score the score sheet computed: one KTD CW QSO (4 points) and one
  // other station in SSB (1 point).
  const auto ktd = ReadLines(ctx_.outputStem + ".ktd");
  ASSERT_EQ(ktd.size(), 2u + 38u);
  EXPECT_EQ(ktd[0], "=0815;HB9XAA/P;599;ABENDROT AM SAENTIS;579;ALPENROSEN AM GRAT");
  EXPECT_EQ(ktd[1], "=0930;DL1ABC;59;;59;");
  EXPECT_EQ(ktd[2], "#;QRA=;XX9XX/P");
  EXPECT_EQ(ktd[2 + 31], "#;ANZ_KTD=;1");
  EXPECT_EQ(ktd[2 + 32], "#;ANZ_HB=;0");
  EXPECT_EQ(ktd[2 + 33], "#;ANZ_EU=;1");
  EXPECT_EQ(ktd[2 + 34], "#;ANZ_QSO=;2");
  EXPECT_EQ(ktd[2 + 35], "#;ANZ_PUNKTE=;5");
  EXPECT_EQ(ktd[2 + 36], "#;LOGDATUM=;2025-07-20");
}

TEST_F(ClosingSequenceTest, IncompleteStationDataCountsAsMissing) {
  WriteStationData();
  auto lines = ReadLines(ctx_.stationDataFile);
  lines.resize(20);
  ASSERT_TRUE(WriteLinesAtomic(ctx_.stationDataFile, lines));
  AddQsos();
  RunClosingSequence(ctx_);

  EXPECT_FALSE(ctx_.stationDataPresent);
  const auto eqsl = ReadLines(ctx_.outputStem + " eQSL.adi");
  ASSERT_EQ(eqsl.size(), 15u);
  EXPECT_EQ(eqsl[14],
            "<CALL:6>DL1ABC <QSO_DATE:8>20250720 <TIME_ON:4>0930 <BAND:3>80m <mode:3>SSB "
            "<RST_SENT:2>59 <EOR>");
  EXPECT_EQ(ReadLines(ctx_.outputStem + ".ktd").size(), 2u);
  // Without lists no list PDFs appear.
  EXPECT_EQ(Content(" Persönliche Texte.pdf"), "<missing>");
  EXPECT_EQ(Content(" Logformular mit Texten.pdf"), "<missing>");
}

struct RefusedWriteCase {
  const char* name;
  bool withQsos;
  const char* folderInTheWay;  // nullptr: the whole year folder is read-only
  int error;
  // "W suffix" not written, "R suffix" written under a time-stamped name, "D suffix" not deleted,
  // in order
  std::vector<std::string> expected;
};

void PrintTo(const RefusedWriteCase& c, std::ostream* os) {
  *os << c.name;
}

class ClosingRefusedWriteTest : public ClosingSequenceTest,
                                public ::testing::WithParamInterface<RefusedWriteCase> {};

// A file that cannot be written or deleted does not stop the closing: every other file is still
// written, each failure is named with the system's reason, and the old files stay as they were.
TEST_P(ClosingRefusedWriteTest, NamesEachFileNotWrittenAndKeepsTheOldOnes) {
  const RefusedWriteCase& c = GetParam();
  WriteOldOutputs();
  WriteLists();
  WriteStationData();
  if (c.withQsos) AddQsos();
  if (c.folderInTheWay != nullptr) {
    const std::string blocked = ctx_.outputStem + c.folderInTheWay;
    ASSERT_TRUE(DeleteFileIfExists(blocked));
    ASSERT_TRUE(MakeFolder(blocked));
  }

  FileFailures failures;
  if (c.folderInTheWay == nullptr) {
    chmod(dir_.path().c_str(), 0755);
    chmod(ctx_.yearFolder.c_str(), 0555);
    OrdinaryUserFiles asOperator;
    if (!asOperator.Active())
      GTEST_SKIP() << "root cannot take an ordinary user's file rights here";
    failures = RunClosingSequence(ctx_);
  } else {
    failures = RunClosingSequence(ctx_);
  }
  chmod(ctx_.yearFolder.c_str(), 0755);

  std::vector<std::string> named;
  for (const FileFailure& f : failures.List()) {
    ASSERT_EQ(f.path.rfind(ctx_.outputStem, 0), 0u) << f.path;
    EXPECT_EQ(f.reason, std::strerror(c.error)) << f.path;
    const char* kind = f.action == FileFailure::Action::Write            ? "W"
                       : f.action == FileFailure::Action::WriteElsewhere ? "R"
                                                                         : "D";
    named.push_back(kind + f.path.substr(ctx_.outputStem.size()));
    if (f.action == FileFailure::Action::WriteElsewhere) {
      // The document went beside the old file, under the closing time.
      const std::string stamped = f.path.substr(0, f.path.size() - 4) + "_20250720180000.pdf";
      EXPECT_EQ(f.writtenAs, stamped);
      EXPECT_EQ(Content(stamped.substr(ctx_.outputStem.size())).substr(0, 5), "%PDF-");
    }
  }
  EXPECT_EQ(named, c.expected);
  if (c.folderInTheWay == nullptr) {
    for (const std::string& entry : c.expected) EXPECT_EQ(Content(entry.substr(1)), "old") << entry;
  }
  if (c.folderInTheWay != nullptr && c.withQsos) {
    EXPECT_EQ(Content(".ktd").substr(0, 6), "=0815;") << "files after the failed one are written";
  }
}

INSTANTIATE_TEST_SUITE_P(
    ClosingRefusedWrites, ClosingRefusedWriteTest,
    ::testing::Values(
        RefusedWriteCase{"ReadOnlyYearFolderWithQsos",
                         true,
                         nullptr,
                         EACCES,
                         {"W Pers\xC3\xB6nliche Texte.pdf", "W Verbindungskontrolle.pdf",
                          "W Logformular mit Texten.pdf", "W Logformular nach KTD.pdf",
                          "W Abrechnungsblatt.pdf", "W eQSL.adi", "W.adi", "W.ktd"}},
        RefusedWriteCase{"ReadOnlyYearFolderEmptyLog",
                         false,
                         nullptr,
                         EACCES,
                         {"W Pers\xC3\xB6nliche Texte.pdf", "W Verbindungskontrolle.pdf",
                          "W Logformular mit Texten.pdf", "D Abrechnungsblatt.pdf",
                          "D Logformular nach KTD.pdf", "D eQSL.adi", "D.adi", "D.cbr"}},
        RefusedWriteCase{"FolderInTheWayOfTheAdif", true, ".adi", EISDIR, {"W.adi"}},
        RefusedWriteCase{"FolderInTheWayOfTheScoreSheet",
                         true,
                         " Abrechnungsblatt.pdf",
                         EISDIR,
                         {"R Abrechnungsblatt.pdf"}},
        RefusedWriteCase{"FolderInTheWayOfTheCabrillo", false, ".cbr", EISDIR, {"D.cbr"}}),
    [](const ::testing::TestParamInfo<RefusedWriteCase>& info) {
      return std::string(info.param.name);
    });

enum class Damage { DropTextReceived, DropOtherStationFlag, DropKtdStationFlag, BadPage };

struct DamagedLogCase {
  const char* name;
  Damage damage;
  bool withStationData;
  std::vector<std::string> notWritten;  // suffixes named for the database, in order
  const char* databaseReason;           // the end of the database's message
};

void PrintTo(const DamagedLogCase& c, std::ostream* os) {
  *os << c.name;
}

class ClosingDamagedLogTest : public ClosingSequenceTest,
                              public ::testing::WithParamInterface<DamagedLogCase> {
 protected:
  void Damage(Damage damage) {
    TSQLiteDatabase log(ctx_.logDbFile);
    if (damage == Damage::DropTextReceived) log.ExecSQL("ALTER TABLE ktd DROP COLUMN rtxt");
    if (damage == Damage::DropOtherStationFlag) log.ExecSQL("ALTER TABLE ktd DROP COLUMN euSt");
    if (damage == Damage::DropKtdStationFlag) log.ExecSQL("ALTER TABLE ktd DROP COLUMN ktdst");
    if (damage != Damage::BadPage) return;
    const long long pageSize = log.GetTable("PRAGMA page_size")->CountResult();
    const long long rootPage =
        log.GetTable("SELECT rootpage FROM sqlite_master WHERE name = 'ktd'")->CountResult();
    log.Close();
    std::string bytes;
    ASSERT_TRUE(ReadWholeFile(ctx_.logDbFile, bytes));
    ASSERT_GT(rootPage, 1);
    ASSERT_LE(rootPage * pageSize, static_cast<long long>(bytes.size()));
    const auto size = static_cast<std::size_t>(pageSize);
    bytes.replace(static_cast<std::size_t>(rootPage - 1) * size, size, size, '\xFF');
    ASSERT_TRUE(WriteFileAtomic(ctx_.logDbFile, bytes));
  }
};

// A damaged log stops only the outputs whose queries fail: every other output is written, the
// failed ones are named, their old files stay, and the database's message is kept for the box.
TEST_P(ClosingDamagedLogTest, WritesWhatDoesNotNeedTheFailedQueryAndNamesTheRest) {
  const DamagedLogCase& c = GetParam();
  WriteOldOutputs();
  WriteLists();
  if (c.withStationData) WriteStationData();
  AddQsos();
  Damage(c.damage);

  const FileFailures failures = RunClosingSequence(ctx_);

  std::vector<std::string> named;
  for (const FileFailure& f : failures.List()) {
    EXPECT_EQ(f.action, FileFailure::Action::Database) << f.path;
    named.push_back(f.path.substr(ctx_.outputStem.size()));
  }
  EXPECT_EQ(named, c.notWritten);
  for (const char* suffix : kAllOutputs) {
    const bool kept = std::string(suffix) == ".cbr" ||
                      std::find(named.begin(), named.end(), suffix) != named.end();
    if (kept)
      EXPECT_EQ(Content(suffix), "old") << suffix;
    else
      EXPECT_NE(Content(suffix), "old") << suffix << " should have been written";
  }
  // The box shows it once (FileFailures keeps the first); it names the query and SQLite's reason.
  EXPECT_NE(failures.DatabaseMessage().find(c.databaseReason), std::string::npos)
      << failures.DatabaseMessage();
}

INSTANTIATE_TEST_SUITE_P(
    ClosingDamagedLogs, ClosingDamagedLogTest,
    ::testing::Values(
        // The score needs no texts: only the outputs that print them fail.
        DamagedLogCase{"KtdWithoutTextReceived",
                       Damage::DropTextReceived,
                       true,
                       {" Logformular nach KTD.pdf", " eQSL.adi", ".adi", ".ktd"},
                       "no such column: rtxt"},
        // The score fails, and with it the export whose summary carries the score.
        DamagedLogCase{"KtdWithoutOtherStationFlagWithStationData",
                       Damage::DropOtherStationFlag,
                       true,
                       {" Abrechnungsblatt.pdf", ".ktd"},
                       "no such column: euSt"},
        // Without station data the export holds only QSO lines and needs no score.
        DamagedLogCase{"KtdWithoutOtherStationFlagWithoutStationData",
                       Damage::DropOtherStationFlag,
                       false,
                       {" Abrechnungsblatt.pdf"},
                       "no such column: euSt"},
        // The printout and the export print no class flag: they are written from the log all
        // the same, though the one read of the log for all outputs failed.
        DamagedLogCase{"KtdWithoutKtdStationFlagWithoutStationData",
                       Damage::DropKtdStationFlag,
                       false,
                       {" Abrechnungsblatt.pdf", " eQSL.adi", ".adi"},
                       "no such column: ktdSt"},
        // The QSOs cannot be counted: nothing tells whether to write or to delete the QSO
        // outputs, so they are named and the old ones stay; the lists are written.
        DamagedLogCase{
            "BadPageOfTheLogTable",
            Damage::BadPage,
            true,
            {" Logformular nach KTD.pdf", " Abrechnungsblatt.pdf", " eQSL.adi", ".adi", ".ktd"},
            "FROM ktd\": database disk image is malformed"}),
    [](const ::testing::TestParamInfo<DamagedLogCase>& info) {
      return std::string(info.param.name);
    });

}  // namespace
