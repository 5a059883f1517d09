#include "prep/station_data_record.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "support/temp_folder.h"

namespace {

StationData SampleStation() {
  StationData d;
  d.place = "Chasseral";
  d.canton = "BE";
  d.coordX = "220000";  // smaller first: must come out as KOORD_Y
  d.coordY = "571000";
  d.height = "1607";
  d.power = "    5";
  d.itemDescriptions[0] = "Selbstbau TRX";
  d.itemWeights[0] = " 450";
  d.itemDescriptions[4] = "Dipol 2x20 m";
  d.itemWeights[4] = "  75";
  d.operatorName = "Hans Muster";
  d.email = "hans@example.org";
  RecomputeStationWeights(d);
  return d;
}

// A record file as the writer makes it, for the readers.
std::vector<std::string> SampleLines() {
  return BuildStationDataLines(SampleStation(), "XX9XX/P", "2025-07-20");
}

TEST(StationDataRecordWrite, WritesThe38LinesInFileOrder) {
  const auto lines = SampleLines();
  ASSERT_EQ(lines.size(), 38u);
  const std::vector<std::pair<int, std::string>> expected = {
      {0, "#;QRA=;XX9XX/P"},
      {1, "#;ORT=;Chasseral"},
      {2, "#;KANTON=;BE"},
      {3, "#;KOORD_X=;571000"},
      {4, "#;KOORD_Y=;220000"},
      {5, "#;QAH=;1607"},
      {6, "#;WATT=;5"},
      {7, "#;STA01BEZ=;Selbstbau TRX"},
      {8, "#;STA01GRAMM=;450"},
      {9, "#;STA02BEZ=;"},
      {10, "#;STA02GRAMM=;"},
      {15, "#;STA05BEZ=;Dipol 2x20 m"},
      {16, "#;STA05GRAMM=;75"},
      {27, "#;STA11BEZ=;"},
      {28, "#;STA11GRAMM=;"},
      {29, "#;OPNAME=;Hans Muster"},
      {30, "#;EMAIL=;hans@example.org"},
      {31, "#;ANZ_KTD=;0"},
      {32, "#;ANZ_HB=;0"},
      {33, "#;ANZ_EU=;0"},
      {34, "#;ANZ_QSO=;0"},
      {35, "#;ANZ_PUNKTE=;0"},
      {36, "#;LOGDATUM=;2025-07-20"},
      {37, "#;GESAMTGEWICHT=;525 g"},
  };
  for (const auto& [line, text] : expected) EXPECT_EQ(lines[line], text) << "line " << line;
  EXPECT_EQ(StationItemDescriptionLine(11), 27);
  EXPECT_EQ(StationItemWeightLine(11), 28);
}

TEST(StationDataRecordWrite, WeightsLoseEveryBlankThePowerOnlyThoseAtItsEnds) {
  StationData d;
  d.power = " 1 5 ";
  d.itemWeights[0] = " 450";
  d.itemWeights[5] = "1 2";  // only an import can put a blank inside
  const auto lines = BuildStationDataLines(d, "XX9XX/P", "2025-07-20");
  EXPECT_EQ(lines[kStationLineWatt], "#;WATT=;1 5");
  EXPECT_EQ(lines[StationItemWeightLine(1)], "#;STA01GRAMM=;450");
  EXPECT_EQ(lines[StationItemWeightLine(6)], "#;STA06GRAMM=;12");
}

TEST(StationDataRecordWrite, ClearedRecordDeletesTheFileAndWritesNone) {
  TempFolder dir;
  const std::string path = dir / "Stationsdaten 2025.csv";
  ASSERT_TRUE(WriteLinesAtomic(path, {"old"}));

  StationData cleared;
  cleared.totalWeightText = "0";
  const auto lines = BuildStationDataLines(cleared, "XX9XX/P", "2025-07-20");
  EXPECT_TRUE(StationDataLinesAreBare(lines));
  EXPECT_TRUE(SaveStationDataFile(path, lines));
  EXPECT_FALSE(FileExists(path));
}

TEST(StationDataRecordWrite, AnyOneFieldMakesTheRecordWorthSaving) {
  TempFolder dir;
  const std::string path = dir / "Stationsdaten 2025.csv";
  // Only the canton, only the e-mail, only the last weight: each differs from its bare key.
  for (auto set :
       {+[](StationData& d) { d.canton = "ZG"; }, +[](StationData& d) { d.email = "a@b.c"; },
        +[](StationData& d) { d.itemWeights[10] = "1"; }}) {
    StationData d;
    set(d);
    const auto lines = BuildStationDataLines(d, "XX9XX/P", "2025-07-20");
    EXPECT_FALSE(StationDataLinesAreBare(lines));
    ASSERT_TRUE(SaveStationDataFile(path, lines));
    EXPECT_EQ(ReadLines(path), lines);
  }
}

TEST(StationDataRecordRead, WrittenRecordReadsBackIntoTheSameFields) {
  StationData read;
  ASSERT_TRUE(ReadStationDataRecord(SampleLines(), read));
  const StationData orig = SampleStation();
  EXPECT_EQ(read.place, orig.place);
  EXPECT_EQ(read.canton, "BE");
  EXPECT_EQ(read.coordX, "571000");  // the greater first
  EXPECT_EQ(read.coordY, "220000");
  EXPECT_EQ(read.height, "1607");
  EXPECT_EQ(read.power, "    5");
  EXPECT_EQ(read.itemDescriptions, orig.itemDescriptions);
  EXPECT_EQ(read.itemWeights, orig.itemWeights);
  EXPECT_EQ(read.operatorName, orig.operatorName);
  EXPECT_EQ(read.email, orig.email);
  EXPECT_EQ(read.totalWeight, 525);
  EXPECT_EQ(read.totalWeightText, "525 g");
}

struct ReadCase {
  const char* line;
  std::string StationData::*field;
  const char* expected;
};

// Names the case by its line in test listings (instead of a dump of its bytes).
void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << '"' << c.line << '"';
}

