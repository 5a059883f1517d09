#include "app/closing_sequence.h"

#include <memory>
#include <optional>
#include <string>
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
    WriteFromLog(failures, stem + kLogPrintout, [&] {
      CheckPdf(failures, printer,
               WriteLogPrintoutPdf(printer, report, qsos(LoggedQsoColumns::ExchangeAndMode)));
    });
    // The score is recomputed into ctx.score for the score sheet; the log export reads it there.
    std::string scoreFailure;
    const bool scored = WriteFromLog(
        failures, stem + kScoreSheet,
        [&] {
          ComputeScore(ctx.logDbFile, ctx.score);
          CheckPdf(failures, printer,
                   WriteScoreSheetPdf(printer, report, ctx.score, stationDataLines));
        },
        &scoreFailure);
    const std::string dateCompact = ContestDateCompact(ctx.year);
    WriteFromLog(failures, stem + kEqslAdif, [&] {
      std::string reason;
      const bool written =
          WriteEqslAdifFile(stem + kEqslAdif, qsos(LoggedQsoColumns::All), dateCompact,
                            EqslQslMessage(stationDataLines, ctx.stationDataPresent), &reason);
      CheckFile(failures, written, stem + kEqslAdif, reason);
    });
    WriteFromLog(failures, stem + kAdif, [&] {
      std::string reason;
      const bool written =
          WriteAdifFile(stem + kAdif, qsos(LoggedQsoColumns::All), dateCompact, &reason);
      CheckFile(failures, written, stem + kAdif, reason);
    });
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
