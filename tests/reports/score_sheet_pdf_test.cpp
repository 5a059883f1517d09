#include <gtest/gtest.h>

#include "reports/report_fixture.h"

namespace {

using report_test::HasText;
using report_test::HasTextAt;
using report_test::HasTextOnLine;
using report_test::Page;
using report_test::ReadPages;
using report_test::TextsAtX;

class ScoreSheetTest : public report_test::ReportTest {
 protected:
  void SetUp() override {
    ReportTest::SetUp();
    CreateLogSchema(ctx.logDbFile);
  }

  // rufz, half, mode, ktdst, hbst, eust
  void AddQsos(const std::vector<std::vector<std::string>>& rows) {
    TSQLiteDatabase db(ctx.logDbFile);
    db.BeginTransaction();
    for (const auto& r : rows) {
      db.AddParamText(":rufz", r[0]);
      db.AddParamText(":half", r[1]);
      db.AddParamText(":mode", r[2]);
      db.AddParamText(":k", r[3]);
      db.AddParamText(":h", r[4]);
      db.AddParamText(":e", r[5]);
      db.ExecSQL(
          "INSERT INTO ktd VALUES (\"0700\", :rufz, \"599\", \"t\", \"599\", \"t\", :half, :mode, "
          ":k, :h, :e)");
    }
    db.Commit();
  }

  void AddCwLogWithThreeKtdAndTwoHb() {
    AddQsos({{"HB9AAA/P", "0", "0", "1", "0", "0"},
             {"HB9BBB/P", "0", "0", "1", "0", "0"},
             {"HB9AAA/P", "1", "0", "1", "0", "0"},
             {"HB9HOME", "0", "0", "0", "1", "0"},
             {"HE3OTHER", "1", "0", "0", "1", "0"}});
  }

