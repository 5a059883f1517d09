#include <gtest/gtest.h>

#include "reports/report_fixture.h"

namespace {

using report_test::HasText;
using report_test::HasTextAt;
using report_test::Page;
using report_test::ReadPages;
using report_test::TextsAtX;

std::string Station(int i, const std::string& texts) {
  return "HB9A" + std::to_string(100 + i) + "/P,Name" + std::to_string(i) + texts;
}

// Station lines whose callsigns are drawn at x = 15 (texts list) as entries.
std::vector<size_t> EntriesPerPage(const std::vector<Page>& pages) {
  std::vector<size_t> counts;
  for (const Page& page : pages) counts.push_back(TextsAtX(page, 15).size() - 1);  // less header
  return counts;
}

class PersonalTextsTest : public report_test::ReportTest {};

struct TextsPagingCase {
  const char* name;
  int withTexts;
  int withoutTexts;  // interleaved after every third station with texts
  std::vector<size_t> entriesPerPage;
};

void PrintTo(const TextsPagingCase& c, std::ostream* os) {
  *os << c.name;
}

class PersonalTextsPagingTest : public PersonalTextsTest,
                                public ::testing::WithParamInterface<TextsPagingCase> {};

TEST_P(PersonalTextsPagingTest, ThirtyOneEntriesPerPageCountingOnlyStationsWithTexts) {
  const TextsPagingCase& c = GetParam();
  std::vector<std::string> lines;
  int without = 0;
  for (int i = 0; i < c.withTexts; ++i) {
    lines.push_back(Station(i, ",Ein Text von Station " + std::to_string(i)));
    if (i % 3 == 2 && without < c.withoutTexts) lines.push_back(Station(500 + without++, ",,,,"));
  }
  while (without < c.withoutTexts) lines.push_back(Station(500 + without++, ""));
  const std::string file = WritePersonalTextsPdf(*printer, report, lines);
  ASSERT_EQ(file, ctx.outputStem + " Persönliche Texte.pdf");
  const std::vector<Page> pages = ReadPages(file);
  EXPECT_EQ(EntriesPerPage(pages), c.entriesPerPage);
  for (size_t p = 0; p < pages.size(); ++p) {
    EXPECT_TRUE(HasTextAt(pages[p], "Seite " + std::to_string(p + 1), 180, 15));
    for (const auto& t : pages[p]) EXPECT_NE(t.text.rfind("HB9A6", 0), 0u) << t.text;  // no 5xx
  }
  ExpectReadersAccept(file, static_cast<int>(c.entriesPerPage.size()));
}

INSTANTIATE_TEST_SUITE_P(
    Paging, PersonalTextsPagingTest,
    ::testing::Values(TextsPagingCase{"ExactlyOnePage", 31, 0, {31}},
                      TextsPagingCase{"OneMore", 32, 0, {31, 1}},
                      TextsPagingCase{"StationsWithoutTextsDoNotCount", 31, 10, {31}},
                      // A full page with lines of the file left starts the next page, even when
                      // none of those lines is an entry.
                      TextsPagingCase{"LinesLeftAfterAFullPage", 31, 12, {31, 0}},
                      TextsPagingCase{"LinesLeftAfterTheSecondFullPage", 62, 25, {31, 31, 0}},
                      TextsPagingCase{"ThirdPage", 63, 0, {31, 31, 1}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PersonalTextsTest, EntryPrintsNumberedTextsBelowEachOtherAndCutsLongValues) {
  const std::vector<std::string> lines = {
      "hb9abc/p,Hans,Erster Text hier,,Dritter Text mit vielen Zeichen darin,",
      "HB9NOT/P,Niemand,,,,",
      ",Ohne Rufzeichen,Text ohne Station",
      "HB9LONGCALLSIGNX/P,Name,Text (eins)",
  };
  const std::string file = WritePersonalTextsPdf(*printer, report, lines);
  const std::vector<Page> pages = ReadPages(file);
  ASSERT_EQ(pages.size(), 1u);
  const Page& p = pages[0];
  EXPECT_TRUE(HasTextAt(p, "Pers\xF6nliche Texte f\xFCr KTD-Stationen von HB9XYZ/P   2025", 15, 15))
      << report_test::Describe(p);
  EXPECT_TRUE(HasTextAt(p, "hb9abc", 15, 25));
  EXPECT_TRUE(HasTextAt(p, "1. Erster Text hier", 45, 25));
  EXPECT_TRUE(HasTextAt(p, "3. Dritter Text mit vielen ", 45, 31)) << report_test::Describe(p);
  EXPECT_TRUE(HasTextAt(p, "HB9LONGCALLSI", 15, 39));
  EXPECT_TRUE(HasTextAt(p, "1. Text (eins)", 45, 39));
  EXPECT_EQ(TextsAtX(p, 15).size(), 3u);  // header and two entries
  EXPECT_FALSE(HasText(p, "HB9NOT"));
  EXPECT_FALSE(HasText(p, "1. Text ohne Station"));
  for (const auto& t : p) EXPECT_EQ(t.font == 15, t.y >= 25) << t.text;  // mono large entries
  ExpectReadersAccept(file, 1);
}

TEST_F(PersonalTextsTest, TallEntriesBreakThePageBeforeTheLowerRule) {
  std::vector<std::string> lines;
  for (int i = 0; i < 40; ++i) lines.push_back(Station(i, ",Text A,Text B,Text C,Text D"));
  const std::vector<Page> pages = ReadPages(WritePersonalTextsPdf(*printer, report, lines));
  ASSERT_EQ(pages.size(), 5u);  // 26 mm per entry: nine fit between the rules
  EXPECT_EQ(EntriesPerPage(pages), (std::vector<size_t>{9, 9, 9, 9, 4}));
  for (const Page& page : pages) {
    for (const auto& t : page) EXPECT_LE(t.y + t.size * 25.4 / 72, 279.0) << t.text;
  }
}

TEST_F(PersonalTextsTest, EmptyStationListWritesNothing) {
  EXPECT_EQ(WritePersonalTextsPdf(*printer, report, {}), "");
  EXPECT_EQ(WriteCheckListPdf(*printer, report, {}), "");
  EXPECT_FALSE(FileExists(ctx.outputStem + " Persönliche Texte.pdf"));
  EXPECT_FALSE(FileExists(ctx.outputStem + " Verbindungskontrolle.pdf"));
}

class CheckListTest : public report_test::ReportTest {};

struct CheckListCase {
  const char* name;
  std::vector<std::string> lines;
  std::vector<size_t> rowsPerPage;
};

void PrintTo(const CheckListCase& c, std::ostream* os) {
  *os << c.name;
}

std::vector<std::string> Stations(int count) {
  std::vector<std::string> lines;
  for (int i = 0; i < count; ++i) lines.push_back(Station(i, ""));
  return lines;
}

std::vector<std::string> WithBlankAt(std::vector<std::string> lines, size_t at) {
  lines.insert(lines.begin() + static_cast<long>(at), ",Name ohne Rufzeichen");
  return lines;
}

class CheckListPagingTest : public CheckListTest,
                            public ::testing::WithParamInterface<CheckListCase> {};

TEST_P(CheckListPagingTest, ThirtyTwoLinesPerPageEachLineCounting) {
  const CheckListCase& c = GetParam();
  const std::string file = WriteCheckListPdf(*printer, report, c.lines);
  ASSERT_EQ(file, ctx.outputStem + " Verbindungskontrolle.pdf");
  const std::vector<Page> pages = ReadPages(file);
  std::vector<size_t> rows;
  for (const Page& page : pages) rows.push_back(TextsAtX(page, 12).size() - 1);  // less header
  EXPECT_EQ(rows, c.rowsPerPage);
  EXPECT_TRUE(HasTextAt(pages.back(), "Seite " + std::to_string(pages.size()), 182, 15));
  ExpectReadersAccept(file, static_cast<int>(c.rowsPerPage.size()));
}

INSTANTIATE_TEST_SUITE_P(Paging, CheckListPagingTest,
                         ::testing::Values(CheckListCase{"ThirtyTwo", Stations(32), {32}},
                                           CheckListCase{"ThirtyThree", Stations(33), {32, 1}},
                                           CheckListCase{"LineWithoutCallsignTakesAPlace",
                                                         WithBlankAt(Stations(32), 5),
                                                         {31, 1}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(CheckListTest, RowHoldsCallsignAndNameInTwelveColumnsAndTheTickBoxes) {
  const std::vector<std::string> lines = {"hb9abc/p,Johannes-Maximilian,T1,T2",
                                          "HB9ABCDEFGHIJK,Eva", "HB9QQ/P"};
  const std::vector<Page> pages = ReadPages(WriteCheckListPdf(*printer, report, lines));
  ASSERT_EQ(pages.size(), 1u);
  const Page& p = pages[0];
  const std::string boxes = "  1. [ ] CW  [ ] SSB   2. [ ] CW  [ ] SSB";
  EXPECT_TRUE(HasTextAt(p, "Verbindungskontrolle mit KTD-Stationen von HB9XYZ/P   2025", 12, 15));
  EXPECT_TRUE(HasTextAt(p, "Seite 1", 182, 15));
  EXPECT_TRUE(HasTextAt(p, "hb9abc      Johannes-Max" + boxes, 12, 25)) << report_test::Describe(p);
  EXPECT_TRUE(HasTextAt(p, "HB9ABCDEFGHIEva         " + boxes, 12, 33));
  EXPECT_TRUE(HasTextAt(p, "HB9QQ                   " + boxes, 12, 41));
}

TEST_F(CheckListTest, ListsDrawTheirRulesWithLineWidthPointThree) {
  const std::string texts = WritePersonalTextsPdf(*printer, report, {"HB9ABC/P,Hans,Text"});
  std::string bytes;
  ASSERT_TRUE(ReadWholeFile(texts, bytes));
  const std::string content = PageContents(bytes).at(0);
  EXPECT_EQ(LineWidths(content), (std::vector<std::string>{"0.30", "0.30"}));
  EXPECT_NE(content.find("42.52 51.02 m\r\n552.76 51.02 l\r\n"), std::string::npos);  // y 279
  const std::string check = WriteCheckListPdf(*printer, report, {"HB9ABC/P,Hans,Text"});
  ASSERT_TRUE(ReadWholeFile(check, bytes));
  EXPECT_NE(PageContents(bytes).at(0).find("34.02 776.69 m\r\n558.43 776.69 l\r\n"),
            std::string::npos);  // y 23 from x 12 to 197
}

}  // namespace
