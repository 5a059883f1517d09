// The PDF documents of the closing sequence for a full contest log: 5,000 QSOs, 300 stations with
// texts and 500 own texts. Each iteration writes all five files (with their fsync), as at program
// end; a second benchmark isolates the log printout, the largest of them.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/closing_sequence.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "contest/scoring.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "reports/pdf_reports.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

double Slowest(const std::vector<double>& v) {
  return *std::max_element(v.begin(), v.end());
}

struct ClosingData {
  TempFolder dir;
  FixedClock clock;
  AppContext ctx{clock};
  std::vector<std::string> stations;
  std::vector<std::string> texts;
  std::vector<std::string> stationData;

  ClosingData() {
    PrepareWorkingFolders(ctx, dir.path(), 2025, "HB9XYZ/P");
    CreateLogSchema(ctx.logDbFile);
    TSQLiteDatabase db(ctx.logDbFile);
    db.BeginTransaction();
    for (int i = 0; i < 5000; ++i) {
      const int minute = i / 4 % 600;
      const std::string utc = std::to_string(1000 + minute / 60 * 100 + minute % 60).substr(1);
      db.AddParamText(":utc", utc);
      db.AddParamText(":rufz", "HB9A" + std::to_string(i % 300) + "/P");
      db.AddParamText(":half", utc < "0800" ? "0" : "1");
      db.AddParamText(":mode", i % 2 == 0 ? "0" : "1");
      db.ExecSQL(
          "INSERT INTO ktd VALUES (:utc, :rufz, \"599\", \"Gruesse vom Gurnigelpass\", \"579\", "
          "\"Schoenes Wetter auf dem Berg\", :half, :mode, \"1\", \"0\", \"0\")");
    }
    db.Commit();
    for (int i = 0; i < 300; ++i) {
      stations.push_back("HB9A" + std::to_string(i) + "/P,Name " + std::to_string(i) +
                         ",Erster Text der Station,Zweiter Text,,");
    }
    for (int i = 0; i < 500; ++i) texts.push_back("Eigener Text Nummer " + std::to_string(i));
    stationData.assign(38, "#;X=;");
  }
};

void BM_AllReportPdfs(benchmark::State& state) {
  ClosingData data;
  for (auto _ : state) {
    ReportPrinter printer(data.clock);
    const ReportValues report = ReportValuesOf(data.ctx);
    WritePersonalTextsPdf(printer, report, data.stations);
    WriteCheckListPdf(printer, report, data.stations);
    WritePaperLogFormPdf(printer, report, data.texts);
    TSQLiteDatabase db(data.ctx.logDbFile);
    WriteLogPrintoutPdf(printer, report, db);
    ComputeScore(data.ctx.logDbFile, data.ctx.score);
    benchmark::DoNotOptimize(WriteScoreSheetPdf(printer, report, data.ctx.score, data.stationData));
  }
}
BENCHMARK(BM_AllReportPdfs)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("max", Slowest)
    ->ReportAggregatesOnly();

void BM_LogPrintout5000Qsos(benchmark::State& state) {
  ClosingData data;
  ReportPrinter printer(data.clock);
  TSQLiteDatabase db(data.ctx.logDbFile);
  for (auto _ : state)
    benchmark::DoNotOptimize(WriteLogPrintoutPdf(printer, ReportValuesOf(data.ctx), db));
}
BENCHMARK(BM_LogPrintout5000Qsos)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("max", Slowest)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