  Page WriteSheet(const std::vector<std::string>& stationData) {
    ComputeScore(ctx.logDbFile, ctx.score);
    const std::string file = WriteScoreSheetPdf(*printer, report, ctx.score, stationData);
    EXPECT_EQ(file, ctx.outputStem + " Abrechnungsblatt.pdf");
    const std::vector<Page> pages = ReadPages(file);
    EXPECT_EQ(pages.size(), 1u);
    ExpectReadersAccept(file, 1);
    return pages.empty() ? Page() : pages[0];
  }
};

// The four numbers of a score row, at x 80, 110, 145 and 175.
std::vector<std::string> Row(const Page& page, double y) {
  std::vector<std::string> out;
  for (double x : {80.0, 110.0, 145.0, 175.0}) {
    std::string found = "<none>";
    for (const auto& t : page) {
      if (std::fabs(t.x - x) < 0.01 && std::fabs(t.y - y) < 0.01 && t.font == 15) found = t.text;
    }
    out.push_back(found);
  }
  return out;
}

using Strings = std::vector<std::string>;

TEST_F(ScoreSheetTest, CwOnlyLogFillsCwAndCombinedBlocksAndLeavesSsbEmpty) {
  AddCwLogWithThreeKtdAndTwoHb();
  const Page p = WriteSheet(report_test::SampleStationDataLines());
  EXPECT_EQ(Row(p, 67), (Strings{"   3", "   2", "", "   5"})) << report_test::Describe(p);
  EXPECT_EQ(Row(p, 72), (Strings{"  12", "   2", "", "  14"}));
  EXPECT_EQ(Row(p, 92), (Strings{"", "", "", ""}));
  EXPECT_EQ(Row(p, 97), (Strings{"", "", "", ""}));
  EXPECT_EQ(Row(p, 117), Row(p, 67));
  EXPECT_EQ(Row(p, 122), Row(p, 72));
  EXPECT_EQ(ctx.score.totalPoints, 14);
}

TEST_F(ScoreSheetTest, CombinedBlockAddsCwAndSsb) {
  AddCwLogWithThreeKtdAndTwoHb();
  AddQsos({{"HB9AAA/P", "0", "1", "1", "0", "0"},
           {"DL1ABC", "0", "1", "0", "0", "1"},
           {"F5XYZ", "1", "1", "0", "0", "1"}});
  const Page p = WriteSheet({});
  EXPECT_EQ(Row(p, 92), (Strings{"   1", "", "   2", "   3"}));
  EXPECT_EQ(Row(p, 97), (Strings{"   4", "", "   2", "   6"}));
  EXPECT_EQ(Row(p, 117), (Strings{"   4", "   2", "   2", "   8"}));
  EXPECT_EQ(Row(p, 122), (Strings{"  16", "   2", "   2", "  20"}));
  for (const auto& [text, x, y] : std::vector<std::tuple<std::string, double, double>>{
           {"Anzahl g\xFCltiger CW-Verbindungen", 55, 57},
           {"Total CW", 175, 62},
           {"CW-QSO:", 55, 67},
           {"Anzahl g\xFCltiger SSB-Verbindungen", 55, 82},
           {"Total SSB", 175, 87},
           {"SSB-QSO:", 55, 92},
           {"Total CW und SSB", 55, 107},
           {"Total", 178, 112},
           {"QSO:", 55, 117},
           {"Punkte:", 55, 122},
           {"Ausl. Stationen", 145, 112}}) {
    EXPECT_TRUE(HasTextAt(p, text, x, y)) << text;
  }
}

TEST_F(ScoreSheetTest, StationDataFillsPlaceStationWeightsAndDeclaration) {
  AddCwLogWithThreeKtdAndTwoHb();
  const Page p = WriteSheet(report_test::SampleStationDataLines());
  for (const auto& [text, x, y] : std::vector<std::tuple<std::string, double, double>>{
           {"HB9XYZ/P", 40, 28},
           {"KTD-Stationen", 115, 29},
           {"2025", 180, 29},
           {"Gurnigel Passh\xF6he", 45, 41},
           {"Kanton: BE", 170, 41},
           {"1593 m", 45, 47},
           {"600123 / 180456", 100, 47},
           {"5 Watt", 70, 135},
           {"FT-817 (mit Akku)", 70, 140},
           {"Kopfh\xF6rer", 70, 150},
           {"Tasche", 70, 190},
           {"  1170", 178, 140},
           {"   350", 178, 145},
           {"    50", 178, 150},
           {"", 178, 155},
           {"  9999", 178, 190},
           {" 12345", 178, 196},
           {"Datum: 20.07.2025", 15, 227},
           {"Name:  Hans Muster", 50, 227},
           {"e-Mail-Adresse:  hans@example.ch", 115, 227}}) {
    EXPECT_TRUE(HasTextAt(p, text, x, y)) << "'" << text << "'\n" << report_test::Describe(p);
  }
  for (const auto& t : p) {
    if (t.text == "HB9XYZ/P") {
      EXPECT_EQ(t.font, 16);
    } else if (t.text == "  1170") {
      EXPECT_EQ(t.font, 15);
    } else if (t.text == "Tasche") {
      EXPECT_EQ(t.font, 1);
    }
  }
}

TEST_F(ScoreSheetTest, WithoutStationDataShowsLabelsAndEmptyFields) {
  AddCwLogWithThreeKtdAndTwoHb();
  std::vector<std::string> shortFile = report_test::SampleStationDataLines();
  shortFile.resize(37);  // one line short counts as missing
  for (const std::vector<std::string>& data : {std::vector<std::string>{}, shortFile}) {
    const Page p = WriteSheet(data);
    for (const auto& [text, x, y] : std::vector<std::tuple<std::string, double, double>>{
             {"Abrechnungsblatt", 15, 15},
             {"Ortsname:", 15, 41},
             {"Kanton: ", 170, 41},
             {"H\xF6he \xFC"
              "ber Meer:",
              15, 47},
             {"    Watt", 70, 135},
             {"Gewicht", 178, 135},
             {"Transceiver (bzw. TX und RX):", 15, 140},
             {"Weiterer Stationsbestandteil:", 15, 185},
             {"Weiterer Stationsbestandteil:", 15, 190},
             {"Totalgewicht:", 15, 196},
             {"Datum: 20.07.2025", 15, 227},
             {"Name: ", 50, 227},
             {"e-Mail-Adresse: ", 115, 227}}) {
      EXPECT_TRUE(HasTextAt(p, text, x, y)) << "'" << text << "'";
    }
    EXPECT_EQ(TextsAtX(p, 178), (Strings{"Total", "Gewicht"}));  // block heading, weight heading
    EXPECT_EQ(TextsAtX(p, 45), Strings{});
    EXPECT_EQ(TextsAtX(p, 70), Strings{"    Watt"});
    EXPECT_FALSE(HasText(p, "Gurnigel Passh\xF6he"));
  }
}

TEST_F(ScoreSheetTest, ValuesAreCutAtTheirColumnLimits) {
  std::vector<std::string> lines = report_test::SampleStationDataLines();
  lines[1] = "#;ORT=;" + std::string(120, 'o');
  lines[2] = "#;KANTON=;BEX";
  lines[6] = "#;WATT=;123456789012";
  lines[7] = "#;STA01BEZ=;" + std::string(160, 'b');
  lines[8] = "#;STA01GRAMM=;123456";
  lines[29] = "#;OPNAME=;" + std::string(60, 'n');
  const Page p = WriteSheet(lines);
  // The long ones are drawn smaller, on their lines.
  EXPECT_TRUE(HasTextOnLine(p, std::string(100, 'o'), 45, 41, 10));
  EXPECT_TRUE(HasTextAt(p, "Kanton: BE", 170, 41));
  EXPECT_TRUE(HasTextAt(p, "1234567890 Watt", 70, 135));
  EXPECT_TRUE(HasTextOnLine(p, std::string(150, 'b'), 70, 140, 10));
  EXPECT_TRUE(HasTextAt(p, "  1234", 178, 140));
  EXPECT_TRUE(HasTextOnLine(p, "Name:  " + std::string(50, 'n'), 50, 227, 10));
}

}  // namespace
