#include "reports/print_pdf.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>

#include "common/clock.h"
#include "common/text_file.h"
#include "support/pdf_tools.h"
#include "support/temp_folder.h"

namespace {

class PrintPdfTest : public ::testing::Test {
 protected:
  TempFolder dir;
  FixedClock clock;
  TPrintPDF pdf{clock};

  void SetUp() override {
    clock.local = DateTime{2025, 7, 20, 18, 5, 9};
    pdf.FileName = dir / "doc.pdf";
    pdf.Title = "Probe";
  }

  void ExpectReadersAccept(const std::string& path) {
    if (!HaveProgram("qpdf")) GTEST_SKIP() << "qpdf not installed";
    EXPECT_EQ(QpdfProblems(path), "");
  }
};

// Kind of object as told by its first line.
std::string KindOf(const PdfObjectText& object) {
  const std::string& b = object.body;
  if (b.rfind("<< /Producer", 0) == 0) return "info";
  if (b.rfind("<< /Length", 0) == 0) return "content";
  if (std::regex_match(b, std::regex("\\d+\r\n"))) return "length";
  if (b.rfind("<< /Type /FontDescriptor", 0) == 0) return "descriptor";
  std::smatch m;
  if (std::regex_search(b, m, std::regex("/BaseFont /(\\S+)"))) return "font " + m[1].str();
  if (b.rfind("<< /Type /Pages", 0) == 0) return "pages";
  if (b.rfind("<< /ProcSet", 0) == 0) return "resources";
  if (b.rfind("<< /Type /Page\r\n", 0) == 0) return "page";
  if (b.rfind("<< /Type /Catalog", 0) == 0) return "catalog";
  return "?";
}

TEST_F(PrintPdfTest, OnePageWithHelveticaAndLucidaConsoleHasTheTenObjectsInOrder) {
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kHelvetica, 10};
  pdf.TextOut("Abrechnungsblatt", 15, 15);
  pdf.Font = TPDFFont{kLucidaConsole, 10};
  pdf.TextOut("HB9XYZ/P", 40, 28);
  ASSERT_EQ(pdf.EndDoc(), dir / "doc.pdf");
  const std::string bytes = pdf.DocumentBytes();

  const std::vector<PdfObjectText> objects = SplitPdfObjects(bytes);
  std::vector<std::string> kinds;
  for (size_t i = 0; i < objects.size(); ++i) {
    EXPECT_EQ(objects[i].number, static_cast<int>(i + 1));
    kinds.push_back(KindOf(objects[i]));
  }
  EXPECT_EQ(kinds, (std::vector<std::string>{"info", "content", "length", "font Helvetica",
                                             "font LucidaConsole", "descriptor", "pages",
                                             "resources", "page", "catalog"}));
  EXPECT_NE(bytes.find("trailer\r\n<< /Size 11\r\n/Root 10 0 R\r\n/Info 1 0 R >>\r\nstartxref\r\n"),
            std::string::npos);
  EXPECT_NE(objects[4].body.find("/FontDescriptor 6 0 R >>"), std::string::npos);
  EXPECT_NE(objects[6].body.find("/Kids [\r\n9 0 R\r\n]\r\n/Count 1 >>"), std::string::npos);
  EXPECT_NE(objects[7].body.find("/Font <<\r\n/F1 4 0 R\r\n/F15 5 0 R\r\n>> >>"),
            std::string::npos);
  EXPECT_EQ(objects[8].body,
            "<< /Type /Page\r\n/Parent 7 0 R\r\n/MediaBox [ 0 0 595 842]\r\n/Contents 2 0 R\r\n"
            "/Resources 8 0 R >>\r\n");
  ExpectReadersAccept(dir / "doc.pdf");
}

TEST_F(PrintPdfTest, HeaderInfoObjectAndCrossReferenceAreByteExact) {
  pdf.Author = "VORLAX - Quennel";
  pdf.BeginDoc();
  pdf.EndDoc();
  const std::string bytes = pdf.DocumentBytes();
  EXPECT_EQ(bytes.substr(0, 16), std::string("%PDF-1.4\r\n%\xC4\xFC\xA3\r\n"));
  EXPECT_EQ(bytes.substr(16, bytes.find("endobj") + 8 - 16),
            "1 0 obj\r\n<< /Producer ()\r\n/Author (VORLAX - Quennel)\r\n"
            "/CreationDate (D:20250720180509)\r\n/Creator ()\r\n/Keywords ()\r\n/Subject ()\r\n"
            "/Title (Probe)\r\n/ModDate () >>\r\nendobj\r\n");

  // Every xref entry is 20 bytes and points at its object; startxref points at "xref".
  std::smatch m;
  ASSERT_TRUE(std::regex_search(bytes, m, std::regex("startxref\r\n(\\d+)\r\n%%EOF\r\n$")));
  const size_t xref = std::stoul(m[1]);
  ASSERT_EQ(bytes.substr(xref, 6), "xref\r\n");
  const std::vector<PdfObjectText> objects = SplitPdfObjects(bytes);
  const std::string table = bytes.substr(xref);
  const std::string count = "0 " + std::to_string(objects.size() + 1) + "\r\n";
  ASSERT_EQ(table.substr(6, count.size()), count);
  size_t entry = 6 + count.size();
  EXPECT_EQ(table.substr(entry, 20), "0000000000 65535 f\r\n");
  for (const PdfObjectText& object : objects) {
    entry += 20;
    char expected[32];
    std::snprintf(expected, sizeof expected, "%010zu 00000 n\r\n", object.offset);
    EXPECT_EQ(table.substr(entry, 20), expected) << "object " << object.number;
  }
  EXPECT_EQ(objects[0].offset, 16u);
}

