#include "reports/adif_export.h"

#include <gtest/gtest.h>

#include "common/text_file.h"
#include "contest/log_fixture.h"
#include "prep/station_data_record.h"
#include "support/temp_folder.h"

namespace {

class AdifExportTest : public ::testing::Test {
 protected:
  AdifExportTest() : log_(dir_ / "ktd.sqlite") { test_log::CreateTables(log_); }

  // utc, call, s, stxt, r, rtxt, half, mode, ktdst, hbst, eust
  void AddQso(const std::string& utc, const std::string& call, const std::string& mode, bool ktd,
              const std::string& s = "599", const std::string& r = "599",
              const std::string& stxt = "ABC", const std::string& rtxt = "XYZ") {
    test_log::InsertRow(
        log_, {utc, call, s, ktd ? stxt : "", r, ktd ? rtxt : "", utc < "0800" ? "0" : "1", mode,
               ktd ? "1" : "0", "0", ktd ? "0" : "1"});
  }

  std::vector<std::string> StationLines(const std::string& description, const std::string& power) {
    StationData d;
    d.itemDescriptions[0] = description;
    d.power = power;
    d.place = "Napf";
    return BuildStationDataLines(d, "XX9XX/P", "2025-07-20");
  }

  TempFolder dir_;
  TSQLiteDatabase log_;
};

TEST_F(AdifExportTest, GeneralRecordOfKtdCwQsoMatchesTheExampleByteForByte) {
  AddQso("0815", "XX9XX/P", "0", true);
  const std::string path = dir_ / "XX9XX_P 2025.adi";
  ASSERT_TRUE(WriteAdifFile(path, log_, "20250720"));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  EXPECT_EQ(bytes,
            "ADIF 2 Exportiert aus ktd.sqlite\r\n"
            "Erzeugt hat diese Datei das Programm: VORLAX_KTD_Log.exe\r\n"
            "<adif_ver:1>2\r\n"
            "<eoh>\r\n"
            "<call:7>XX9XX/P <qso_date:8>20250720 <time_on:4>0815 <band:3>80m <mode:2>CW "
            "<rst_sent:3>599 <rst_rcvd:3>599 <stx_string:3>ABC <srx_string:3>XYZ <eor>\r\n");
}

TEST_F(AdifExportTest, GeneralRecordVariantsByStationClassAndMode) {
  AddQso("0815", "XX9XX/P", "0", false);                                   // other, CW
  AddQso("0816", "HB9ABC/P", "1", true, "59", "57", "HALLO WELT", "ZUG");  // KTD, SSB
  AddQso("0817", "DL1ABC", "1", false, "5", "599");                        // other, SSB
  const auto lines = BuildAdifLines(log_, "20250720");
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[4],
            "<call:7>XX9XX/P <qso_date:8>20250720 <time_on:4>0815 <band:3>80m <mode:2>CW "
            "<rst_sent:3>599 <rst_rcvd:3>599 <eor>");
  EXPECT_EQ(lines[5],
            "<call:8>HB9ABC/P <qso_date:8>20250720 <time_on:4>0816 <band:3>80m <mode:3>SSB "
            "<rst_sent:2>59 <rst_rcvd:2>57 <stx_string:10>HALLO WELT <srx_string:3>ZUG <eor>");
  // Report lengths stay fixed by mode even when the stored report is shorter or longer.
  EXPECT_EQ(lines[6],
            "<call:6>DL1ABC <qso_date:8>20250720 <time_on:4>0817 <band:3>80m <mode:3>SSB "
            "<rst_sent:2>5 <rst_rcvd:2>599 <eor>");
}

