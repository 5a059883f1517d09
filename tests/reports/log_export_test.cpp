#include "reports/log_export.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "contest/log_fixture.h"
#include "contest/score_values.h"
#include "prep/station_data_record.h"
#include "support/temp_folder.h"

namespace {

class LogExportTest : public ::testing::Test {
 protected:
  LogExportTest() : log_(dir_ / "ktd.sqlite") {
    test_log::CreateTables(log_);
    // Every summary line adds a CW and an SSB value; all sums differ.
    score_.cwQsos = 4;
    score_.ssbQsos = 5;
    score_.ktdCw = 1;
    score_.ktdSsb = 1;
    score_.hbCw = 2;
    score_.hbSsb = 1;
    score_.euCw = 1;
    score_.euSsb = 3;
    score_.cwPoints = 7;
    score_.ssbPoints = 8;
    score_.totalPoints = 15;
  }

  void AddQsos() {
    test_log::InsertRow(log_,
                        {"0815", "HB9AAA/P", "599", "ABC", "579", "XYZ", "1", "0", "1", "0", "0"});
    test_log::InsertRow(log_, {"0700", "DL1ABC", "599", "", "599", "", "0", "0", "0", "0", "1"});
    test_log::InsertRow(
        log_, {"0900", "HB9BBB/P", "59", "GRUEEZI", "55", "SALUE", "1", "1", "1", "0", "0"});
  }

  std::vector<std::string> StationLines() {
    StationData d;
    d.place = "Napf";
    d.itemDescriptions[0] = "Selbstbau TRX";
    d.itemWeights[0] = "450";
    RecomputeStationWeights(d);
    return BuildStationDataLines(d, "XX9XX/P", "2025-07-20");
  }

  const std::vector<std::string> kQsoLines = {"=0815;HB9AAA/P;599;ABC;579;XYZ",
                                              "=0700;DL1ABC;599;;599;",
                                              "=0900;HB9BBB/P;59;GRUEEZI;55;SALUE"};
  TempFolder dir_;
  TSQLiteDatabase log_;
  ScoreValues score_;
};

TEST_F(LogExportTest, WithStationDataTheRecordFollowsWithTheSummaryCounts) {
  AddQsos();
  const auto station = StationLines();
  const std::string path = dir_ / "XX9XX_P 2025.ktd";
  ASSERT_TRUE(WriteLogExportFile(path, log_, station, true, score_, "2025-07-20"));
  const auto lines = ReadLines(path);
  ASSERT_EQ(lines.size(), 3u + 38u);
  for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(lines[i], kQsoLines[i]);
  auto expected = station;
  expected[31] = "#;ANZ_KTD=;2";
  expected[32] = "#;ANZ_HB=;3";
  expected[33] = "#;ANZ_EU=;4";
  expected[34] = "#;ANZ_QSO=;9";
  expected[35] = "#;ANZ_PUNKTE=;15";
  expected[36] = "#;LOGDATUM=;2025-07-20";
  for (std::size_t i = 0; i < 38; ++i) EXPECT_EQ(lines[3 + i], expected[i]) << "record line " << i;

  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes.substr(0, kQsoLines[0].size() + 2), kQsoLines[0] + "\r\n");
}

TEST_F(LogExportTest, WithoutStationDataOnlyTheQsoLines) {
  AddQsos();
  // A station-data file of 20 lines counts as missing.
  auto shortRecord = StationLines();
  shortRecord.resize(20);
  for (const auto& [lines, present] :
       {std::pair{std::vector<std::string>{}, false}, std::pair{shortRecord, true},
        std::pair{StationLines(), false}}) {
    EXPECT_EQ(BuildLogExportLines(log_, lines, present, score_, "2025-07-20"), kQsoLines);
  }
}

TEST_F(LogExportTest, EmptyLogWritesNoFileEvenWithStationData) {
  const std::string path = dir_ / "XX9XX_P 2025.ktd";
  EXPECT_FALSE(WriteLogExportFile(path, log_, StationLines(), true, score_, "2025-07-20"));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(LogExportTest, ExportOfAnEarlierYearImportsBackIntoTheStationDataWindow) {
  AddQsos();
  StationData d;
  ASSERT_TRUE(ImportStationDataFile(
      BuildLogExportLines(log_, StationLines(), true, score_, "2024-07-21"), d));
  EXPECT_EQ(d.place, "Napf");
  EXPECT_EQ(d.itemWeights[0], " 450");
  EXPECT_EQ(d.totalWeightText, "450 g");
}

}  // namespace
