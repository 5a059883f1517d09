// All five report documents of one closing sequence, checked with poppler and qpdf: they pass the
// structure check, their texts (umlauts included) extract, and every page renders.

#include <gtest/gtest.h>

#include <filesystem>

#include "reports/report_fixture.h"

namespace {

class ReportReadersTest : public report_test::ReportTest {};

TEST_F(ReportReadersTest, EveryDocumentChecksExtractsAndRenders) {
  if (!HaveProgram("qpdf") || !HaveProgram("pdftotext") || !HaveProgram("pdftoppm")) {
    GTEST_SKIP() << "qpdf or poppler-utils not installed";
  }
  CreateLogSchema(ctx.logDbFile);
  {
    TSQLiteDatabase db(ctx.logDbFile);
    for (int i = 0; i < 25; ++i) {
      db.AddParamText(":rufz", "HB9A" + std::to_string(10 + i) + "/P");
      db.AddParamText(":mode", i % 3 == 0 ? "1" : "0");
      db.AddParamText(":rtxt", "Sch\xF6nes Wetter (sonnig) \\ warm");
      db.ExecSQL("INSERT INTO ktd VALUES (\"07" + std::to_string(10 + i) +
                 "\", :rufz, \"599\", \"Gr\xFCsse vom Gurnigel\", \"579\", "
                 ":rtxt, \"0\", :mode, \"1\", \"0\", \"0\")");
    }
  }
  std::vector<std::string> stations;
  for (int i = 0; i < 40; ++i) {
    stations.push_back("HB9A" + std::to_string(10 + i) + "/p,J\xFCrg " + std::to_string(i) +
                       ",M\xFCnsterplatz Bern Nummer " + std::to_string(i) + ",Zweiter Text");
  }
  std::vector<std::string> texts;
  for (int i = 0; i < 30; ++i)
    texts.push_back(
        "S\xFC"
        "dhang am Gurnigel " +
        std::to_string(i));
  std::vector<std::string> stationData = report_test::SampleStationDataLines();
  stationData[7] = "#;STA01BEZ=;Transceiver mit Kopfh\xF6rer";

  struct Written {
    std::string file;
    int pages;
    std::string expectedText;
  };
  const std::vector<Written> written = {
      {WritePersonalTextsPdf(*printer, report, stations), 3, "Persönliche Texte für KTD-Stationen"},
      {WriteCheckListPdf(*printer, report, stations), 2, "Jürg 1"},
      {WritePaperLogFormPdf(*printer, report, texts), 2, "Südhang am Gurnigel 29"},
      {[&] {
         TSQLiteDatabase db(ctx.logDbFile);
         return WriteLogPrintoutPdf(*printer, report, db);
       }(),
       2, "Schönes Wetter (sonnig) \\ warm"},
      {[&] {
         ComputeScore(ctx.logDbFile, ctx.score);
         return WriteScoreSheetPdf(*printer, report, ctx.score, stationData);
       }(),
       1, "Höhe über Meer"},
  };
  for (const Written& w : written) {
    ASSERT_FALSE(w.file.empty());
    EXPECT_EQ(QpdfProblems(w.file), "") << w.file;
    EXPECT_EQ(PdfPageCountByReader(w.file), w.pages) << w.file;
    const std::string text = PdfText(w.file);
    EXPECT_NE(text.find(w.expectedText), std::string::npos) << w.file << "\n" << text;
    std::string output;
    const std::string prefix = dir / "render";
    EXPECT_EQ(
        RunCommand("pdftoppm -r 20 -png " + ShellQuote(w.file) + " " + ShellQuote(prefix), output),
        0)
        << output;
    int rendered = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
      if (entry.path().filename().string().rfind("render", 0) == 0) {
        ++rendered;
        std::filesystem::remove(entry.path());
      }
    }
    EXPECT_EQ(rendered, w.pages) << w.file;
  }
  EXPECT_NE(PdfText(written[4].file).find("Transceiver mit Kopfhörer"), std::string::npos);

  // Optional: keep the documents for a look at them.
  if (const char* keep = std::getenv("KTD_KEEP_REPORTS")) {
    for (const Written& w : written) {
      std::filesystem::copy_file(
          w.file, std::string(keep) + "/" + std::filesystem::path(w.file).filename().string(),
          std::filesystem::copy_options::overwrite_existing);
    }
  }
}

}  // namespace
