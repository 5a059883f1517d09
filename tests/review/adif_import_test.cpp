#include "review/adif_import.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "common/text_file.h"
#include "contest/contest_calendar.h"
#include "db/sqlite_database.h"
#include "reports/adif_export.h"
#include "review/paper_log_queries.h"
#include "review/review_log.h"
#include "support/adif_records.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

using Strings = std::vector<std::string>;

constexpr int kYear = 2025;
const std::string kDay = "20250720";

AdifFields Qso(const std::string& call, const std::string& time, const std::string& mode,
               AdifFields more = {}) {
  AdifFields fields = {{"CALL", call}, {"QSO_DATE", kDay}, {"TIME_ON", time}, {"MODE", mode}};
  fields.insert(fields.end(), more.begin(), more.end());
  return fields;
}

class AdifImportTest : public ::testing::Test {
 protected:
  void SetUp() override { review_log::Write(logFile); }

  Strings Query(const std::string& sql) {
    TSQLiteDatabase db(logFile);
    return QueryRows(db, sql);
  }
  Strings Dump() {
    TSQLiteDatabase db(logFile);
    return DatabaseDump(db);
  }
  AdifImportSummary Import(const std::string& file, const AdifImportProgress& progress = {}) {
    return ImportAdif(logFile, file, kYear, progress);
  }

  TempFolder dir;
  const std::string logFile = dir / "ktd.sqlite";
};

TEST_F(AdifImportTest, RecordsInTimeOrderAsThePaperLogRecordsItsLines) {
  const std::string file =
      AdiHeader() +
      AdiRecord(Qso("HB9ABC/P", "0912", "CW",
                    {{"RST_SENT", "599"},
                     {"RST_RCVD", "579"},
                     {"STX_STRING", "murmeltier pfeift laut"},  // personal text, other case
                     {"SRX_STRING", "SONNE AUF DEM GRAT"}})) +
      AdiRecord(Qso("dl1abc", "0630", "SSB", {{"SUBMODE", "LSB"}})) +
      AdiRecord(Qso("HB3KLM/P", "0715", "CW",
                    {{"STX_STRING", "Morsen mit kalten Haenden"},  // pre-printed text
                     {"SRX_STRING", "NEBEL IM TAL"}})) +
      AdiRecord(Qso("HB9XYZ", "0716", "CW"));  // at home: no longer a portable candidate
  const AdifImportSummary summary = Import(file);
  EXPECT_EQ(summary.imported, 4);
  EXPECT_EQ(
      Query("SELECT rowid, * FROM ktd"),
      (Strings{"1|0630|DL1ABC|59||59||0|1|0|0|1",
               "2|0715|HB3KLM/P|599|Morsen mit kalten Haenden|599|NEBEL IM TAL|0|0|1|0|0",
               "3|0716|HB9XYZ|599||599||0|0|0|1|0",
               "4|0912|HB9ABC/P|599|murmeltier pfeift laut|579|SONNE AUF DEM GRAT|1|0|1|0|0"}));
  // HB3KLM/P, worked in CW in the first half, leaves stns1; HB9ABC/P, worked in the second half,
  // leaves stns2; HB9XYZ, worked at home, leaves all four lists.
  EXPECT_EQ(Query("SELECT rufz FROM stns1 ORDER BY rufz"),
            (Strings{"HB9/DL1ABC/P", "HB9ABC/P", "HE9ABC/P"}));
  EXPECT_EQ(Query("SELECT rufz FROM stns2 ORDER BY rufz"),
            (Strings{"HB3KLM/P", "HB9/DL1ABC/P", "HE9ABC/P"}));
  EXPECT_EQ(Query("SELECT count(*) FROM stns2ssb WHERE rufz = 'HB9XYZ/P'"), Strings{"0"});
  // The personal text is used up for its station; the printed text goes to the end of the queue.
  EXPECT_EQ(Query("SELECT rufz || '|' || txt FROM ptxt"),
            (Strings{"HB9ABC/P|ALPENROSEN AM GRAT", "HB9XYZ/P|STEINBOCK AUF DEM GIPFEL"}));
  EXPECT_EQ(Query("SELECT txt FROM txt"),
            (Strings{"ABENDROT AM SAENTIS", "GIPFELKREUZ IM MORGEN", "WOLKEN UEBER DEM PILATUS",
                     "MORSEN MIT KALTEN HAENDEN"}));
  // The undo copies show the state before the import.
  EXPECT_EQ(Query("SELECT count(*) FROM ktdundo"), Strings{"0"});
  EXPECT_EQ(Query("SELECT txt FROM txtundo"), review_log::PrintedTexts());
  for (const char* table : {"stns1undo", "stns2undo", "stns1ssbundo", "stns2ssbundo"}) {
    EXPECT_EQ(Query(std::string("SELECT rufz FROM ") + table), review_log::Stations()) << table;
  }
  EXPECT_EQ(Query("SELECT count(*) FROM ptxtundo"), Strings{"3"});
}