class StationDataReadLine : public ::testing::TestWithParam<ReadCase> {};

TEST_P(StationDataReadLine, SetsTheFieldAsTheRulesSay) {
  StationData d;
  d.place = "before";
  // True when the line set a field; a line that sets none leaves "before" in place.
  EXPECT_EQ(ReadStationDataRecord({GetParam().line}, d),
            std::string(GetParam().expected) != "before");
  EXPECT_EQ(d.*GetParam().field, GetParam().expected) << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, StationDataReadLine,
    ::testing::Values(
        ReadCase{"#;ORT=;a;b", &StationData::place, "ab"},  // every ';' removed
        ReadCase{"#;ORT=;  Bern  \t", &StationData::place, "Bern"},
        ReadCase{"#;ORT=;K\xC3\xB6lliken", &StationData::place, "K\xF6lliken"},  // UTF-8 line
        ReadCase{"#;ORT=;K\xF6lliken", &StationData::place, "K\xF6lliken"},      // already 1252
        ReadCase{"#;ort=;lower", &StationData::place, "before"},  // keys are case-sensitive
        ReadCase{"#;ORT:;x", &StationData::place, "before"},      // key "#;ORT:;" is none
        ReadCase{"#;ORT=abc", &StationData::place, "before"},     // no ';' from position 6 on
        ReadCase{"#;ORTE=;x", &StationData::place, "before"},     // unknown key
        ReadCase{"#;ORT=", &StationData::place, "before"},        // too short
        ReadCase{"#;KANTON=;VS", &StationData::canton, "VS"},
        ReadCase{"#;KANTON=;XX", &StationData::canton, ""},  // unknown code selects none
        ReadCase{"#;KOORD_X=;6", &StationData::coordX, "600000"},
        ReadCase{"#;KOORD_X=;", &StationData::coordX, "000000"},
        ReadCase{"#;WATT=;5", &StationData::power, "    5"},
        ReadCase{"#;WATT=;12345", &StationData::power, "12345"},
        ReadCase{"#;WATT=;", &StationData::power, ""}));