TEST_F(PrintPdfTest, EmptyDocumentHasOnePageWithACompressedEmptyStream) {
  pdf.BeginDoc();
  pdf.EndDoc();
  const std::string bytes = pdf.DocumentBytes();
  const std::vector<PdfObjectText> objects = SplitPdfObjects(bytes);
  ASSERT_EQ(objects.size(), 7u);  // info, content, length, pages, resources, page, catalog
  const std::string& content = objects[1].body;
  EXPECT_EQ(content.substr(0, 54),
            "<< /Length 3 0 R\r\n/Filter [/FlateDecode]\r\n>>\r\nstream\r\n");
  const size_t data = content.find("stream\r\n") + 8;
  const size_t length = content.rfind("endstream\r\n") - data;  // endstream follows the data
  EXPECT_EQ(objects[2].body, std::to_string(length) + "\r\n");
  EXPECT_EQ(PageContents(bytes), std::vector<std::string>{""});
  EXPECT_NE(objects[4].body.find("/Font <<\r\n>> >>"), std::string::npos);
  ExpectReadersAccept(dir / "doc.pdf");
}

struct PositionCase {
  const char* name;
  TPDFOrientation orientation;
  int fontSize;
  float x, y;
  const char* expected;
};

void PrintTo(const PositionCase& c, std::ostream* os) {
  *os << c.name;
}

class PrintPdfPositionTest : public PrintPdfTest,
                             public ::testing::WithParamInterface<PositionCase> {};

TEST_P(PrintPdfPositionTest, TextPositionIsPointsFromTheBottomLessTheFontSize) {
  const PositionCase& c = GetParam();
  pdf.Page.SetOrientation(c.orientation);
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kHelvetica, c.fontSize};
  pdf.TextOut("x", c.x, c.y);
  pdf.EndDoc();
  const std::vector<std::string> pages = PageContents(pdf.DocumentBytes());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0], "BT\r\n0.0 0.0 0.0 rg\r\n/F1 " + std::to_string(c.fontSize) + " Tf\r\n" +
                          c.expected + " Td\r\n(x) Tj\r\nET\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PrintPdfPositionTest,
    ::testing::Values(
        PositionCase{"Portrait15", TPDFOrientation::poPortrait, 10, 15, 15, "42.52 789.37"},
        PositionCase{"LandscapeForm", TPDFOrientation::poLandscape, 12, 16.2f, 28, "45.92 503.91"},
        PositionCase{"Origin", TPDFOrientation::poPortrait, 14, 0, 0, "0.00 827.89"},
        // Millimetres convert to their absolute point value; below the page y turns negative.
        PositionCase{"BelowPage", TPDFOrientation::poPortrait, 10, -1, 300, "2.83 -18.50"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PrintPdfTest, LinesAndRectanglesUseLineWidthAndPageHeight) {
  pdf.Page.SetOrientation(TPDFOrientation::poLandscape);
  pdf.LineWidth = 0.6f;
  pdf.BeginDoc();
  pdf.Line(15, 54, 191, 54);
  pdf.LineWidth = 0.3f;
  pdf.Rectangle(15, 15, 270, 180);
  pdf.EndDoc();
  const std::vector<std::string> pages = PageContents(pdf.DocumentBytes());
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0],
            "0.0 0.0 0.0 RG\r\n0.60 w\r\n42.52 442.21 m\r\n541.42 442.21 l\r\nS\r\n"
            "0.0 0.0 0.0 RG\r\n0.30 w\r\n42.52 42.52 765.35 510.24 re\r\nS\r\n");
  EXPECT_NE(pdf.DocumentBytes().find("/MediaBox [ 0 0 842 595]"), std::string::npos);
}

