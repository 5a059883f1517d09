// Score computation on a log of 5,000 QSOs (KTD, Swiss and other stations, both modes and halves).

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "contest/score_values.h"
#include "contest/scoring.h"
#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

constexpr int kLogQsos = 5000;

TempFolder* folder = nullptr;
std::string logFile;

void CreateLog() {
  TSQLiteDatabase db(logFile);
  CreateLogSchema(db);
  db.BeginTransaction();
  for (int i = 0; i < kLogQsos; ++i) {
    const int kind = i % 3;  // 0 KTD, 1 Swiss, 2 other
    const bool cw = i % 4 != 0;
    char utc[8];
    std::snprintf(utc, sizeof utc, "%02d%02d", (i / 60) % 24, i % 60);
    const std::string call = kind == 0   ? "HB9K" + std::to_string(i % 300) + "/P"
                             : kind == 1 ? "HB9H" + std::to_string(i % 700)
                                         : "DL" + std::to_string(i % 900) + "X";
    const std::vector<std::string> row = {utc,
                                          call,
                                          cw ? "599" : "59",
                                          kind == 0 ? "GESENDETER TEXT" : "",
                                          cw ? "599" : "59",
                                          kind == 0 ? "EMPFANGENER TEXT" : "",
                                          std::string(utc) < "0800" ? "0" : "1",
                                          cw ? "0" : "1",
                                          kind == 0 ? "1" : "0",
                                          kind == 1 ? "1" : "0",
                                          kind == 2 ? "1" : "0"};
    InsertQsoRow(db, row);
  }
  db.Commit();
}

void BM_ComputeScore(benchmark::State& state) {
  ScoreValues score;
  for (auto _ : state) {
    ComputeScore(logFile, score);
    benchmark::DoNotOptimize(score.totalPoints);
  }
  state.counters["totalPoints"] = score.totalPoints;
}

}  // namespace

BENCHMARK(BM_ComputeScore)
    ->Repetitions(20)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  folder = new TempFolder;
  logFile = *folder / "ktd.sqlite";
  CreateLog();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  delete folder;
  return 0;
}
