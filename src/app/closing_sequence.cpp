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
// output and leaves the others to go on; the database's message is kept for the box. Returns
// false when the query failed, with its message in `databaseMessage` when given.
template <typename Write>
bool WriteFromLog(FileFailures& failures, const std::string& path, Write write,
                  std::string* databaseMessage = nullptr) {
  try {
    write();
    return true;
  } catch (const ESQLiteException& e) {
    failures.AddNotWrittenForDatabase(path, e.what());
    if (databaseMessage != nullptr) *databaseMessage = e.what();
    return false;
  }
}

// Work of the closing done on a second thread. The thread's files go into its own folder-flush
// batch; an exception it throws is thrown again where it is finished.
class SideThread {
 public:
  template <typename Work>
  void Start(Work& work) {
    try {
      thread_ = std::jthread([this, &work] {
        try {
          FolderFlushBatch folderFlush;
          work();
          folderFailures_ = folderFlush.Finish();
        } catch (...) {
          error_ = std::current_exception();
        }
      });
    } catch (const std::system_error&) {
      // No thread to be had: Finish says so, and the work is done on the calling thread.
    }
  }

  // Waits for the work; false when it never started. A year folder that could not be flushed is
  // added to `failures`.
  bool Finish(FileFailures& failures) {
    if (!thread_.joinable()) return false;
    thread_.join();
    if (error_) std::rethrow_exception(error_);
    for (const auto& [folder, reason] : folderFailures_) failures.AddNotWritten(folder, reason);
    return true;
  }

 private:
  std::jthread thread_;
  std::exception_ptr error_;
  std::vector<std::pair<std::string, std::string>> folderFailures_;
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
  } else if (logHasQsos) {
    // The log is read once for every output. When that read fails, each output reads only the
    // columns it prints, so that the failure names exactly the outputs it stops.
    std::optional<LoggedQsos> shared;
    try {
      shared = LoggedQsos::Read(*log, LoggedQsoColumns::All);
    } catch (const ESQLiteException&) {
    }
    LoggedQsos own;
    auto qsos = [&](LoggedQsoColumns columns) -> const LoggedQsos& {
      if (shared) return *shared;
      own = LoggedQsos::Read(*log, columns);
      return own;
    };
    // The score and the two ADIF files need no printer. With the log read once they are made on
    // a second core while the log printout is drawn; their failures are named in the order of the
    // outputs all the same. The score goes into ctx.score for the score sheet and the export.
    std::string scoreFailure;
    bool scored = false;
    const std::string dateCompact = ContestDateCompact(ctx.year);
    FileFailures adifFailures;
    auto scoreAndAdifFiles = [&] {
      try {
        ComputeScore(ctx.logDbFile, ctx.score);
        scored = true;
      } catch (const ESQLiteException& e) {
        scoreFailure = e.what();
      }
      WriteFromLog(adifFailures, stem + kEqslAdif, [&] {
        std::string reason;
        const bool written =
            WriteEqslAdifFile(stem + kEqslAdif, qsos(LoggedQsoColumns::All), dateCompact,
                              EqslQslMessage(stationDataLines, ctx.stationDataPresent), &reason);
        CheckFile(adifFailures, written, stem + kEqslAdif, reason);
      });
      WriteFromLog(adifFailures, stem + kAdif, [&] {
        std::string reason;
        const bool written =
            WriteAdifFile(stem + kAdif, qsos(LoggedQsoColumns::All), dateCompact, &reason);
        CheckFile(adifFailures, written, stem + kAdif, reason);
      });
    };
    SideThread side;
    if (shared) side.Start(scoreAndAdifFiles);

    WriteFromLog(failures, stem + kLogPrintout, [&] {
      CheckPdf(failures, printer,
               WriteLogPrintoutPdf(printer, report, qsos(LoggedQsoColumns::ExchangeAndMode)));
    });
    if (!side.Finish(adifFailures)) scoreAndAdifFiles();
    if (scored)
      CheckPdf(failures, printer, WriteScoreSheetPdf(printer, report, ctx.score, stationDataLines));
    else
      failures.AddNotWrittenForDatabase(stem + kScoreSheet, scoreFailure);
    failures.Append(adifFailures);
    // With station data the export's summary lines carry the score: without a score it would
    // hand on counts that were never computed.
    if (!scored && ctx.stationDataPresent) {
      failures.AddNotWrittenForDatabase(stem + kLogExport, scoreFailure);
    } else {
      WriteFromLog(failures, stem + kLogExport, [&] {
        std::string reason;
        const bool written = WriteLogExportFile(stem + kLogExport, qsos(LoggedQsoColumns::Exchange),
                                                stationDataLines, ctx.stationDataPresent, ctx.score,
                                                ContestDateIso(ctx.year), &reason);
        CheckFile(failures, written, stem + kLogExport, reason);
      });
    }
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