TEST_F(PrintPdfTest, ParenthesesAndBackslashesAreEscapedAndReadBack) {
  pdf.Title = "Titel (mit Klammer";  // the information entries are escaped as well
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kHelvetica, 10};
  pdf.TextOut("Antenne (Dipol", 15, 15);
  pdf.TextOut("a\\b) c", 15, 25);
  pdf.TextOut(
      "H\xF6he \xFC"
      "ber Meer",
      15, 35);  // Windows-1252 umlauts
  pdf.EndDoc();
  const std::string content = PageContents(pdf.DocumentBytes()).at(0);
  EXPECT_NE(content.find("(Antenne \\(Dipol) Tj"), std::string::npos);
  EXPECT_NE(content.find("(a\\\\b\\) c) Tj"), std::string::npos);
  EXPECT_NE(pdf.DocumentBytes().find("/Title (Titel \\(mit Klammer)\r\n"), std::string::npos);
  if (!HaveProgram("pdftotext")) GTEST_SKIP() << "pdftotext not installed";
  EXPECT_EQ(QpdfProblems(dir / "doc.pdf"), "");
  const std::string text = PdfText(dir / "doc.pdf");
  EXPECT_NE(text.find("Antenne (Dipol"), std::string::npos) << text;
  EXPECT_NE(text.find("a\\b) c"), std::string::npos) << text;
  EXPECT_NE(text.find("Höhe über Meer"), std::string::npos) << text;
}

TEST_F(PrintPdfTest, PagesGetContentAndLengthPairsAndTheTreeListsThemInOrder) {
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kLucidaConsoleBold, 12};
  for (int page = 1; page <= 3; ++page) {
    if (page > 1) pdf.NewPage();
    pdf.TextOut("Seite " + std::to_string(page), 15, 15);
  }
  pdf.EndDoc();
  const std::string bytes = pdf.DocumentBytes();
  const std::vector<PdfObjectText> objects = SplitPdfObjects(bytes);
  // 1 info, 2..7 contents and lengths, 8 font, 9 descriptor, 10 tree, 11 resources, 12-14 pages.
  ASSERT_EQ(objects.size(), 15u);
  EXPECT_NE(objects[9].body.find("/Kids [\r\n12 0 R\r\n13 0 R\r\n14 0 R\r\n]\r\n/Count 3 >>"),
            std::string::npos);
  for (int k = 1; k <= 3; ++k) {
    EXPECT_NE(objects[10 + k].body.find("/Contents " + std::to_string(2 * k) + " 0 R"),
              std::string::npos);
    EXPECT_NE(objects[2 * k - 1].body.find("<< /Length " + std::to_string(2 * k + 1) + " 0 R"),
              std::string::npos);
  }
  EXPECT_NE(objects[8].body.find("/Flags 16418\r\n/FontBBox [ -250 -211 724 1000 ]"),
            std::string::npos);
  const std::vector<std::string> pages = PageContents(bytes);
  ASSERT_EQ(pages.size(), 3u);
  EXPECT_NE(pages[2].find("(Seite 3) Tj"), std::string::npos);
  EXPECT_EQ(pages[0].find("Seite 2"), std::string::npos);
  if (!HaveProgram("pdfinfo")) GTEST_SKIP() << "poppler not installed";
  EXPECT_EQ(QpdfProblems(dir / "doc.pdf"), "");
  EXPECT_EQ(PdfPageCountByReader(dir / "doc.pdf"), 3);
}

// A long document's pages are compressed side by side: each must still land in its own place,
// and each text must carry the colour and font set when it was drawn.
TEST_F(PrintPdfTest, LongDocumentKeepsEachPageInPlaceAndEachTextItsColourAndFont) {
  constexpr int kPages = 50;
  pdf.BeginDoc();
  for (int page = 1; page <= kPages; ++page) {
    if (page > 1) pdf.NewPage();
    pdf.Font = TPDFFont{page % 2 == 0 ? kCourier : kHelvetica, 10 + page % 3};
    pdf.Color.Red = page % 5 == 0 ? 1.0f : 0.0f;
    pdf.TextOut("Seite " + std::to_string(page), 15, 15);
  }
  pdf.EndDoc();
  const std::vector<std::string> pages = PageContents(pdf.DocumentBytes());
  ASSERT_EQ(pages.size(), static_cast<std::size_t>(kPages));
  for (int page = 1; page <= kPages; ++page) {
    const std::string& content = pages[page - 1];
    const std::string font = "/F" + std::to_string((page % 2 == 0 ? kCourier : kHelvetica) + 1) +
                             " " + std::to_string(10 + page % 3) + " Tf";
    const std::string colour = page % 5 == 0 ? "1.0 0.0 0.0 rg" : "0.0 0.0 0.0 rg";
    EXPECT_EQ(content.rfind("BT\r\n" + colour + "\r\n" + font + "\r\n", 0), 0u) << content;
    EXPECT_NE(content.find("(Seite " + std::to_string(page) + ") Tj"), std::string::npos);
  }
}

