#include "app/closing_sequence.h"

#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "common/text_file.h"
#include "contest/contest_calendar.h"
#include "contest/scoring.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"
#include "reports/adif_export.h"
#include "reports/log_export.h"
#include "reports/logged_qsos.h"
#include "reports/print_pdf.h"
#include "services/app_context.h"

namespace {

// The outputs made from the log's QSOs, in the order they are written.
constexpr const char* kLogPrintout = " Logformular nach KTD.pdf";
constexpr const char* kScoreSheet = " Abrechnungsblatt.pdf";
constexpr const char* kEqslAdif = " eQSL.adi";
constexpr const char* kAdif = ".adi";
constexpr const char* kLogExport = ".ktd";

// A PDF that came back without a path but with a reason was meant to be written and was not; one
// that came back under another name could not replace the old file.
void CheckPdf(FileFailures& failures, ReportPrinter& printer, const std::string& written) {
  const TPrintPDF& pdf = printer.Pdf();
  if (pdf.WriteFailure().empty()) return;
  if (written.empty())
    failures.AddNotWritten(pdf.FileName, pdf.WriteFailure());
  else if (written != pdf.FileName)
    failures.AddWrittenElsewhere(pdf.FileName, pdf.WriteFailure(), written);
}

void CheckFile(FileFailures& failures, bool written, const std::string& path,
               const std::string& reason) {
  if (!written && !reason.empty()) failures.AddNotWritten(path, reason);
}

// Runs the writing of one output that reads the log. A failing query of a damaged log names that
// output and leaves the others to go on; the database's message is kept for the box.
template <typename Write>
void WriteFromLog(FileFailures& failures, const std::string& path, Write write) {
  try {
    write();
  } catch (const ESQLiteException& e) {
    failures.AddNotWrittenForDatabase(path, e.what());
  }
}

// The outputs made from a log that holds QSOs. The log is read once for all of them; when that
// read fails, each output reads only the columns it prints, so that the failure names exactly the
// outputs it stops. With the log read, the score and the three text files need no printer: they
// are made on a second core while the PDFs are drawn, and their failures are still named in the
// order of the outputs.
class QsoOutputs {
 public:
  QsoOutputs(AppContext& ctx, TSQLiteDatabase& log,
             const std::vector<std::string>& stationDataLines)
      : ctx_(ctx), log_(log), stationDataLines_(stationDataLines), stem_(ctx.outputStem) {}

