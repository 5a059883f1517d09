// The score sheet: call sign, place, the point calculation for CW, SSB and both, the station with
// its equipment and weights, and the participant's declaration, on one portrait page.

#include <cstdio>
#include <string>
#include <vector>

#include "common/clock.h"
#include "contest/score_values.h"
#include "prep/station_data_record.h"
#include "reports/fitted_text.h"
#include "reports/pdf_reports.h"
#include "reports/print_pdf.h"
#include "reports/report_fonts.h"

namespace {

// Where the free texts of the station data must end: before the field to their right, or at the
// right end of the sheet's rules.
constexpr float kBeforeCanton = 169;   // "Kanton: " at 170
constexpr float kBeforeWeights = 177;  // weights at 178
constexpr float kBeforeEmail = 114;    // "e-Mail-Adresse:" at 115
constexpr float kRightMargin = 191;

std::string PadLeft(const std::string& text, size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

// Score numbers: empty for 0, otherwise right-aligned in four characters.
std::string CountColumn(long long value) {
  return value == 0 ? std::string() : PadLeft(std::to_string(value), 4);
}

// Weights: empty for the text "0", otherwise right-aligned in six characters.
std::string WeightColumn(const std::string& text) {
  return text == "0" ? std::string() : PadLeft(text, 6);
}

std::string TodayDotted(const Clock& clock) {
  const DateTime t = clock.LocalNow();
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", t.day, t.month, t.year);
  return buffer;
}

const char* const kItemLabels[kStationItemCount] = {
    "Transceiver (bzw. TX und RX):", "Stromversorgung:",
    "Kopfh\xF6rer, Lautsprecher:",   "Taster, Paddel, Mikrofon:",
    "Antenne, Anpassglieder:",       "Speiseleitung:",
    "Masten, Gegengewichte:",        "Abspannmaterial, Isolatoren:",
    "PC inkl. Zubeh\xF6r:",          "Weiterer Stationsbestandteil:",
    "Weiterer Stationsbestandteil:"};

struct ScoreBlock {
  const char* title;
  const char* totalHeading;
  float totalHeadingX;
  const char* qsoLabel;
  float top;  // y of the title row
  long long ktd, hb, eu, qsos, points;
};

void DrawScoreBlock(TPrintPDF& pdf, const ReportFonts& fonts, const ScoreBlock& b) {
  pdf.Font = fonts.body;
  pdf.TextOut(b.title, 55, b.top);
  pdf.TextOut("KTD-Stationen", 75, b.top + 5);
  pdf.TextOut("HB-Stationen", 110, b.top + 5);
  pdf.TextOut("Ausl. Stationen", 145, b.top + 5);
  pdf.TextOut(b.totalHeading, b.totalHeadingX, b.top + 5);
  pdf.TextOut(b.qsoLabel, 55, b.top + 10);
  pdf.TextOut("Punkte:", 55, b.top + 15);
  pdf.Font = fonts.mono;
  const float qsoRow = b.top + 10;
  pdf.TextOut(CountColumn(b.ktd), 80, qsoRow);
  pdf.TextOut(CountColumn(b.hb), 110, qsoRow);
  pdf.TextOut(CountColumn(b.eu), 145, qsoRow);
  pdf.TextOut(CountColumn(b.qsos), 175, qsoRow);
  const float pointsRow = b.top + 15;
  pdf.TextOut(CountColumn(4 * b.ktd), 80, pointsRow);
  pdf.TextOut(CountColumn(b.hb), 110, pointsRow);
  pdf.TextOut(CountColumn(b.eu), 145, pointsRow);
  pdf.TextOut(CountColumn(b.points), 175, pointsRow);
}

}  // namespace

std::string WriteScoreSheetPdf(ReportPrinter& printer, const ReportValues& values,
                               const ScoreValues& score,
                               const std::vector<std::string>& stationDataLines) {
  const ScoreValues& s = score;
  const bool withData = StationDataComplete(stationDataLines);
  const auto field = [&](int line, size_t column, size_t maxLength = std::string::npos) {
    return StationDataField(stationDataLines, line, column, maxLength);
  };
  TPrintPDF& pdf = printer.Pdf();
  const std::string today = TodayDotted(pdf.TheClock());
  const ReportFonts& fonts = printer.Fonts();
  pdf.FileName = values.outputStem + " Abrechnungsblatt.pdf";
  pdf.Title = "Ausdruck Abrechnungsblatt KTD";
  pdf.Page.SetOrientation(TPDFOrientation::poPortrait);
  pdf.LineWidth = 0.6f;
  pdf.BeginDoc();

  pdf.Font = fonts.title;
  pdf.TextOut("Abrechnungsblatt", 15, 15);
  pdf.TextOut("Tarvekfest", 15, 20);

  pdf.Font = fonts.bodyBold;
  pdf.TextOut("Rufzeichen:", 15, 29);
  pdf.TextOut("Kategorie:", 95, 29);
  pdf.TextOut("Jahr:", 170, 29);
  pdf.TextOut("Standort", 15, 36);

  pdf.Font = fonts.body;
  pdf.TextOut("Ortsname:", 15, 41);
  if (withData) {
    TextOutWithin(pdf, field(kStationLineOrt, 8, 100), 45, 41, kBeforeCanton);
    pdf.TextOut("Kanton: " + field(kStationLineKanton, 11, 2), 170, 41);
  } else {
    pdf.TextOut("Kanton: ", 170, 41);
  }
  pdf.TextOut(
      "H\xF6he \xFC"
      "ber Meer:",
      15, 47);
  pdf.TextOut("Koordinaten:", 75, 47);

  pdf.Font = fonts.monoBold;
  pdf.TextOut(values.ownCallsign, 40, 28);

  pdf.Font = fonts.mono;
  pdf.TextOut("KTD-Stationen", 115, 29);
  pdf.TextOut(today.substr(6, 4), 180, 29);
  if (withData) {
    pdf.TextOut(field(kStationLineQah, 8, 4) + " m", 45, 47);
    pdf.TextOut(field(kStationLineKoordX, 12, 6) + " / " + field(kStationLineKoordY, 12, 6), 100,
                47);
  }

  pdf.Line(15, 54, 191, 54);

  pdf.Font = fonts.bodyBold;
  pdf.TextOut("Punkteberechnung", 15, 55);
  DrawScoreBlock(pdf, fonts,
                 {"Anzahl g\xFCltiger CW-Verbindungen", "Total CW", 175, "CW-QSO:", 57, s.ktdCw,
                  s.hbCw, s.euCw, s.cwQsos, s.cwPoints});
  DrawScoreBlock(pdf, fonts,
                 {"Anzahl g\xFCltiger SSB-Verbindungen", "Total SSB", 175, "SSB-QSO:", 82, s.ktdSsb,
                  s.hbSsb, s.euSsb, s.ssbQsos, s.ssbPoints});
  DrawScoreBlock(
      pdf, fonts,
      {"Total CW und SSB", "Total", 178, "QSO:", 107, static_cast<long long>(s.ktdCw) + s.ktdSsb,
       static_cast<long long>(s.hbCw) + s.hbSsb, static_cast<long long>(s.euCw) + s.euSsb,
       static_cast<long long>(s.cwQsos) + s.ssbQsos,
       static_cast<long long>(s.cwPoints) + s.ssbPoints});

  pdf.Font = fonts.body;
  pdf.Line(15, 129, 191, 129);

  pdf.Font = fonts.bodyBold;
  pdf.TextOut("Stationsbeschreibung", 15, 130);
  pdf.Font = fonts.body;
  pdf.TextOut("Ausgangsleistung:", 15, 135);
  pdf.TextOut("Gewicht", 178, 135);
  for (int item = 1; item <= kStationItemCount; ++item) {
    pdf.TextOut(kItemLabels[item - 1], 15, 135.0f + 5.0f * item);
  }
  pdf.TextOut("Totalgewicht:", 15, 196);

  if (withData) {
    TextOutWithin(pdf, field(kStationLineWatt, 9, 10) + " Watt", 70, 135, kBeforeWeights);
    for (int item = 1; item <= kStationItemCount; ++item) {
      TextOutWithin(pdf, field(StationItemDescriptionLine(item), 13, 150), 70, 135.0f + 5.0f * item,
                    kBeforeWeights);
    }
    pdf.Font = fonts.mono;
    for (int item = 1; item <= kStationItemCount; ++item) {
      pdf.TextOut(WeightColumn(field(StationItemWeightLine(item), 15, 4)), 178,
                  135.0f + 5.0f * item);
    }
    const std::string total = field(kStationLineGesamtgewicht, 18);
    pdf.TextOut(WeightColumn(total.substr(0, total.find(" g"))), 178, 196);
    pdf.Font = fonts.body;
  } else {
    pdf.TextOut("    Watt", 70, 135);
  }

  pdf.Line(15, 207, 191, 207);

  pdf.Font = fonts.body;
  pdf.TextOut(
      "Ich best\xE4tige, dass das Wettbewerbsreglement sowie die Konzessions- und "
      "Radiovorschriften genau ",
      15, 214);
  pdf.TextOut("eingehalten wurden, und dass ich mich dem Entscheid der Jury unterziehe.", 15, 219);
  pdf.TextOut("Datum: " + today, 15, 227);
  if (withData) {
    TextOutWithin(pdf, "Name:  " + field(kStationLineOpName, 11, 50), 50, 227, kBeforeEmail);
    TextOutWithin(pdf, "e-Mail-Adresse:  " + field(kStationLineEmail, 10, 50), 115, 227,
                  kRightMargin);
  } else {
    pdf.TextOut("Name: ", 50, 227);
    pdf.TextOut("e-Mail-Adresse: ", 115, 227);
  }
  return pdf.EndDoc();
}
