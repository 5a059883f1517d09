// The printed forms with the longest valid texts, read back with poppler, whose placing of every
// word uses its own metrics of the standard fonts: nothing crosses a rule, no two words of a line
// overlap, nothing ends right of the rules. Over-long texts are drawn smaller on the baseline of
// their line; every other text keeps its size.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "reports/report_fixture.h"
#include "support/test_databases.h"

namespace {

constexpr double kPointsPerMm = 72.0 / 25.4;

void ExpectNothingCrossesItsRule(const std::string& path) {
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(path, bytes));
  const double height =
      bytes.find("/MediaBox [ 0 0 842 595]") != std::string::npos ? 595.28 : 841.89;
  const std::vector<std::string> contents = PageContents(bytes);
  const std::vector<std::vector<PdfWordBox>> pages = WordBoxesByReader(path);
  ASSERT_EQ(pages.size(), contents.size()) << path;
  for (size_t p = 0; p < pages.size(); ++p) {
    double margin = 0;  // where the horizontal rules end
    std::vector<PdfSegment> verticals;
    for (const PdfSegment& s : Segments(contents[p])) {
      if (s.x1 == s.x2)
        verticals.push_back(s);
      else
        margin = std::max({margin, s.x1, s.x2});
    }
    const std::vector<PdfWordBox>& words = pages[p];
    for (size_t i = 0; i < words.size(); ++i) {
      const PdfWordBox& w = words[i];
      EXPECT_LE(w.xMax, margin + 0.01) << "'" << w.word << "' beyond the rules";
      for (const PdfSegment& v : verticals) {
        const bool beside =
            w.yMax > height - std::max(v.y1, v.y2) && w.yMin < height - std::min(v.y1, v.y2);
        EXPECT_FALSE(beside && w.xMin < v.x1 && w.xMax > v.x1)
            << "'" << w.word << "' crosses the rule at " << v.x1 / kPointsPerMm << " mm";
      }
      for (size_t j = i + 1; j < words.size(); ++j) {
        const PdfWordBox& o = words[j];
        const double shared = std::min(w.yMax, o.yMax) - std::max(w.yMin, o.yMin);
        const bool sameLine = shared > std::min(w.yMax - w.yMin, o.yMax - o.yMin) / 2;
        EXPECT_FALSE(sameLine && w.xMin < o.xMax && o.xMin < w.xMax)
            << "'" << w.word << "' overlaps '" << o.word << "'";
      }
    }
  }
}

const std::string kShortText = "Eigener Text Nummer 1";
const std::string kLongestRealText = "Gruesse aus Zuerich am See";  // 22 without blanks
const std::string kLongestText = "A B C D E F G H I J K L M N O P Q R S T U V";  // 43 in all
const std::string kPlace(100, 'W'),
    kDescription(150, 'M'), kName = "Name:  " + std::string(50, 'W');
const std::string kEmail =
    "e-Mail-Adresse:  " + std::string(28, 'w') + "@" + std::string(15, 'm') + ".swiss";

struct FormCase {
  const char* name;
  std::function<std::string(ReportPrinter&, AppContext&)> write;
  int fullSize;
  // Texts, the size each is drawn in, and the top of its line in the full size (mm).
  std::vector<std::tuple<std::string, int, double>> sizes;
};

void PrintTo(const FormCase& c, std::ostream* os) {
  *os << c.name;
}

class FittedFormTest : public report_test::ReportTest,
                       public ::testing::WithParamInterface<FormCase> {};

TEST_P(FittedFormTest, LongestValidTextsEndBeforeTheirRulesAndStayOnTheirLines) {
  if (!HaveProgram("pdftotext")) GTEST_SKIP() << "poppler-utils not installed";
  CreateLogSchema(ctx.logDbFile);
  {
    TSQLiteDatabase db(ctx.logDbFile);
    InsertQsoRow(db, {"0705", "HB9/DL1ABCDEF/P", "599", kLongestText, "599599", kLongestText, "0",
                      "0", "0", "0", "1"});
    InsertQsoRow(db, {"0710", "HB9AA/P", "599", kShortText, "599", kLongestRealText, "0", "1", "1",
                      "0", "0"});
  }
  const std::string file = GetParam().write(*printer, ctx);
  ExpectNothingCrossesItsRule(file);
  const report_test::Page page = report_test::ReadPages(file).at(0);
  const auto run = [&](const std::string& text) {
    for (const report_test::PlacedText& t : page) {
      if (t.text == text) return t;
    }
    ADD_FAILURE() << "not drawn: " << text;
    return report_test::PlacedText{};
  };
  for (const auto& [text, size, top] : GetParam().sizes) {
    const report_test::PlacedText drawn = run(text);
    EXPECT_EQ(drawn.size, size) << text;
    EXPECT_NEAR(drawn.y + drawn.size / kPointsPerMm, top + GetParam().fullSize / kPointsPerMm, 0.01)
        << text;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, FittedFormTest,
    ::testing::Values(
        // Mono 12 pt: 24 characters fit the 62.8 mm before the "Rcvd" rule, 26 need 11 pt.
        FormCase{"PaperLogForm",
                 [](ReportPrinter& printer, AppContext& ctx) {
                   return WritePaperLogFormPdf(printer, ReportValuesOf(ctx),
                                               {kShortText, kLongestRealText, kLongestText});
                 },
                 12,
                 {{kShortText, 12, 28}, {kLongestRealText, 11, 36}, {kLongestText, 6, 44}}},
        FormCase{"LogPrintout",
                 [](ReportPrinter& printer, AppContext& ctx) {
                   TSQLiteDatabase log(ctx.logDbFile);
                   return WriteLogPrintoutPdf(printer, ReportValuesOf(ctx), log);
                 },
                 12,
                 {{"HB9/DL1ABCDEF/P", 11, 28}, {"599599", 10, 28}}},
        FormCase{"ScoreSheet",
                 [](ReportPrinter& printer, AppContext& ctx) {
                   std::vector<std::string> lines = report_test::SampleStationDataLines();
                   lines[1] = "#;ORT=;" + kPlace;
                   lines[6] = "#;WATT=;1234567890";
                   lines[9] = "#;STA02BEZ=;" + kDescription;
                   lines[29] = "#;OPNAME=;" + kName.substr(7);
                   lines[30] = "#;EMAIL=;" + kEmail.substr(17);
                   ComputeScore(ctx.logDbFile, ctx.score);
                   return WriteScoreSheetPdf(printer, ReportValuesOf(ctx), ctx.score, lines);
                 },
                 10,
                 {{"1234567890 Watt", 10, 135},
                  {kPlace, 3, 41},
                  {kDescription, 2, 145},
                  {kName, 3, 227},
                  {kEmail, 4, 227}}}),
    [](const ::testing::TestParamInfo<FormCase>& info) { return std::string(info.param.name); });

}  // namespace