TEST(StationDataRecordRead, WeightLineIsAlignedAndCounted) {
  StationData d;
  ASSERT_TRUE(ReadStationDataRecord({"#;STA03GRAMM=;50", "#;STA11GRAMM=;12345"}, d));
  EXPECT_EQ(d.itemWeights[2], "  50");
  EXPECT_EQ(d.itemWeights[10], "12345");  // imported values are taken as they are
  EXPECT_EQ(d.weights[2], 50);
  EXPECT_EQ(d.totalWeight, 12395);
  EXPECT_EQ(d.totalWeightText, "12395 g");
}

TEST(StationDataRecordRead, ImportedWeightThatCannotBeAddedCountsZero) {
  StationData d;
  // Not a whole number, and numbers so large that eleven of them would overflow the total: shown
  // as they stand, counted 0.
  ASSERT_TRUE(ReadStationDataRecord(
      {"#;STA01GRAMM=;12a", "#;STA02GRAMM=;30", "#;STA03GRAMM=;9000000000000000000",
       "#;STA04GRAMM=;9000000000000000000", "#;STA05GRAMM=;-5", "#;STA06GRAMM=;999999999"},
      d));
  EXPECT_EQ(d.itemWeights[0], " 12a");
  EXPECT_EQ(d.itemWeights[2], "9000000000000000000");
  EXPECT_EQ(d.totalWeight, 1000000029);
  EXPECT_EQ(d.totalWeightText, "1000000029 g");
}

TEST(StationDataRecordRead, LineIsTrimmedBeforeItIsCutTo255Characters) {
  StationData d;
  const std::string value(300, 'a');
  // The first line lets the reader start: a list in which no line begins with "#" is ignored.
  ASSERT_TRUE(
      ReadStationDataRecord({"#;QAH=;1607", std::string(20, ' ') + "#;ORT=;" + value + "  "}, d));
  EXPECT_EQ(d.place, std::string(255 - 7, 'a'));
  EXPECT_FALSE(ReadStationDataRecord({"  #;ORT=;indented"}, d));
  EXPECT_EQ(d.place, std::string(255 - 7, 'a'));
}

TEST(StationDataRecordRead, SmallerCoordinateFirstIsExchanged) {
  StationData d;
  ASSERT_TRUE(ReadStationDataRecord({"#;KOORD_X=;200000", "#;KOORD_Y=;600000"}, d));
  EXPECT_EQ(d.coordX, "600000");
  EXPECT_EQ(d.coordY, "200000");
}

TEST(StationDataRecordRead, WithoutAnyHashLineNothingChanges) {
  StationData d;
  d.place = "kept";
  d.totalWeightText = "untouched";
  EXPECT_FALSE(ReadStationDataRecord({"ORT=;x", "plain text"}, d));
  EXPECT_EQ(d.place, "kept");
  EXPECT_EQ(d.totalWeightText, "untouched");
}

TEST(StationDataRecordImport, LogExportFileOfEarlierYearImportsItsRecord) {
  std::vector<std::string> file = {"=0815;HB9XYZ/P;599;ABC;579;XYZ", "=0820;DL1AA;599;;599;"};
  auto record = SampleLines();
  record[kStationLineAnzQso] = "#;ANZ_QSO=;2";
  file.insert(file.end(), record.begin(), record.end());
  StationData d;
  ASSERT_TRUE(ImportStationDataFile(file, d));
  EXPECT_EQ(d.place, "Chasseral");
  EXPECT_EQ(d.totalWeight, 525);
}

TEST(StationDataRecordImport, ShortFileChangesNothing) {
  auto lines = SampleLines();
  lines.resize(29);
  StationData d;
  EXPECT_FALSE(ImportStationDataFile(lines, d));
  EXPECT_EQ(d.place, "");
}