  // Reads the log and starts the second thread when it can.
  void Start() {
    try {
      shared_ = LoggedQsos::Read(log_, LoggedQsoColumns::All);
    } catch (const ESQLiteException&) {
      return;
    }
    try {
      side_ = std::jthread([this] {
        try {
          FolderFlushBatch folderFlush;
          ScoreAndTextFiles();
          for (const auto& [folder, reason] : folderFlush.Finish())
            sideFailures_.AddNotWritten(folder, reason);
        } catch (...) {
          sideError_ = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: Finish does the work on this thread.
    }
  }

  // The log printout, then the score sheet and the text files' failures.
  void Finish(ReportPrinter& printer, const ReportValues& report, FileFailures& failures) {
    WriteFromLog(failures, stem_ + kLogPrintout, [&] {
      CheckPdf(failures, printer,
               WriteLogPrintoutPdf(printer, report, Qsos(LoggedQsoColumns::ExchangeAndMode)));
    });
    if (side_.joinable()) {
      side_.join();
      if (sideError_) std::rethrow_exception(sideError_);
    } else {
      ScoreAndTextFiles();
    }
    if (scored_)
      CheckPdf(failures, printer,
               WriteScoreSheetPdf(printer, report, ctx_.score, stationDataLines_));
    else
      failures.AddNotWrittenForDatabase(stem_ + kScoreSheet, scoreFailure_);
    failures.Append(sideFailures_);
  }

 private:
  const LoggedQsos& Qsos(LoggedQsoColumns columns) {
    if (shared_) return *shared_;
    own_ = LoggedQsos::Read(log_, columns);
    return own_;
  }

  // The score into ctx.score (the score sheet and the export print it), both ADIF files and the
  // log export.
  void ScoreAndTextFiles() {
    try {
      ComputeScore(ctx_.logDbFile, ctx_.score);
      scored_ = true;
    } catch (const ESQLiteException& e) {
      scoreFailure_ = e.what();
    }
    FileFailures& failures = sideFailures_;
    const std::string dateCompact = ContestDateCompact(ctx_.year);
    WriteFromLog(failures, stem_ + kEqslAdif, [&] {
      std::string reason;
      const bool written =
          WriteEqslAdifFile(stem_ + kEqslAdif, Qsos(LoggedQsoColumns::All), dateCompact,
                            EqslQslMessage(stationDataLines_, ctx_.stationDataPresent), &reason);
      CheckFile(failures, written, stem_ + kEqslAdif, reason);
    });
    WriteFromLog(failures, stem_ + kAdif, [&] {
      std::string reason;
      const bool written =
          WriteAdifFile(stem_ + kAdif, Qsos(LoggedQsoColumns::All), dateCompact, &reason);
      CheckFile(failures, written, stem_ + kAdif, reason);
    });
    // With station data the export's summary lines carry the score: without a score it would
    // hand on counts that were never computed.
    if (!scored_ && ctx_.stationDataPresent) {
      failures.AddNotWrittenForDatabase(stem_ + kLogExport, scoreFailure_);
      return;
    }
    WriteFromLog(failures, stem_ + kLogExport, [&] {
      std::string reason;
      const bool written = WriteLogExportFile(stem_ + kLogExport, Qsos(LoggedQsoColumns::Exchange),
                                              stationDataLines_, ctx_.stationDataPresent,
                                              ctx_.score, ContestDateIso(ctx_.year), &reason);
      CheckFile(failures, written, stem_ + kLogExport, reason);
    });
  }

  AppContext& ctx_;
  TSQLiteDatabase& log_;
  const std::vector<std::string>& stationDataLines_;
  const std::string& stem_;
  std::optional<LoggedQsos> shared_;
  LoggedQsos own_;
  bool scored_ = false;
  std::string scoreFailure_;
  FileFailures sideFailures_;  // the text files', named after the score sheet
  std::exception_ptr sideError_;
  std::jthread side_;  // last: joined before the members it uses are destroyed
};

}  // namespace

ReportValues ReportValuesOf(const AppContext& ctx) {
  return {ctx.ownCallsign, ctx.yearText, ctx.year, ctx.outputStem};
}

FileFailures RunClosingSequence(AppContext& ctx) {
  // The lists are read once here and handed to the reports; a missing file counts as no lines.
  const std::vector<std::string> stationListLines = ReadLines(ctx.stationListFile);
  const std::vector<std::string> textCollectionLines = ReadLines(ctx.textCollectionFile);
  const std::vector<std::string> stationDataLines = ReadLines(ctx.stationDataFile);
  ctx.stationListPresent = !stationListLines.empty();
  ctx.textCollectionPresent = !textCollectionLines.empty();
  // Only a complete record is printed or copied: the reports take its items by line number.
  ctx.stationDataPresent = StationDataComplete(stationDataLines);

  FileFailures failures;
  const std::string& stem = ctx.outputStem;
  FolderFlushBatch folderFlush;  // the year folder is flushed once, after the last output

  // A log that cannot be opened or counted leaves open whether the QSO outputs are to be written
  // or deleted: they are named as not written, and the old ones stay.
  std::unique_ptr<TSQLiteDatabase> log;
  std::string countFailure;
  bool counted = false;
  bool logHasQsos = false;
  try {
    // Opened, read and closed here on this thread: no mutex per call.
    log = std::make_unique<TSQLiteDatabase>(ctx.logDbFile,
                                            TSQLiteDatabase::Threading::ThisThreadOnly);
    logHasQsos = CountQsos(*log) > 0;
    ctx.logEmpty = !logHasQsos;
    counted = true;
  } catch (const ESQLiteException& e) {
    countFailure = e.what();
  }

  ReportPrinter printer(ctx.clock);
  const ReportValues report = ReportValuesOf(ctx);
  std::optional<QsoOutputs> qsoOutputs;
  if (counted && logHasQsos) {
    qsoOutputs.emplace(ctx, *log, stationDataLines);
    qsoOutputs->Start();
  }

  // The lists come from their files alone and are written whatever the state of the log.
  if (ctx.stationListPresent) {
    CheckPdf(failures, printer, WritePersonalTextsPdf(printer, report, stationListLines));
    CheckPdf(failures, printer, WriteCheckListPdf(printer, report, stationListLines));
  }
  if (ctx.textCollectionPresent) {
    CheckPdf(failures, printer, WritePaperLogFormPdf(printer, report, textCollectionLines));
  }

  if (!counted) {
    for (const char* suffix : {kLogPrintout, kScoreSheet, kEqslAdif, kAdif, kLogExport})
      failures.AddNotWrittenForDatabase(stem + suffix, countFailure);
  } else if (qsoOutputs) {
    qsoOutputs->Finish(printer, report, failures);
  } else {
    for (const char* suffix : kOutputsDeletedWhenLogEmpty) {
      std::string reason;
      if (!DeleteFileIfExists(stem + suffix, &reason))
        failures.AddNotDeleted(stem + suffix, reason);
    }
  }
  if (log) log->Close();
  for (const auto& [folder, reason] : folderFlush.Finish()) failures.AddNotWritten(folder, reason);
  return failures;
}
