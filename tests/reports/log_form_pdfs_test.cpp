#include <gtest/gtest.h>

#include "reports/report_fixture.h"

namespace {

using report_test::HasTextAt;
using report_test::Page;
using report_test::ReadPages;
using report_test::TextsAtX;

class LogFormTest : public report_test::ReportTest {
 protected:
  // Writes QSO rows (utc, rufz, s, stxt, r, rtxt, mode) into a fresh log.
  void WriteLog(const std::vector<std::vector<std::string>>& rows) {
    CreateLogSchema(ctx.logDbFile);
    TSQLiteDatabase db(ctx.logDbFile);
    db.BeginTransaction();
    for (const auto& r : rows) {
      db.AddParamText(":utc", r[0]);
      db.AddParamText(":rufz", r[1]);
      db.AddParamText(":s", r[2]);
      db.AddParamText(":stxt", r[3]);
      db.AddParamText(":r", r[4]);
      db.AddParamText(":rtxt", r[5]);
      db.AddParamText(":mode", r[6]);
      db.ExecSQL(
          "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, \"0\", :mode, \"1\", \"0\", "
          "\"0\")");
    }
    db.Commit();
  }

  static std::vector<std::vector<std::string>> Qsos(int count) {
    std::vector<std::vector<std::string>> rows;
    for (int i = 0; i < count; ++i) {
      const int hour = 6 + i / 60 % 10;
      const int minute = i % 60;
      const std::string utc =
          "0" + std::to_string(hour) + (minute < 10 ? "0" : "") + std::to_string(minute);
      rows.push_back({utc, "HB9A" + std::to_string(100 + i) + "/P", "599",
                      "Text gesendet " + std::to_string(i), "579",
                      "Text erhalten " + std::to_string(i), "0"});
    }
    return rows;
  }

