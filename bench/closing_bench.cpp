// The whole closing sequence for a full contest log: 5,000 QSOs, 300 registered stations with
// their texts and 500 own texts, with station data. Every run writes all eight output files.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "app/closing_sequence.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"
#include "services/app_context.h"
#include "support/sample_station_data.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

constexpr int kQsos = 5000;
constexpr int kStations = 300;
constexpr int kTexts = 500;

std::string Letters(int n, int width) {
  std::string s(width, 'A');
  for (int i = width - 1; i >= 0; --i, n /= 26) s[i] = static_cast<char>('A' + n % 26);
  return s;
}

std::string StationCall(int i) {
  return "HB9" + Letters(i, 2) + "/P";
}

// A text of the text rules' kind: upper-case words, at least 15 characters without blanks.
std::string Text(int i) {
  return "BERGWIND " + Letters(i, 3) + " UND SONNE " + Letters(i * 7, 2);
}

void PrepareWorkingFolder(AppContext& ctx, const std::string& base) {
  PrepareWorkingFolders(ctx, base, 2025, "XX9XX/P");

  std::vector<std::string> stations;
  for (int i = 0; i < kStations; ++i)
    stations.push_back(StationCall(i) + ",Name" + std::to_string(i) + "," + Text(i) + "," +
                       (i % 3 == 0 ? "" : Text(i + 1000)) + ",,");
  WriteLinesAtomic(ctx.stationListFile, stations);

  std::vector<std::string> texts;
  for (int i = 0; i < kTexts; ++i) texts.push_back(Text(i + 5000));
  WriteLinesAtomic(ctx.textCollectionFile, texts);

  SaveStationDataFile(ctx.stationDataFile,
                      BuildStationDataLines(SampleStationData(), ctx.ownCallsign, "2025-07-20"));

  CreateLogSchema(ctx.logDbFile);
  TSQLiteDatabase log(ctx.logDbFile);
  log.BeginTransaction();
  for (int i = 0; i < kQsos; ++i) {
    const int minutes = 6 * 60 + i * (8 * 60) / kQsos;  // 06:00 to 14:00 UTC
    char utc[8];
    std::snprintf(utc, sizeof utc, "%02d%02d", minutes / 60, minutes % 60);
    const bool ktd = i % 4 != 3;
    const bool cw = i % 5 != 0;
    const std::string call =
        ktd ? StationCall(i % kStations) : "DL" + std::to_string(i % 9) + Letters(i, 3);
    log.AddParamText(":utc", utc);
    log.AddParamText(":rufz", call);
    log.AddParamText(":s", cw ? "599" : "59");
    log.AddParamText(":stxt", ktd ? Text(i % kTexts + 5000) : "");
    log.AddParamText(":r", cw ? "579" : "57");
    log.AddParamText(":rtxt", ktd ? Text(i % kStations) : "");
    log.AddParamText(":half", std::string(utc) < "0800" ? "0" : "1");
    log.AddParamText(":mode", cw ? "0" : "1");
    log.AddParamText(":ktdst", ktd ? "1" : "0");
    log.AddParamText(":hbst", "0");
    log.AddParamText(":eust", ktd ? "0" : "1");
    log.ExecSQL(
        "INSERT INTO ktd VALUES (:utc, :rufz, :s, :stxt, :r, :rtxt, :half, :mode, :ktdst, :hbst, "
        ":eust)");
  }
  log.Commit();
}

void BM_ClosingSequence(benchmark::State& state) {
  TempFolder dir;
  FixedClock clock;
  clock.local = {2025, 7, 20, 18, 0, 0};
  clock.utc = {2025, 7, 20, 16, 0, 0};
  AppContext ctx{clock};
  PrepareWorkingFolder(ctx, dir.path());
  for (auto _ : state) RunClosingSequence(ctx);
  if (ReadLines(ctx.outputStem + ".ktd").size() !=
      static_cast<std::size_t>(kQsos + kStationDataLineCount))
    state.SkipWithError("the log export file does not hold every QSO and the record");
}

double Percentile99(const std::vector<double>& values) {
  std::vector<double> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  const std::size_t index = (sorted.size() * 99 + 99) / 100 - 1;
  return sorted[std::min(index, sorted.size() - 1)];
}

BENCHMARK(BM_ClosingSequence)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(20)
    ->ComputeStatistics("p99", Percentile99)
    ->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