TEST_F(AdifImportTest, ImportingAgainAddsNothing) {
  const std::string file = AdiRecord(Qso("HB9ABC/P", "0812", "CW")) +
                           AdiRecord(Qso("HB9ABC/P", "0812", "SSB")) +  // other mode: a QSO
                           AdiRecord(Qso("DL1ABC", "0630", "CW")) +
                           AdiRecord(Qso("dl1abc", "063045", "CW"));  // same minute in the file
  const AdifImportSummary first = Import(file);
  EXPECT_EQ(first.imported, 3);
  EXPECT_EQ(first.Skipped(AdifSkipReason::AlreadyInLog).count, 1);
  const Strings log = Query("SELECT * FROM ktd");

  const AdifImportSummary second = Import(file);
  EXPECT_EQ(second.imported, 0);
  EXPECT_EQ(second.Skipped(AdifSkipReason::AlreadyInLog).count, 4);
  EXPECT_EQ(second.Skipped(AdifSkipReason::AlreadyInLog).firstCallsigns,
            (Strings{"DL1ABC", "HB9ABC/P"}));
  EXPECT_EQ(Query("SELECT * FROM ktd"), log);
}

TEST_F(AdifImportTest, AFailingQsoRecordsNothingOfTheImport) {
  const std::string file = AdiRecord(Qso("DL1ABC", "0630", "CW")) +
                           AdiRecord(Qso("HB9ABC/P", "0700", "CW", {{"STX_STRING", "TEXT"}})) +
                           AdiRecord(Qso("F5XYZ", "0800", "CW"));
  {
    TSQLiteDatabase db(logFile);
    // The last QSO's insert fails after two were recorded in the same import.
    db.ExecSQL(
        "CREATE TRIGGER refuse BEFORE INSERT ON ktd WHEN NEW.rufz = 'F5XYZ' "
        "BEGIN SELECT RAISE(ABORT, 'x'); END");
  }
  const Strings before = Dump();
  EXPECT_THROW(Import(file), ESQLiteException);
  EXPECT_EQ(Dump(), before);
}

TEST_F(AdifImportTest, ProgressCountsUpToTheQsosToRecord) {
  std::string file;
  for (int i = 0; i < 120; ++i) {
    const std::string minute = (i % 60 < 10 ? "0" : "") + std::to_string(i % 60);
    file += AdiRecord(Qso("DL" + std::to_string(i) + "AB", (i < 60 ? "06" : "07") + minute, "CW"));
  }
  file += AdiRecord(Qso("DL1AB", "0600", "FT8"));  // not to record: not counted
  std::vector<std::pair<int, int>> calls;
  Import(file, [&](int done, int total) { calls.emplace_back(done, total); });
  EXPECT_EQ(calls, (std::vector<std::pair<int, int>>{{0, 120}, {50, 120}, {100, 120}, {120, 120}}));
  EXPECT_EQ(Query("SELECT count(*) FROM ktd"), Strings{"120"});
}

TEST_F(AdifImportTest, SummaryListsEachGroupWithItsFirstCallsigns) {
  std::string file = AdiHeader();
  file += AdiRecord(Qso("HB9ABC/P", "0700", "CW", {{"SRX_STRING", "Gru\xDF aus Bern"}}));
  file += AdiRecord(Qso("DL1ABC", "0701", "CW"));
  for (int i = 0; i < 7; ++i) {
    file += AdiRecord(
        {{"CALL", "F" + std::to_string(i) + "XYZ"}, {"QSO_DATE", "20250101"}, {"MODE", "CW"}});
  }
  file += AdiRecord(Qso("OE1XYZ", "0702", "FT8"));
  file += AdiRecord(Qso("DL1ABC", "0701", "CW"));
  file += AdiRecord(Qso("HB9\tABC", "0703", "CW"));
  file += AdiRecord(Qso("", "0703", "CW"));
  file += AdiRecord(Qso("I1ABC", "7:03", "CW"));
  file += "<CALL:5>G4ABC <MODE:2>CW";  // truncated
  const AdifImportSummary summary = Import(file);
  EXPECT_EQ(summary.records, 15);
  EXPECT_EQ(AdifImportSummaryText(summary),
            "2 QSOs importiert\n"
            "Text angepasst: 1 (HB9ABC/P)\n"
            "\n"
            "Nicht importiert:\n"
            "anderer Tag: 7 (F0XYZ, F1XYZ, F2XYZ, F3XYZ, F4XYZ, ...)\n"
            "andere Betriebsart: 1 (OE1XYZ)\n"
            "schon im Log: 1 (DL1ABC)\n"
            "ung\xFCltiges Rufzeichen: 2 (HB9?ABC, ohne Rufzeichen)\n"
            "besch\xE4"
            "digter Datensatz: 2 (I1ABC, G4ABC)");
}