// A Cabrillo-style log whose SOAPBOX block is built from a record's lines 1 to 30.
std::vector<std::string> CabrilloLog(std::vector<std::string> record) {
  std::vector<std::string> log = {"START-OF-LOG: 3.0", "CALLSIGN: XX9XX/P", "CONTEST: KTD"};
  for (int i = kStationLineOrt; i <= kStationLineEmail; ++i) {
    std::string& l = record[i];
    const auto eq = l.find("=;");
    log.push_back("SOAPBOX: " + l.substr(2, eq - 1) + l.substr(eq + 2));
  }
  log.push_back("QSO: 3560 CW 2025-07-20 0815 XX9XX/P 599 ABC HB9XYZ/P 579 XYZ");
  log.push_back("END-OF-LOG:");
  return log;
}

TEST(StationDataRecordImport, CabrilloSoapboxBlockFillsTheFieldsByPosition) {
  auto record = SampleLines();
  record[kStationLineOrt] = "#;ORT=;K\xC3\xB6lliken";  // UTF-8 in a free-text line
  record[kStationLineKoordX] = "#;KOORD_X=;2200";      // coordinates taken as they stand
  record[kStationLineKoordY] = "#;KOORD_Y=;571000";
  record[kStationLineKanton] = "#;KANTON=;BEx";
  record[StationItemDescriptionLine(3)] = "#;STA03BEZ=;Kopfh\xC3\xB6rer";
  record[kStationLineOpName] = "#;OPNAME=;Ren\xC3\xA9 M\xC3\xBCller";
  StationData d;
  ASSERT_TRUE(ImportStationDataFile(CabrilloLog(record), d));
  EXPECT_EQ(d.place, "K\xF6lliken");
  EXPECT_EQ(d.canton, "BE");
  EXPECT_EQ(d.coordX, "2200");
  EXPECT_EQ(d.coordY, "571000");
  EXPECT_EQ(d.power, "    5");
  EXPECT_EQ(d.itemWeights[4], "  75");
  EXPECT_EQ(d.itemDescriptions[0], "Selbstbau TRX");
  EXPECT_EQ(d.itemDescriptions[2], "Kopfh\xF6rer");
  EXPECT_EQ(d.operatorName, "Ren\xE9 M\xFCller");
  EXPECT_EQ(d.email, "hans@example.org");
  EXPECT_EQ(d.totalWeightText, "525 g");
}

TEST(StationDataRecordImport, CabrilloLineWithWrongPrefixEmptiesItsField) {
  auto log = CabrilloLog(SampleLines());
  log[3 + 5] = "SOAPBOX: LEISTUNG=5";  // position of WATT
  StationData d;
  d.power = "  100";
  ASSERT_TRUE(ImportStationDataCabrillo(log, d));
  EXPECT_EQ(d.power, "");
  EXPECT_EQ(d.place, "Chasseral");
}

TEST(StationDataRecordImport, CabrilloBlockMissingALineImportsNothing) {
  auto log = CabrilloLog(SampleLines());
  log.erase(log.begin() + 3 + 10);  // EMAIL now 28 lines after ORT
  StationData d;
  d.place = "kept";
  EXPECT_FALSE(ImportStationDataFile(log, d));
  EXPECT_EQ(d.place, "kept");
}

TEST(StationDataRecordAccess, FieldsByLineAndColumn) {
  const auto lines = SampleLines();
  EXPECT_TRUE(StationDataComplete(lines));
  EXPECT_FALSE(StationDataComplete({lines.begin(), lines.begin() + 37}));
  EXPECT_EQ(StationDataField(lines, kStationLineKanton, 11, 2), "BE");
  EXPECT_EQ(StationDataField(lines, kStationLineKoordX, 12, 6), "571000");
  EXPECT_EQ(StationDataField(lines, StationItemDescriptionLine(1), 13), "Selbstbau TRX");
  EXPECT_EQ(StationDataField(lines, kStationLineWatt, 9), "5");
  EXPECT_EQ(StationDataField(lines, kStationLineGesamtgewicht, 18), "525 g");
  EXPECT_EQ(StationDataField(lines, kStationLineEmail, 100), "");
  EXPECT_EQ(StationDataField(lines, 40, 1), "");
}

}  // namespace
