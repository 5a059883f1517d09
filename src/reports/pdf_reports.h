#pragma once
// The PDF documents written at program end: personal texts list, participant check list, paper-log
// form with texts, log printout and score sheet. One ReportPrinter (the PDF writer with the report
// font set) serves all of them in one closing sequence; each document is run through it after the
// previous one has been finished, so a document without its own line width inherits the last one.
//
// Each Write...Pdf returns the path of the file it wrote (the time-stamped fallback name when the
// old file could not be replaced), or an empty string when it wrote nothing; when the file itself
// could not be written, printer.Pdf().WriteFailure() gives the system's reason. A failing query of
// the log throws ESQLiteException before the document is begun.

#include <memory>
#include <string>
#include <vector>

class Clock;
class LoggedQsos;
class TPrintPDF;
class TSQLiteDatabase;
struct ReportFonts;
struct ScoreValues;

// What the reports print about the station and where they are written.
struct ReportValues {
  std::string ownCallsign;  // upper case, ends in "/P"
  std::string yearText;     // four digits
  int year = 0;             // the contest year: the log forms carry its contest date
  std::string outputStem;   // year folder + base callsign ("/" as "_") + "_P " + year
};

class ReportPrinter {
 public:
  // Creates the writer (author "VORLAX - Quennel", empty creator) and the report font set. The
  // clock gives the creation date and the fallback file name's time stamp; it outlives the printer.
  explicit ReportPrinter(const Clock& clock);
  ~ReportPrinter();
  ReportPrinter(const ReportPrinter&) = delete;
  ReportPrinter& operator=(const ReportPrinter&) = delete;

  TPrintPDF& Pdf();
  const ReportFonts& Fonts() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

// " Persönliche Texte.pdf": the stations of the station list file that have at least one text.
std::string WritePersonalTextsPdf(ReportPrinter& printer, const ReportValues& values,
                                  const std::vector<std::string>& stationListLines);

// " Verbindungskontrolle.pdf": every station of the station list file with tick boxes.
std::string WriteCheckListPdf(ReportPrinter& printer, const ReportValues& values,
                              const std::vector<std::string>& stationListLines);

// " Logformular mit Texten.pdf": empty landscape log form with the collection's texts pre-printed.
std::string WritePaperLogFormPdf(ReportPrinter& printer, const ReportValues& values,
                                 const std::vector<std::string>& textCollectionLines);

// " Logformular nach KTD.pdf": the QSOs of the log in time order; nothing when the log is empty.
// Takes the rows closing read once, or reads them from the log itself.
std::string WriteLogPrintoutPdf(ReportPrinter& printer, const ReportValues& values,
                                const LoggedQsos& qsos);
std::string WriteLogPrintoutPdf(ReportPrinter& printer, const ReportValues& values,
                                TSQLiteDatabase& log);

// " Abrechnungsblatt.pdf": the score (as ComputeScore left it) with the station data, dated with
// the printer's clock. stationDataLines are the lines of the station-data file; fewer than 38
// lines give the sheet without station data.
std::string WriteScoreSheetPdf(ReportPrinter& printer, const ReportValues& values,
                               const ScoreValues& score,
                               const std::vector<std::string>& stationDataLines);