  std::string WritePrintout() {
    TSQLiteDatabase db(ctx.logDbFile);
    return WriteLogPrintoutPdf(*printer, report, db);
  }
};

std::vector<std::string> Texts(int count) {
  std::vector<std::string> lines;
  for (int i = 1; i <= count; ++i) lines.push_back("Eigener Text Nummer " + std::to_string(i));
  return lines;
}

// Row texts of a form page: those at the given x below the heading row.
std::vector<double> RowPositions(const Page& page, double x) {
  std::vector<double> ys;
  for (const auto& t : page) {
    if (std::fabs(t.x - x) < 0.01 && t.y > 22) ys.push_back(t.y);
  }
  return ys;
}

struct FormPagingCase {
  const char* name;
  int records;
  std::vector<size_t> rowsPerPage;
};

void PrintTo(const FormPagingCase& c, std::ostream* os) {
  *os << c.name;
}

class LogFormPagingTest : public LogFormTest,
                          public ::testing::WithParamInterface<FormPagingCase> {};

TEST_P(LogFormPagingTest, PaperFormPrintsTwentyOneTextsPerPage) {
  const FormPagingCase& c = GetParam();
  const std::string file = WritePaperLogFormPdf(*printer, report, Texts(c.records));
  ASSERT_EQ(file, ctx.outputStem + " Logformular mit Texten.pdf");
  const std::vector<Page> pages = ReadPages(file);
  std::vector<size_t> rows;
  for (const Page& page : pages) rows.push_back(RowPositions(page, 91.2).size());
  EXPECT_EQ(rows, c.rowsPerPage);
  EXPECT_TRUE(HasTextAt(pages.back(), "Eigener Text Nummer " + std::to_string(c.records), 91.2,
                        8.0 * (c.rowsPerPage.back()) + 19 + 1));
  ExpectReadersAccept(file, static_cast<int>(pages.size()));
}

TEST_P(LogFormPagingTest, LogPrintoutPrintsTwentyOneQsosPerPage) {
  const FormPagingCase& c = GetParam();
  WriteLog(Qsos(c.records));
  const std::string file = WritePrintout();
  ASSERT_EQ(file, ctx.outputStem + " Logformular nach KTD.pdf");
  const std::vector<Page> pages = ReadPages(file);
  std::vector<size_t> rows;
  for (const Page& page : pages) rows.push_back(RowPositions(page, 31.2).size());
  EXPECT_EQ(rows, c.rowsPerPage);
  ExpectReadersAccept(file, static_cast<int>(pages.size()));
}

INSTANTIATE_TEST_SUITE_P(Paging, LogFormPagingTest,
                         ::testing::Values(FormPagingCase{"One", 1, {1}},
                                           FormPagingCase{"TwentyOne", 21, {21}},
                                           FormPagingCase{"TwentyTwo", 22, {21, 1}},
                                           FormPagingCase{"FortyThree", 43, {21, 21, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(LogFormTest, PaperFormFrameHeadingsAndRows) {
  const std::vector<Page> pages = ReadPages(WritePaperLogFormPdf(*printer, report, Texts(22)));
  ASSERT_EQ(pages.size(), 2u);
  for (size_t p = 0; p < 2; ++p) {
    const Page& page = pages[p];
    EXPECT_TRUE(HasTextAt(page, "KTD-Log  2025-07-20   HB9XYZ/P", 16.2, 15.6))
        << report_test::Describe(page);
    EXPECT_TRUE(HasTextAt(page, "Seite " + std::to_string(p + 1), 258.5, 15.6));
    EXPECT_TRUE(HasTextAt(page, " QSL", 274.3, 15.6));
    EXPECT_TRUE(HasTextAt(page, "UTC", 16.2, 21.6));
    EXPECT_TRUE(HasTextAt(page, " S", 273.75, 21.6));
    EXPECT_TRUE(HasTextAt(page, " R", 279.75, 21.6));
    EXPECT_TRUE(HasTextAt(page, "Station", 31.2, 21.6));
    EXPECT_TRUE(HasTextAt(page, "Sent", 76.2, 21.6));
    EXPECT_TRUE(HasTextAt(page, "Text sent", 91.2, 21.6));
    EXPECT_TRUE(HasTextAt(page, "Rcvd", 156.2, 21.6));
    EXPECT_TRUE(HasTextAt(page, "Text rcvd", 171.2, 21.6));
  }
  EXPECT_NEAR(RowPositions(pages[0], 91.2).front(), 28, 0.01);
  EXPECT_NEAR(RowPositions(pages[0], 91.2).back(), 188, 0.01);
  EXPECT_TRUE(HasTextAt(pages[1], "Eigener Text Nummer 22", 91.2, 28));

  // The frame: 21 row lines from y 27 to 187, the rectangle and the column lines, all at 0.30.
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(ctx.outputStem + " Logformular mit Texten.pdf", bytes));
  const std::string content = PageContents(bytes).at(1);
  EXPECT_NE(content.find("42.52 42.52 765.35 510.24 re"), std::string::npos);
  EXPECT_NE(content.find("42.52 518.74 m\r\n807.87 518.74 l"), std::string::npos);  // y 27
  EXPECT_NE(content.find("42.52 65.20 m\r\n807.87 65.20 l"), std::string::npos);    // y 187
  EXPECT_EQ(LineWidths(content), std::vector<std::string>(1 + 1 + 21 + 2 + 5, "0.30"));
}

TEST_F(LogFormTest, LogPrintoutRowsInTimeOrderWithMode) {
  WriteLog({{"0915", "HB9BBB/P", "59", "Zweiter gesendet", "57", "Zweiter erhalten", "1"},
            {"0701", "HB9AAA/P", "599", "Erster (gesendet)", "579", "Erster erhalten", "0"}});
  const std::vector<Page> pages = ReadPages(WritePrintout());
  ASSERT_EQ(pages.size(), 1u);
  const Page& p = pages[0];
  const std::vector<std::pair<double, std::vector<std::string>>> columns = {
      {16.2, {"KTD-Log  2025-07-20   HB9XYZ/P", "UTC", "0701", "0915"}},
      {31.2, {"Station", "HB9AAA/P", "HB9BBB/P"}},
      {71.2, {"Mode", "CW", "SSB"}},
      {86.2, {"Sent", "599", "59"}},
      {101.2, {"Text sent", "Erster (gesendet)", "Zweiter gesendet"}},
      {166.2, {"Rcvd", "579", "57"}},
      {181.2, {"Text rcvd", "Erster erhalten", "Zweiter erhalten"}}};
  for (const auto& [x, texts] : columns) {
    std::vector<std::string> found = TextsAtX(p, x);
    std::sort(found.begin(), found.end());
    std::vector<std::string> expected = texts;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(found, expected) << "x " << x;
  }
  EXPECT_TRUE(HasTextAt(p, "0701", 16.2, 28));
  EXPECT_TRUE(HasTextAt(p, "0915", 16.2, 36));
  EXPECT_TRUE(HasTextAt(p, "KTD-Log  2025-07-20   HB9XYZ/P", 16.2, 15.6));
}

TEST_F(LogFormTest, EmptyLogWritesNoPrintout) {
  CreateLogSchema(ctx.logDbFile);
  EXPECT_EQ(WritePrintout(), "");
  EXPECT_FALSE(FileExists(ctx.outputStem + " Logformular nach KTD.pdf"));
  EXPECT_EQ(WritePaperLogFormPdf(*printer, report, {}), "");
}

TEST_F(LogFormTest, LogPrintoutDrawsWithTheLineWidthTheWriterHolds) {
  WriteLog(Qsos(1));
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(WritePrintout(), bytes));
  for (const std::string& w : LineWidths(PageContents(bytes).at(0))) ASSERT_EQ(w, "0.10");

  WriteCheckListPdf(*printer, report, {"HB9ABC/P,Hans"});
  ASSERT_TRUE(ReadWholeFile(WritePrintout(), bytes));
  const std::vector<std::string> widths = LineWidths(PageContents(bytes).at(0));
  EXPECT_EQ(widths, std::vector<std::string>(widths.size(), "0.30"));
  EXPECT_NE(bytes.find("/MediaBox [ 0 0 842 595]"), std::string::npos);
}

}  // namespace
