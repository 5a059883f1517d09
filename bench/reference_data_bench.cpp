// Loading the generated prefix database into memory (run from the build folder, or with
// KTD_DXCC_DB pointing at a dxcc.sqlite).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <string>
#include <vector>

#include "contest/prefix_lookup.h"
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
// Callsigns as an operator types them, from a bare suffix to long portable calls; each keystroke of
// the live window's callsign field runs one lookup.
const char* const kCalls[] = {"HB9XYZ/P", "9XYZ/P", "HB0ABC", "DL1ABC",       "F5XYZ", "JA1XYZ",
                              "K1",       "W1AW",   "VK2ABC", "HB9/DL1XYZ/P", "XYZ/P", "4U1ITU",
                              "OE3ABC/P", "IG9ABC", "ZS6XYZ", "3B8AB",        "R1FJ",  "UA0ABC"};

// One lookup per iteration; the manual timing of each iteration yields the median and p99.
void BM_LookupPrefix(benchmark::State& state) {
  auto db = LoadPrefixDatabase(DxccPath());
  std::vector<double> micros;
  std::size_t i = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(LookupPrefix(*db, kCalls[i++ % std::size(kCalls)]));
    const auto end = std::chrono::steady_clock::now();
    micros.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::sort(micros.begin(), micros.end());
  state.counters["p50_us"] = micros[micros.size() / 2];
  state.counters["p99_us"] = micros[micros.size() * 99 / 100];
}
BENCHMARK(BM_LookupPrefix)->Iterations(20000)->Unit(benchmark::kMicrosecond);

BENCHMARK(BM_LoadPrefixDatabase)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
