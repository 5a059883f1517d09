#pragma once
// A working folder with the program's context for report tests, and the written pages read back
// as text runs placed in millimetres from the top-left corner, as the reports lay them out.

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "app/closing_sequence.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "contest/scoring.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "reports/pdf_reports.h"
#include "services/app_context.h"
#include "support/pdf_tools.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace report_test {

struct PlacedText {
  int font;  // resource number: 1 Helvetica, 2 Helvetica-Bold, 15 LucidaConsole, 16 its bold
  int size;
  double x;  // mm from the left edge
  double y;  // mm from the top edge
  std::string text;
};
using Page = std::vector<PlacedText>;

inline std::vector<Page> ReadPages(const std::string& path) {
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return {};
  const double height =
      bytes.find("/MediaBox [ 0 0 842 595]") != std::string::npos ? 595.28 : 841.89;
  std::vector<Page> pages;
  for (const std::string& content : PageContents(bytes)) {
    Page page;
    for (const PdfTextRun& run : TextRuns(content)) {
      page.push_back({run.font, run.size, run.x * 25.4 / 72,
                      (height - run.size - run.y) * 25.4 / 72, run.text});
    }
    pages.push_back(page);
  }
  return pages;
}

// Texts placed at x (to 0.01 mm), top to bottom as drawn.
inline std::vector<std::string> TextsAtX(const Page& page, double x) {
  std::vector<std::string> out;
  for (const PlacedText& t : page) {
    if (std::fabs(t.x - x) < 0.01) out.push_back(t.text);
  }
  return out;
}

// True when exactly this text is drawn at (x, y).
inline bool HasTextAt(const Page& page, const std::string& text, double x, double y) {
  for (const PlacedText& t : page) {
    if (t.text == text && std::fabs(t.x - x) < 0.01 && std::fabs(t.y - y) < 0.01) return true;
  }
  return false;
}

// True when this text is drawn at x on the baseline a text of `fullSize` points at (x, y) has: an
// over-long text drawn smaller keeps its line.
inline bool HasTextOnLine(const Page& page, const std::string& text, double x, double y,
                          int fullSize) {
  for (const PlacedText& t : page) {
    if (t.text == text && std::fabs(t.x - x) < 0.01 &&
        std::fabs(t.y + (t.size - fullSize) * 25.4 / 72 - y) < 0.01) {
      return true;
    }
  }
  return false;
}

inline bool HasText(const Page& page, const std::string& text) {
  for (const PlacedText& t : page) {
    if (t.text == text) return true;
  }
  return false;
}

inline std::string Describe(const Page& page) {
  std::string out;
  for (const PlacedText& t : page) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "F%d/%d (%.2f, %.2f) ", t.font, t.size, t.x, t.y);
    out += buf + t.text + "\n";
  }
  return out;
}

// A complete station-data record with a few equipment items.
inline std::vector<std::string> SampleStationDataLines() {
  std::vector<std::string> lines = {"#;QRA=;HB9XYZ/P",   "#;ORT=;Gurnigel Passh\xF6he",
                                    "#;KANTON=;BE",      "#;KOORD_X=;600123",
                                    "#;KOORD_Y=;180456", "#;QAH=;1593",
                                    "#;WATT=;5"};
  const std::string descriptions[11] = {"FT-817 (mit Akku)",
                                        "LiFePO4 3 Ah",
                                        "Kopfh\xF6rer",
                                        "",
                                        "Dipol 2 x 10 m",
                                        "",
                                        "",
                                        "",
                                        "",
                                        "",
                                        "Tasche"};
  const std::string weights[11] = {"1170", "350", "50", "0", "", "", "", "", "", "", "9999"};
  for (int i = 0; i < 11; ++i) {
    const std::string nn = (i < 9 ? "0" : "") + std::to_string(i + 1);
    lines.push_back("#;STA" + nn + "BEZ=;" + descriptions[i]);
    lines.push_back("#;STA" + nn + "GRAMM=;" + weights[i]);
  }
  for (const char* line : {"#;OPNAME=;Hans Muster", "#;EMAIL=;hans@example.ch", "#;ANZ_KTD=;0",
                           "#;ANZ_HB=;0", "#;ANZ_EU=;0", "#;ANZ_QSO=;0", "#;ANZ_PUNKTE=;0",
                           "#;LOGDATUM=;2025-07-20", "#;GESAMTGEWICHT=;12345 g"}) {
    lines.push_back(line);
  }
  return lines;
}

class ReportTest : public ::testing::Test {
 protected:
  TempFolder dir;
  FixedClock clock;
  AppContext ctx{clock};
  ReportValues report;
  std::unique_ptr<ReportPrinter> printer;

  void SetUp() override {
    clock.local = DateTime{2025, 7, 20, 19, 30, 5};
    PrepareWorkingFolders(ctx, dir.path(), 2025, "HB9XYZ/P");
    report = ReportValuesOf(ctx);
    printer = std::make_unique<ReportPrinter>(clock);
  }

  // qpdf finds nothing to complain about and poppler counts the pages; silent without the tools.
  static void ExpectReadersAccept(const std::string& path, int pages) {
    if (HaveProgram("qpdf")) {
      EXPECT_EQ(QpdfProblems(path), "") << path;
    }
    if (HaveProgram("pdfinfo")) {
      EXPECT_EQ(PdfPageCountByReader(path), pages) << path;
    }
  }
};

}  // namespace report_test