TEST_F(AdifExportTest, GeneralFileWithoutRecordsIsNotWritten) {
  const std::string path = dir_ / "XX9XX_P 2025.adi";
  EXPECT_FALSE(WriteAdifFile(path, log_, "20250720"));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(AdifExportTest, QslMessageFromItemOneAndPowerOfTheStationData) {
  EXPECT_EQ(EqslQslMessage(StationLines("  Selbstbau TRX ", "    5"), true), "Selbstbau TRX 5");
  EXPECT_EQ(EqslQslMessage(StationLines("", "    5"), true), "5");
  EXPECT_EQ(EqslQslMessage(StationLines("FT-817", ""), true), "FT-817");
  EXPECT_EQ(EqslQslMessage(StationLines("Selbstbau TRX", "5"), false), "");
}

TEST_F(AdifExportTest, EqslFileWithMessage) {
  AddQso("0815", "XX9XX/P", "0", true);
  AddQso("0930", "DL1ABC", "1", false, "59", "59");
  const std::string path = dir_ / "XX9XX_P 2025 eQSL.adi";
  ASSERT_TRUE(WriteEqslAdifFile(path, log_, "20250720", "Selbstbau TRX 5"));
  const auto lines = ReadLines(path);
  ASSERT_EQ(lines.size(), 15u);
  // The upload guide, Windows-1252 ("\xFC" is "ü", "\xE4" is "ä").
  const std::vector<std::string> header = {
      "ADIF 2 Exportiert aus ktd.sqlite",
      "ADIF Datei f\xFCr www.eQSL.cc:",
      "Webseite https://www.eqsl.cc/qslcard/EnterADIF.cfm aufsuchen und mit dem eignen Rufzeichen "
      "einloggen.",
      "Men\xFC: Meine Konten ausw\xE4hlen (Maintain all your accounts)",
      "Das passende Konto: Rufzeichen (Nickname) ausw\xE4hlen und einloggen (Login)",
      "Zur\xFC"
      "ck zum Hauptmen\xFC.",
      "Men\xFC: Upload ADIF ausw\xE4hlen.",
      "STEP 1: ADIF Datei zum Hochladen ausw\xE4hlen.",
      "STEP 2: Upload",
      "Men\xFC: Ausloggen.",
      "Erzeugt hat diese Datei das Programm: VORLAX_KTD_Log.exe",
      "<adif_ver:1>2",
      "<eoh>"};
  EXPECT_EQ(std::vector<std::string>(lines.begin(), lines.begin() + 13), header);
  EXPECT_EQ(lines[13],
            "<CALL:7>XX9XX/P <QSO_DATE:8>20250720 <TIME_ON:4>0815 <BAND:3>80m <MODE:2>CW "
            "<RST_SENT:3>599 <QSLMSG:15>Selbstbau TRX 5 <EOR>");
  EXPECT_EQ(lines[14],
            "<CALL:6>DL1ABC <QSO_DATE:8>20250720 <TIME_ON:4>0930 <BAND:3>80m <MODE:3>SSB "
            "<RST_SENT:2>59 <QSLMSG:15>Selbstbau TRX 5 <EOR>");
}

TEST_F(AdifExportTest, EqslFileWithoutMessageHasNoQslmsgAndLowerCaseModeTag) {
  AddQso("0815", "XX9XX/P", "0", true);
  AddQso("0930", "DL1ABC", "1", false, "59", "59");
  const auto lines = BuildEqslAdifLines(log_, "20250720", "");
  ASSERT_EQ(lines.size(), 15u);
  EXPECT_EQ(lines[13],
            "<CALL:7>XX9XX/P <QSO_DATE:8>20250720 <TIME_ON:4>0815 <BAND:3>80m <mode:2>CW "
            "<RST_SENT:3>599 <EOR>");
  EXPECT_EQ(lines[14],
            "<CALL:6>DL1ABC <QSO_DATE:8>20250720 <TIME_ON:4>0930 <BAND:3>80m <mode:3>SSB "
            "<RST_SENT:2>59 <EOR>");
}

TEST_F(AdifExportTest, QuoteAndUmlautInEquipmentDescriptionAreCarriedIntact) {
  // A double quote once ended the record statement's string early; the message must arrive whole,
  // its length counting Windows-1252 characters.
  AddQso("0815", "XX9XX/P", "0", true);
  const std::string message =
      EqslQslMessage(StationLines("KX2 \"Kopfh\xF6rer\"; DROP TABLE ktd; --", "10"), true);
  ASSERT_EQ(message, "KX2 \"Kopfh\xF6rer\"; DROP TABLE ktd; -- 10");
  const auto lines = BuildEqslAdifLines(log_, "20250720", message);
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[13],
            "<CALL:7>XX9XX/P <QSO_DATE:8>20250720 <TIME_ON:4>0815 <BAND:3>80m <MODE:2>CW "
            "<RST_SENT:3>599 <QSLMSG:38>KX2 \"Kopfh\xF6rer\"; DROP TABLE ktd; -- 10 <EOR>");
  EXPECT_EQ(test_log::Column(log_, "SELECT count(*) FROM ktd"), std::vector<std::string>{"1"});
}

TEST_F(AdifExportTest, RecordsFollowTheStoredOrderOfTheTable) {
  AddQso("1200", "DL1AAA", "0", false);
  AddQso("0700", "DL1BBB", "0", false);
  AddQso("0900", "DL1CCC", "1", false);
  const auto general = BuildAdifLines(log_, "20250720");
  const auto eqsl = BuildEqslAdifLines(log_, "20250720", "x");
  ASSERT_EQ(general.size(), 7u);
  ASSERT_EQ(eqsl.size(), 16u);
  const char* calls[] = {"DL1AAA", "DL1BBB", "DL1CCC"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(general[4 + i].substr(8, 6), calls[i]);
    EXPECT_EQ(eqsl[13 + i].substr(8, 6), calls[i]);
  }
}

}  // namespace