TEST_F(PrintPdfTest, LucidaConsoleFontObjectCarriesItsWidthsAndDescriptor) {
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kLucidaConsole, 10};
  pdf.TextOut("x", 0, 0);
  pdf.EndDoc();
  const std::vector<PdfObjectText> objects = SplitPdfObjects(pdf.DocumentBytes());
  std::string widths = "/Widths [";
  for (int i = 0; i < 224; ++i) widths += " 603";
  widths += " ]";
  EXPECT_EQ(objects[3].body,
            "<< /Type /Font\r\n/Subtype /TrueType\r\n/Name /F15\r\n"
            "/BaseFont /LucidaConsole\r\n/Encoding /WinAnsiEncoding\r\n"
            "/FirstChar 32 /LastChar 255\r\n" +
                widths + "\r\n/FontDescriptor 5 0 R >>\r\n");
  EXPECT_EQ(objects[4].body,
            "<< /Type /FontDescriptor\r\n/FontName /LucidaConsole\r\n/Flags 34\r\n"
            "/FontBBox [ -250 -211 721 1000 ]\r\n/MissingWidth 603\r\n/StemV 110\r\n"
            "/StemH 110\r\n/ItalicAngle 0\r\n/CapHeight 789\r\n/XHeight 395\r\n/Ascent 789\r\n"
            "/Descent -211\r\n/Leading 0\r\n/MaxWidth 603\r\n/AvgWidth 603\r\n>>\r\n");
}

TEST_F(PrintPdfTest, FontsOfEarlierDocumentsStayInTheResources) {
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kHelveticaBold, 14};
  pdf.TextOut("erstes", 15, 15);
  pdf.EndDoc();
  pdf.BeginDoc();
  pdf.Font = TPDFFont{kHelvetica, 10};
  pdf.TextOut("zweites", 15, 15);
  pdf.EndDoc();
  const std::string bytes = pdf.DocumentBytes();
  EXPECT_NE(bytes.find("/F1 4 0 R\r\n/F2 5 0 R\r\n>> >>"), std::string::npos);
  EXPECT_EQ(PageContents(bytes).at(0).find("erstes"), std::string::npos);
  ExpectReadersAccept(dir / "doc.pdf");
}

TEST_F(PrintPdfTest, FileThatCannotBeReplacedGetsATimeStampedSibling) {
  // A folder of that name cannot be replaced by a file, as a locked file cannot on other systems.
  std::filesystem::create_directories(dir / "Abrechnungsblatt.pdf/inside");
  pdf.FileName = dir / "Abrechnungsblatt.pdf";
  pdf.BeginDoc();
  EXPECT_EQ(pdf.EndDoc(), dir / "Abrechnungsblatt_20250720180509.pdf");
  EXPECT_EQ(pdf.WriteFailure(), std::strerror(EISDIR)) << "why the file itself was not replaced";
  std::string written;
  ASSERT_TRUE(ReadWholeFile(dir / "Abrechnungsblatt_20250720180509.pdf", written));
  EXPECT_EQ(written, pdf.DocumentBytes());
  EXPECT_TRUE(std::filesystem::is_directory(dir / "Abrechnungsblatt.pdf"));
}

TEST_F(PrintPdfTest, ExistingFileIsReplaced) {
  ASSERT_TRUE(WriteFileAtomic(dir / "doc.pdf", "old"));
  pdf.BeginDoc();
  EXPECT_EQ(pdf.EndDoc(), dir / "doc.pdf");
  EXPECT_EQ(pdf.WriteFailure(), "");
  std::string written;
  ASSERT_TRUE(ReadWholeFile(dir / "doc.pdf", written));
  EXPECT_EQ(written, pdf.DocumentBytes());
}

TEST(PdfPaperSizeTest, FormatsHaveTheirIsoSizesInPoints) {
  TPDFPage page;
  EXPECT_EQ(page.WidthHundredths(), 59528);
  EXPECT_EQ(page.HeightHundredths(), 84189);
  page.SetPaperSize(TPDFPaperSize::poA3);
  EXPECT_EQ(page.WidthHundredths(), MillimetresToHundredthPoints(297));
  EXPECT_EQ(page.HeightHundredths(), MillimetresToHundredthPoints(420));
  page.SetPaperSize(TPDFPaperSize::poB5);
  EXPECT_EQ(page.WidthHundredths(), MillimetresToHundredthPoints(176));
  page.SetPaperSize(TPDFPaperSize::poC6);
  page.SetOrientation(TPDFOrientation::poLandscape);
  EXPECT_EQ(page.WidthHundredths(), MillimetresToHundredthPoints(162));
  EXPECT_EQ(page.HeightHundredths(), MillimetresToHundredthPoints(114));
}

}  // namespace
