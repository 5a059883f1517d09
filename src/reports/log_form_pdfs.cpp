// The two landscape log forms: the empty paper-log form with the own texts pre-printed, and the
// printout of the log. Both share one page frame of 21 rows.

#include <algorithm>
#include <string>
#include <vector>

#include "contest/contest_calendar.h"
#include "db/sqlite_database.h"
#include "reports/fitted_text.h"
#include "reports/logged_qsos.h"
#include "reports/pdf_reports.h"
#include "reports/print_pdf.h"
#include "reports/report_fonts.h"

namespace {

constexpr int kRowsPerPage = 21;
// The rule left of the QSL columns ends the last text column.
constexpr float kQslRule = 273;
// A row text ends at least this far before the rule on its right.
constexpr float kRuleGap = 1.0f;

struct FormColumn {
  float x;
  const char* heading;
};

// One record's texts and the x positions they are printed at.
using RowTexts = std::vector<std::pair<float, std::string>>;

// Where a row text starting at x must end: before the first column rule to its right.
float RightLimit(const std::vector<FormColumn>& columns, float x) {
  float rule = kQslRule;
  for (const FormColumn& column : columns) {
    if (column.x > x) rule = std::min(rule, column.x);
  }
  return rule - kRuleGap;
}

// Draws all pages of a form; rowText(i) gives the texts of record i. A text too long for its
// column is drawn smaller.
template <typename RowTextFn>
void DrawLogForm(TPrintPDF& pdf, const ReportFonts& fonts, const ReportValues& values,
                 const std::vector<FormColumn>& columns, size_t recordCount, RowTextFn rowText) {
  const size_t pageCount = (recordCount + kRowsPerPage - 1) / kRowsPerPage;
  const std::string head = "KTD-Log  " + ContestDateIso(values.year) + "   " + values.ownCallsign;
  size_t record = 0;
  for (size_t page = 1; page <= pageCount; ++page) {
    pdf.Rectangle(15, 15, 270, 180);
    pdf.Line(15, 21, 285, 21);
    pdf.Font = fonts.monoLarge;
    for (int i = 1; i <= kRowsPerPage; ++i) {
      const float y = 8.0f * i + 19.0f;
      pdf.Line(15, y, 285, y);
      if (record < recordCount) {
        for (const auto& [x, text] : rowText(record)) {
          TextOutWithin(pdf, text, x, y + 1, RightLimit(columns, x));
        }
        ++record;
      }
    }
    pdf.Font = fonts.body;
    pdf.TextOut(head, 16.2f, 15.6f);
    pdf.TextOut("Seite " + std::to_string(page), 258.5f, 15.6f);
    pdf.TextOut(" QSL", 274.3f, 15.6f);
    pdf.Line(kQslRule, 15, kQslRule, 195);
    pdf.TextOut("UTC", 16.2f, 21.6f);
    pdf.TextOut(" S", 273.75f, 21.6f);
    pdf.TextOut(" R", 279.75f, 21.6f);
    pdf.Line(279, 21, 279, 195);
    for (const FormColumn& column : columns) {
      pdf.Line(column.x, 21, column.x, 195);
      pdf.TextOut(column.heading, column.x + 1.2f, 21.6f);
    }
    if (page < pageCount) pdf.NewPage();
  }
}

void StartLandscapeForm(TPrintPDF& pdf, const std::string& file, const std::string& title) {
  pdf.FileName = file;
  pdf.Title = title;
  pdf.Page.SetOrientation(TPDFOrientation::poLandscape);
  pdf.BeginDoc();
}

}  // namespace

std::string WritePaperLogFormPdf(ReportPrinter& printer, const ReportValues& values,
                                 const std::vector<std::string>& textCollectionLines) {
  if (textCollectionLines.empty()) return std::string();
  TPrintPDF& pdf = printer.Pdf();
  pdf.LineWidth = 0.3f;
  StartLandscapeForm(pdf, values.outputStem + " Logformular mit Texten.pdf",
                     "Ausdruck Papierlog KTD");
  static const std::vector<FormColumn> kColumns = {
      {30, "Station"}, {75, "Sent"}, {90, "Text sent"}, {155, "Rcvd"}, {170, "Text rcvd"}};
  DrawLogForm(pdf, printer.Fonts(), values, kColumns, textCollectionLines.size(), [&](size_t i) {
    return RowTexts{{91.2f, textCollectionLines[i]}};
  });
  return pdf.EndDoc();
}

std::string WriteLogPrintoutPdf(ReportPrinter& printer, const ReportValues& values,
                                const LoggedQsos& qsos) {
  if (qsos.Empty()) return std::string();
  TPrintPDF& pdf = printer.Pdf();
  // No line width of its own: the form is drawn with the width the previous document left.
  StartLandscapeForm(pdf, values.outputStem + " Logformular nach KTD.pdf", "Ausdruck KTD-Log");
  static const std::vector<FormColumn> kColumns = {{30, "Station"}, {70, "Mode"},
                                                   {85, "Sent"},    {100, "Text sent"},
                                                   {165, "Rcvd"},   {180, "Text rcvd"}};
  RowTexts row(7);
  DrawLogForm(pdf, printer.Fonts(), values, kColumns, qsos.ByTime().size(),
              [&](size_t i) -> const RowTexts& {
                const LoggedQso& qso = *qsos.ByTime()[i];
                row = {{16.2f, qso.utc},  {31.2f, qso.rufz},  {71.2f, qso.cw ? "CW" : "SSB"},
                       {86.2f, qso.s},    {101.2f, qso.stxt}, {166.2f, qso.r},
                       {181.2f, qso.rtxt}};
                return row;
              });
  return pdf.EndDoc();
}

std::string WriteLogPrintoutPdf(ReportPrinter& printer, const ReportValues& values,
                                TSQLiteDatabase& log) {
  return WriteLogPrintoutPdf(printer, values,
                             LoggedQsos::Read(log, LoggedQsoColumns::ExchangeAndMode));
}
