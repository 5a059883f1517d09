// Texts that must end before their rule: an over-long one is drawn smaller on its own baseline,
// every other text exactly as before. The written forms are checked with poppler's placing of
// every word, which uses its own metrics of the standard fonts.

#include <gtest/gtest.h>

#include <algorithm>

#include "reports/fitted_text.h"
#include "reports/print_pdf.h"
#include "reports/report_fixture.h"
#include "support/test_databases.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

struct FitCase {
  const char* name;
  TPDFFont font;
  std::string text;
  float x, right;
  int size;  // expected
};

void PrintTo(const FitCase& c, std::ostream* os) {
  *os << c.name;
}

class TextOutWithinTest : public ::testing::TestWithParam<FitCase> {};

// A paper-log text column runs from 91.2 to 154 mm (62.8 mm = 178.02 pt); a LucidaConsole
// character is 0.603 of the size wide. "Name:  " is 3.501 sizes wide in Helvetica, a "W" 0.944.
TEST_P(TextOutWithinTest, DrawsTheLargestWholeSizeThatEndsInTimeOnTheSameBaseline) {
  const FitCase& c = GetParam();
  TempFolder dir;
  TPrintPDF pdf;
  pdf.FileName = dir / "fit.pdf";
  pdf.BeginDoc();
  pdf.Font = c.font;
  EXPECT_EQ(TextOutWithin(pdf, c.text, c.x, 40, c.right), c.size);
  EXPECT_EQ(pdf.Font.Size, c.font.Size);  // the writer's font is left as it was
  pdf.EndDoc();

  const std::vector<PdfTextRun> runs = TextRuns(PageContents(pdf.DocumentBytes()).at(0));
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0].size, c.size);
  EXPECT_EQ(runs[0].text, c.text);
  EXPECT_NEAR(runs[0].x, c.x * kPointsPerMm, 0.006);
  // The baseline of the full size: page height less the size less the top.
  EXPECT_NEAR(runs[0].y, 841.89 - c.font.Size - 40 * kPointsPerMm, 0.006);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, TextOutWithinTest,
    ::testing::Values(
        FitCase{"short text", {kLucidaConsole, 12}, "Eigener Text", 91.2f, 154, 12},
        FitCase{
            "24 characters just fit", {kLucidaConsole, 12}, std::string(24, 'x'), 91.2f, 154, 12},
        FitCase{"25 characters one size smaller",
                {kLucidaConsole, 12},
                std::string(25, 'x'),
                91.2f,
                154,
                11},
        FitCase{"22 letters with a blank between each",
                {kLucidaConsole, 12},
                "A B C D E F G H I J K L M N O P Q R S T U V",
                91.2f,
                154,
                6},
        FitCase{
            "never below one point", {kLucidaConsole, 12}, std::string(1000, 'x'), 91.2f, 154, 1},
        FitCase{"Helvetica by its widths",
                {kHelvetica, 10},
                "Name:  " + std::string(50, 'W'),
                50,
                114,
                3},
        FitCase{"Helvetica narrow letters fit",
                {kHelvetica, 10},
                "Name:  " + std::string(50, 'i'),
                50,
                114,
                10}),
    [](const ::testing::TestParamInfo<FitCase>& info) {
      std::string name = info.param.name;
      std::replace_if(
          name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
      return name;
    });

// Checks every page of a written form as a reader sees it: no word crosses a vertical rule beside
// it, no two words of one line overlap, and no word ends right of where the horizontal rules end.
void ExpectNothingCrossesItsRule(const std::string& path) {
  if (!HaveProgram("pdftotext")) GTEST_SKIP() << "poppler-utils not installed";
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  const double height =
      bytes.find("/MediaBox [ 0 0 842 595]") != std::string::npos ? 595.28 : 841.89;
  const std::vector<std::string> contents = PageContents(bytes);
  const std::vector<std::vector<PdfWordBox>> pages = WordBoxesByReader(path);
  ASSERT_EQ(pages.size(), contents.size()) << path;
  for (size_t p = 0; p < pages.size(); ++p) {
    double margin = 0;
    std::vector<PdfSegment> verticals;
    for (const PdfSegment& s : Segments(contents[p])) {
      if (s.x1 == s.x2) {
        verticals.push_back(s);
      } else {
        margin = std::max({margin, s.x1, s.x2});
      }
    }
    ASSERT_GT(margin, 0);
    const std::vector<PdfWordBox>& words = pages[p];
    for (size_t i = 0; i < words.size(); ++i) {
      const PdfWordBox& w = words[i];
      EXPECT_LE(w.xMax, margin + 0.01) << "'" << w.word << "' beyond the margin";
      for (const PdfSegment& v : verticals) {
        const double top = height - std::max(v.y1, v.y2), bottom = height - std::min(v.y1, v.y2);
        if (w.yMax <= top || w.yMin >= bottom) continue;
        EXPECT_FALSE(w.xMin < v.x1 && w.xMax > v.x1)
            << "'" << w.word << "' crosses the rule at " << v.x1 / kPointsPerMm << " mm";
      }
      for (size_t j = i + 1; j < words.size(); ++j) {
        const PdfWordBox& o = words[j];
        const double shared = std::min(w.yMax, o.yMax) - std::max(w.yMin, o.yMin);
        const double lower = std::min(w.yMax - w.yMin, o.yMax - o.yMin);
        const bool sameLine = shared > lower / 2;
        EXPECT_FALSE(sameLine && w.xMin < o.xMax && o.xMin < w.xMax)
            << "'" << w.word << "' overlaps '" << o.word << "'";
      }
    }
  }
}

