#include "app/closing_sequence.h"

#include <string>
#include <vector>

#include "app/app_context.h"
#include "common/text_file.h"
#include "contest/contest_calendar.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"
#include "reports/adif_export.h"
#include "reports/log_export.h"
#include "reports/pdf_reports.h"
#include "reports/print_pdf.h"

namespace {

// A PDF that came back without a path but with a reason was meant to be written and was not.
void CheckPdf(FileFailures& failures, ReportPrinter& printer, const std::string& written) {
  const TPrintPDF& pdf = printer.Pdf();
  if (written.empty() && !pdf.WriteFailure().empty())
    failures.AddNotWritten(pdf.FileName, pdf.WriteFailure());
}

void CheckFile(FileFailures& failures, bool written, const std::string& path,
               const std::string& reason) {
  if (!written && !reason.empty()) failures.AddNotWritten(path, reason);
}

}  // namespace

FileFailures RunClosingSequence(AppContext& ctx) {
  // The lists are read once here and handed to the reports; a missing file counts as no lines.
  const std::vector<std::string> stationListLines = ReadLines(ctx.stationListFile);
  const std::vector<std::string> textCollectionLines = ReadLines(ctx.textCollectionFile);
  const std::vector<std::string> stationDataLines = ReadLines(ctx.stationDataFile);
  ctx.stationListPresent = !stationListLines.empty();
  ctx.textCollectionPresent = !textCollectionLines.empty();
  // Only a complete record is printed or copied: the reports take its items by line number.
  ctx.stationDataPresent = StationDataComplete(stationDataLines);

  TSQLiteDatabase log(ctx.logDbFile);
  const bool logHasQsos = CountQsos(log) > 0;
  ctx.logEmpty = !logHasQsos;

  ReportPrinter printer(ctx.clock);
  FileFailures failures;
  const std::string& stem = ctx.outputStem;

  if (ctx.stationListPresent) {
    CheckPdf(failures, printer, WritePersonalTextsPdf(printer, ctx, stationListLines));
    CheckPdf(failures, printer, WriteCheckListPdf(printer, ctx, stationListLines));
  }
  if (ctx.textCollectionPresent) {
    CheckPdf(failures, printer, WritePaperLogFormPdf(printer, ctx, textCollectionLines));
  }

  if (logHasQsos) {
    CheckPdf(failures, printer, WriteLogPrintoutPdf(printer, ctx, log));
    // The score sheet recomputes the score into ctx.score; the log export reads it from there.
    CheckPdf(failures, printer, WriteScoreSheetPdf(printer, ctx, stationDataLines));
    const std::string dateCompact = ContestDateCompact(ctx.year);
    std::string reason;
    CheckFile(failures,
              WriteEqslAdifFile(stem + " eQSL.adi", log, dateCompact,
                                EqslQslMessage(stationDataLines, ctx.stationDataPresent), &reason),
              stem + " eQSL.adi", reason);
    reason.clear();
    CheckFile(failures, WriteAdifFile(stem + ".adi", log, dateCompact, &reason), stem + ".adi",
              reason);
    reason.clear();
    CheckFile(failures,
              WriteLogExportFile(stem + ".ktd", log, stationDataLines, ctx.stationDataPresent,
                                 ctx.score, ContestDateIso(ctx.year), &reason),
              stem + ".ktd", reason);
  } else {
    for (const char* suffix : kOutputsDeletedWhenLogEmpty) {
      std::string reason;
      if (!DeleteFileIfExists(stem + suffix, &reason))
        failures.AddNotDeleted(stem + suffix, reason);
    }
  }
  log.Close();
  return failures;
}
