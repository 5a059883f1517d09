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

struct AppContext;
class Clock;
class TPrintPDF;
class TSQLiteDatabase;
struct ReportFonts;

class ReportPrinter {
 public:
  // Creates the writer (author "VORLAX - Quennel", empty creator) and the report font set. The
  // clock gives the creation date and the fallback file name's time stamp; nullptr = system clock.
  explicit ReportPrinter(const Clock* clock = nullptr);
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
std::string WritePersonalTextsPdf(ReportPrinter& printer, const AppContext& ctx,
                                  const std::vector<std::string>& stationListLines);

// " Verbindungskontrolle.pdf": every station of the station list file with tick boxes.
std::string WriteCheckListPdf(ReportPrinter& printer, const AppContext& ctx,
                              const std::vector<std::string>& stationListLines);

// " Logformular mit Texten.pdf": empty landscape log form with the collection's texts pre-printed.
std::string WritePaperLogFormPdf(ReportPrinter& printer, const AppContext& ctx,
                                 const std::vector<std::string>& textCollectionLines);

// " Logformular nach KTD.pdf": the QSOs of the log in time order; nothing when the log is empty.
std::string WriteLogPrintoutPdf(ReportPrinter& printer, const AppContext& ctx,
                                TSQLiteDatabase& log);

// " Abrechnungsblatt.pdf": recomputes the score from ctx.logDbFile into ctx.score, then prints it
// with the station data. stationDataLines are the lines of the station-data file; fewer than 38
// lines give the sheet without station data.
std::string WriteScoreSheetPdf(ReportPrinter& printer, AppContext& ctx,
                               const std::vector<std::string>& stationDataLines);