// The drawn run of a text; fails the test when it is not there.
report_test::PlacedText RunOf(const report_test::Page& page, const std::string& text) {
  for (const report_test::PlacedText& t : page) {
    if (t.text == text) return t;
  }
  ADD_FAILURE() << "not drawn: " << text;
  return {};
}

// Where a text's baseline lies, in mm from the top.
double Baseline(const report_test::PlacedText& t) {
  return t.y + t.size / kPointsPerMm;
}

class FittedFormsTest : public report_test::ReportTest {};

const std::string kShortText = "Eigener Text Nummer 1";
const std::string kLongestRealText = "Gruesse aus Zuerich am See";  // 22 without blanks
const std::string kLongestText = "A B C D E F G H I J K L M N O P Q R S T U V";  // 43 in all

TEST_F(FittedFormsTest, LogFormsKeepTheLongestValidTextsInsideTheirColumns) {
  const std::string paperForm =
      WritePaperLogFormPdf(*printer, ctx, {kShortText, kLongestRealText, kLongestText});
  ExpectNothingCrossesItsRule(paperForm);
  const report_test::Page form = report_test::ReadPages(paperForm).at(0);
  EXPECT_EQ(RunOf(form, kShortText).size, 12);
  EXPECT_EQ(RunOf(form, kLongestRealText).size, 11);
  EXPECT_EQ(RunOf(form, kLongestText).size, 6);
  // Each stands on the baseline a 12-point text of its row has: row top + 1 mm + 12 points.
  EXPECT_NEAR(Baseline(RunOf(form, kShortText)), 28 + 12 / kPointsPerMm, 0.01);
  EXPECT_NEAR(Baseline(RunOf(form, kLongestRealText)), 36 + 12 / kPointsPerMm, 0.01);
  EXPECT_NEAR(Baseline(RunOf(form, kLongestText)), 44 + 12 / kPointsPerMm, 0.01);

  CreateLogSchema(ctx.logDbFile);
  {
    TSQLiteDatabase db(ctx.logDbFile);
    InsertQsoRow(db, {"0705", "HB9/DL1ABCDEF/P", "599", kLongestText, "599599", kLongestText, "0",
                      "0", "0", "0", "1"});
    InsertQsoRow(db, {"0710", "HB9AA/P", "599", kShortText, "599", kLongestRealText, "0", "1", "1",
                      "0", "0"});
  }
  TSQLiteDatabase log(ctx.logDbFile);
  const std::string printout = WriteLogPrintoutPdf(*printer, ctx, log);
  ExpectNothingCrossesItsRule(printout);
  const report_test::Page rows = report_test::ReadPages(printout).at(0);
  EXPECT_EQ(RunOf(rows, "HB9AA/P").size, 12);
  EXPECT_EQ(RunOf(rows, kShortText).size, 12);
  EXPECT_LT(RunOf(rows, "HB9/DL1ABCDEF/P").size, 12);
  EXPECT_LT(RunOf(rows, "599599").size, 12);
}

TEST_F(FittedFormsTest, ScoreSheetKeepsTheLongestStationDataBeforeTheNextFieldAndTheMargin) {
  CreateLogSchema(ctx.logDbFile);
  {
    TSQLiteDatabase db(ctx.logDbFile);
    InsertQsoRow(
        db, {"0705", "HB9AA/P", "599", kShortText, "599", kShortText, "0", "0", "1", "0", "0"});
  }
  // Every free text as long as the sheet prints it, in the widest letters.
  std::vector<std::string> lines = report_test::SampleStationDataLines();
  const std::string place(100, 'W'), description(150, 'M'), name(50, 'W');
  const std::string email = std::string(28, 'w') + "@" + std::string(15, 'm') + ".swiss";
  lines[1] = "#;ORT=;" + place;
  lines[6] = "#;WATT=;1234567890";
  lines[9] = "#;STA02BEZ=;" + description;
  lines[29] = "#;OPNAME=;" + name;
  lines[30] = "#;EMAIL=;" + email;
  const std::string sheet = WriteScoreSheetPdf(*printer, ctx, lines);
  ExpectNothingCrossesItsRule(sheet);

  const report_test::Page p = report_test::ReadPages(sheet).at(0);
  for (const std::string& text :
       {place, description, "Name:  " + name, "e-Mail-Adresse:  " + email}) {
    EXPECT_LT(RunOf(p, text).size, 10) << text;
  }
  // Short values keep their size; the smaller ones stand on the line of their label.
  EXPECT_EQ(RunOf(p, "FT-817 (mit Akku)").size, 10);
  EXPECT_EQ(RunOf(p, "1234567890 Watt").size, 10);
  EXPECT_NEAR(Baseline(RunOf(p, place)), Baseline(RunOf(p, "Ortsname:")), 0.01);
  EXPECT_NEAR(Baseline(RunOf(p, description)), Baseline(RunOf(p, "Stromversorgung:")), 0.01);
  EXPECT_NEAR(Baseline(RunOf(p, "Name:  " + name)), Baseline(RunOf(p, "Datum: 20.07.2025")), 0.01);
}

}  // namespace
