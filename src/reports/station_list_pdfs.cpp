// The two lists printed from the station list file: the personal texts of the KTD stations and the
// check list for ticking off worked stations per half and mode.

#include <string>
#include <vector>

#include "reports/pdf_reports.h"
#include "reports/print_pdf.h"
#include "reports/report_fonts.h"

namespace {

struct StationListLine {
  std::string callsign;
  std::string name;
  std::string texts[4];
};

// The line with `extraCommas` commas appended, split at every comma; a final "/P" of the callsign
// is removed whatever its case.
StationListLine SplitStationListLine(const std::string& line, int extraCommas) {
  const std::string padded = line + std::string(extraCommas, ',');
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma = padded.find(','); comma != std::string::npos && fields.size() < 6;
       comma = padded.find(',', start)) {
    fields.push_back(padded.substr(start, comma - start));
    start = comma + 1;
  }
  fields.resize(6);
  StationListLine out;
  out.callsign = fields[0];
  const size_t n = out.callsign.size();
  if (n >= 2 && out.callsign[n - 2] == '/' &&
      (out.callsign[n - 1] == 'P' || out.callsign[n - 1] == 'p'))
    out.callsign.resize(n - 2);
  out.name = fields[1];
  for (int i = 0; i < 4; ++i) out.texts[i] = fields[2 + i];
  return out;
}

std::string FitTo(const std::string& text, size_t width) {
  std::string out = text.substr(0, width);
  out.resize(width, ' ');
  return out;
}

void StartPortraitList(TPrintPDF& pdf, const std::string& file, const std::string& title) {
  pdf.FileName = file;
  pdf.Title = title;
  pdf.Page.SetOrientation(TPDFOrientation::poPortrait);
  pdf.LineWidth = 0.3f;
  pdf.BeginDoc();
}

constexpr int kEntriesPerTextsPage = 31;
constexpr int kLinesPerCheckListPage = 32;
constexpr float kTextsListLowerRule = 279;

}  // namespace

std::string WritePersonalTextsPdf(ReportPrinter& printer, const ReportValues& values,
                                  const std::vector<std::string>& stationListLines) {
  if (stationListLines.empty()) return std::string();
  TPrintPDF& pdf = printer.Pdf();
  const ReportFonts& fonts = printer.Fonts();
  StartPortraitList(pdf, values.outputStem + " Persönliche Texte.pdf",
                    "Ausdruck einer Liste der pers\xF6nlichen KTD-Texte");

  int page = 0;
  int entriesOnPage = 0;
  float y = 0;
  auto startPage = [&] {
    if (page > 0) pdf.NewPage();
    ++page;
    pdf.Font = fonts.listHeader;
    pdf.TextOut("Pers\xF6nliche Texte f\xFCr KTD-Stationen von " + values.ownCallsign + "   " +
                    values.yearText,
                15, 15);
    pdf.TextOut("Seite " + std::to_string(page), 180, 15);
    pdf.Line(15, 23, 195, 23);
    pdf.Line(15, 279, 195, 279);
    pdf.Font = fonts.monoLarge;
    y = 25;
    entriesOnPage = 0;
  };
  startPage();

  for (size_t index = 0; index < stationListLines.size(); ++index) {
    const StationListLine station = SplitStationListLine(stationListLines[index], 10);
    int textCount = 0;
    for (const std::string& text : station.texts) textCount += text.empty() ? 0 : 1;
    if (station.callsign.empty() || textCount == 0) continue;

    // An entry whose last text line would reach below the lower rule starts a new page (several
    // texts make an entry taller than the 8 mm of one).
    const int furtherTexts = textCount - (station.texts[0].empty() ? 0 : 1);
    const float lastTextBottom = y + 6.0f * furtherTexts + 5.0f;
    if (entriesOnPage > 0 && lastTextBottom > kTextsListLowerRule) startPage();

    pdf.TextOut(station.callsign.substr(0, 13), 15, y);
    if (!station.texts[0].empty()) pdf.TextOut("1. " + station.texts[0].substr(0, 24), 45, y);
    for (int i = 1; i < 4; ++i) {
      if (station.texts[i].empty()) continue;
      y += 6;
      pdf.TextOut(std::to_string(i + 1) + ". " + station.texts[i].substr(0, 24), 45, y);
    }
    y += 8;
    // A full page is followed by the next one as long as lines of the file remain, whether or
    // not they are entries.
    if (++entriesOnPage == kEntriesPerTextsPage && index + 1 < stationListLines.size()) startPage();
  }
  return pdf.EndDoc();
}

std::string WriteCheckListPdf(ReportPrinter& printer, const ReportValues& values,
                              const std::vector<std::string>& stationListLines) {
  if (stationListLines.empty()) return std::string();
  TPrintPDF& pdf = printer.Pdf();
  const ReportFonts& fonts = printer.Fonts();
  StartPortraitList(pdf, values.outputStem + " Verbindungskontrolle.pdf",
                    "Teilnehmerliste zur Doppelverbindungskontrolle");

  float y = 0;
  for (size_t i = 0; i < stationListLines.size(); ++i) {
    // Every line of the file takes one of the 32 places of a page, printed or not.
    if (i % kLinesPerCheckListPage == 0) {
      const size_t page = i / kLinesPerCheckListPage + 1;
      if (page > 1) pdf.NewPage();
      pdf.Font = fonts.listHeader;
      pdf.TextOut("Verbindungskontrolle mit KTD-Stationen von " + values.ownCallsign + "   " +
                      values.yearText,
                  12, 15);
      pdf.TextOut("Seite " + std::to_string(page), 182, 15);
      pdf.Line(12, 23, 197, 23);
      pdf.Line(12, 281, 197, 281);
      pdf.Font = fonts.monoLarge;
      y = 25;
    }
    const StationListLine station = SplitStationListLine(stationListLines[i], 9);
    if (station.callsign.empty()) continue;
    pdf.TextOut(FitTo(station.callsign, 12) + FitTo(station.name, 12) +
                    "  1. [ ] CW  [ ] SSB   2. [ ] CW  [ ] SSB",
                12, y);
    y += 8;
  }
  return pdf.EndDoc();
}
