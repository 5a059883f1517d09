// Loading the generated prefix database into memory (run from the build folder, or with
// KTD_DXCC_DB pointing at a dxcc.sqlite).

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "db/reference_data.h"
#include "db/sqlite_database.h"

namespace {

std::string DxccPath() {
  const char* env = std::getenv("KTD_DXCC_DB");
  return env != nullptr ? env : "share/dxcc.sqlite";
}

void BM_LoadPrefixDatabase(benchmark::State& state) {
  const std::string path = DxccPath();
  for (auto _ : state) {
    auto db = LoadPrefixDatabase(path);
    benchmark::DoNotOptimize(db.get());
  }
}
BENCHMARK(BM_LoadPrefixDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
