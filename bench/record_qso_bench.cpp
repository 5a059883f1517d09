// RecordQso on a log of 5,000 QSOs with 300 stations in each station table, on the disk of the
// temporary folder. Each repetition records one QSO; median and p99 over the repetitions.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "live/record_qso.h"
#include "support/contest_log.h"
#include "support/temp_folder.h"

namespace {

constexpr int kLogQsos = 5000;
constexpr int kStations = 300;

TempFolder* folder = nullptr;
std::string logFile;

void CreateLog() {
  WriteContestLog(logFile, kLogQsos, kStations);
}

double P99(const std::vector<double>& v) {
  std::vector<double> sorted = v;
  std::sort(sorted.begin(), sorted.end());
  const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(sorted.size())));
  return sorted[std::max<size_t>(rank, 1) - 1];
}

int qsoNumber = 0;

// A KTD QSO in the first half: the heaviest case (station moved into both second-half lists).
void BM_RecordQsoKtdFirstHalf(benchmark::State& state) {
  for (auto _ : state) {
    const int i = qsoNumber++;
    RecordQso(logFile, "0715", ContestStationCall(i % kStations), i % 2 ? "599" : "59",
              ContestText(i), "579", "EMPFANGENER TEXT");
  }
}

// A QSO with a home station: its portable call is removed from all four lists.
void BM_RecordQsoHomeStation(benchmark::State& state) {
  for (auto _ : state) {
    const int i = qsoNumber++;
    RecordQso(logFile, "1015", "HB9X" + std::to_string(i), "599", "", "599", "");
  }
}

}  // namespace

BENCHMARK(BM_RecordQsoKtdFirstHalf)
    ->Iterations(1)
    ->Repetitions(200)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_RecordQsoHomeStation)
    ->Iterations(1)
    ->Repetitions(200)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("p99", P99)
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
