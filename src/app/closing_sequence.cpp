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

void RunClosingSequence(AppContext& ctx) {
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

  if (ctx.stationListPresent) {
    WritePersonalTextsPdf(printer, ctx, stationListLines);
    WriteCheckListPdf(printer, ctx, stationListLines);
  }
  if (ctx.textCollectionPresent) WritePaperLogFormPdf(printer, ctx, textCollectionLines);

  if (logHasQsos) {
    WriteLogPrintoutPdf(printer, ctx, log);
    // The score sheet recomputes the score into ctx.score; the log export reads it from there.
    WriteScoreSheetPdf(printer, ctx, stationDataLines);
    const std::string dateCompact = ContestDateCompact(ctx.year);
    WriteEqslAdifFile(ctx.outputStem + " eQSL.adi", log, dateCompact,
                      EqslQslMessage(stationDataLines, ctx.stationDataPresent));
    WriteAdifFile(ctx.outputStem + ".adi", log, dateCompact);
    WriteLogExportFile(ctx.outputStem + ".ktd", log, stationDataLines, ctx.stationDataPresent,
                       ctx.score, ContestDateIso(ctx.year));
  } else {
    for (const char* suffix : kOutputsDeletedWhenLogEmpty)
      DeleteFileIfExists(ctx.outputStem + suffix);
  }
  log.Close();
}
