// The main menu's work that the operator waits for: the start-up before the window appears
// (folders, own callsign, log schema, prefix data, patterns) and the refresh each time the menu is
// shown again (three list files read, the QSOs counted) on a contest-sized log. Run from the build
// folder, or with KTD_DXCC_DB pointing at a dxcc.sqlite.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/main_menu_state.h"
#include "app/startup.h"
#include "common/clock.h"
#include "common/text_file.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "support/temp_folder.h"

namespace {

std::string DxccPath() {
  const char* env = std::getenv("KTD_DXCC_DB");
  return env != nullptr ? env : "share/dxcc.sqlite";
}

double P99(const std::vector<double>& values) {
  std::vector<double> sorted = values;
  std::sort(sorted.begin(), sorted.end());
  return sorted[static_cast<std::size_t>(0.99 * static_cast<double>(sorted.size() - 1))];
}

void BM_StartupBeforeTheWindow(benchmark::State& state) {
  TempFolder dir;
  MakeFolder(dir / "db");
  std::filesystem::copy_file(DxccPath(), dir / "db/dxcc.sqlite");
  WriteLinesAtomic(dir / "db/Rufzeichen.dat", {"HB9XYZ/P"});
  for (auto _ : state) {
    FixedClock clock;
    AppContext ctx{clock};
    SettleFilesAndCallsign(ctx, dir.path(), 2024,
                           [](const CallsignQuestion&) { return std::optional<std::string>(); });
    PrepareLogAndPrefixData(ctx);
    benchmark::DoNotOptimize(ctx.prefixDb.get());
  }
}
BENCHMARK(BM_StartupBeforeTheWindow)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

void BM_MenuRefreshOnContestLog(benchmark::State& state) {
  TempFolder dir;
  MakeFolder(dir / "db");
  MakeFolder(dir / "data");
  FixedClock clock;
  AppContext ctx{clock};
  SettleWorkingFiles(ctx, dir.path(), 2024);
  CreateLogSchema(ctx.logDbFile);
  {
    TSQLiteDatabase db(ctx.logDbFile);
    db.BeginTransaction();
    for (int i = 0; i < 5000; ++i) {
      db.AddParamText(":rufz", "DL" + std::to_string(i) + "ABC");
      db.ExecSQL(
          "INSERT INTO ktd VALUES ('0930', :rufz, '599', '', '599', '', '1', '0', '0', '0', '1')");
    }
    db.Commit();
  }
  std::vector<std::string> stations, texts, stationData(38, "#;KEY=;value");
  for (int i = 0; i < 300; ++i) stations.push_back("HB9A" + std::to_string(i) + "/P,Name,Text");
  for (int i = 0; i < 500; ++i) texts.push_back("Ein Text fuer den Kontest " + std::to_string(i));
  WriteLinesAtomic(ctx.stationListFile, stations);
  WriteLinesAtomic(ctx.textCollectionFile, texts);
  WriteLinesAtomic(ctx.stationDataFile, stationData);
  for (auto _ : state) {
    MainMenuView view = ReadMainMenuView(ctx);
    benchmark::DoNotOptimize(view.qsoCount.text.data());
  }
}
BENCHMARK(BM_MenuRefreshOnContestLog)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