TEST_F(AdifImportTest, FileThatCannotBeReadOrHoldsNoRecordChangesNothing) {
  const Strings before = Dump();
  const AdifImportSummary missing = ImportAdifFile(logFile, dir / "fehlt.adi", kYear);
  EXPECT_EQ(AdifImportSummaryText(missing),
            "Die Datei konnte nicht gelesen werden.\n0 QSOs importiert");
  ASSERT_TRUE(WriteFileAtomic(dir / "leer.adi", "Nur ein Kopf <EOH>\r\n"));
  const AdifImportSummary empty = ImportAdifFile(logFile, dir / "leer.adi", kYear);
  EXPECT_EQ(AdifImportSummaryText(empty),
            "Die Datei enth\xE4lt keine ADIF-Datens\xE4tze.\n0 QSOs importiert");
  const AdifImportSummary one = ImportAdif(logFile, AdiRecord(Qso("DL1ABC", "0630", "CW")), kYear);
  EXPECT_EQ(AdifImportSummaryText(one), "1 QSO importiert");
  EXPECT_EQ(Query("SELECT count(*) FROM ktd"), Strings{"1"});
}

// The general ADIF file written at closing, imported into an empty log prepared with the same
// lists, gives the same log, station lists and texts.
TEST_F(AdifImportTest, GeneralAdifFileOfThisProgramImportsToTheSameLog) {
  struct Line {
    QsoFields qso;
    std::optional<std::string> personal;
    std::optional<std::string> printed;
  };
  const Line lines[] = {
      {{"0600", "DL1ABC", "599", "", "579", ""}, {}, {}},
      {{"0601", "HB9ABC/P", "599", "ALPENROSEN AM GRAT", "589", "Gruesse vom Napf"},
       "ALPENROSEN AM GRAT",
       {}},
      {{"0601", "HE9ABC/P", "59", "ABENDROT AM SAENTIS", "57", "SONNE UND WIND IM TAL"},
       {},
       "ABENDROT AM SAENTIS"},
      {{"0759", "HB9/DL1ABC/P", "599", "GIPFELKREUZ IM MORGEN", "599", "Nebel"},
       {},
       "GIPFELKREUZ IM MORGEN"},
      {{"0800", "HB9XYZ", "59", "", "55", ""}, {}, {}},
      {{"0800", "HB9ABC/P", "599", "MURMELTIER PFEIFT LAUT", "599", "A-B/C.D?"},
       "MURMELTIER PFEIFT LAUT",
       {}},
      {{"1430", "JA1XYZ", "599", "", "339", ""}, {}, {}},
  };
  const std::string original = dir / "original.sqlite";
  review_log::Write(original);
  for (const Line& line : lines) SavePaperLine(original, line.qso, line.personal, line.printed);
  const std::string adi = dir / "HB9REV_P 2025.adi";
  {
    TSQLiteDatabase db(original);
    ASSERT_TRUE(WriteAdifFile(adi, db, ContestDateCompact(kYear)));
  }

  const AdifImportSummary summary = ImportAdifFile(logFile, adi, kYear);
  EXPECT_EQ(AdifImportSummaryText(summary), "7 QSOs importiert");
  TSQLiteDatabase imported(logFile);
  TSQLiteDatabase expected(original);
  for (const char* sql : {"SELECT rowid, * FROM ktd", "SELECT * FROM stns1", "SELECT * FROM stns2",
                          "SELECT * FROM stns1ssb", "SELECT * FROM stns2ssb", "SELECT * FROM ptxt",
                          "SELECT * FROM txt"}) {
    EXPECT_EQ(QueryRows(imported, sql), QueryRows(expected, sql)) << sql;
  }
}

}  // namespace
