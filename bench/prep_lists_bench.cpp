// What the operator waits for in the preparation windows: importing a large published station
// list (sorted through the in-memory database), writing it at closing (repeat check per row), and
// importing and saving a text collection (the table `txt` and the file).

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/file_failures.h"
#include "db/log_schema.h"
#include "prep/station_list.h"
#include "prep/text_collection.h"
#include "prep/text_collection_store.h"
#include "services/app_context.h"
#include "support/percentile.h"
#include "support/temp_folder.h"
#include "support/working_folders.h"

namespace {

constexpr int kStations = 400;
constexpr int kTexts = 200;

double P99(const std::vector<double>& sample) {
  return Percentile(sample, 0.99);
}

std::string Letters(int n) {
  std::string s;
  for (int i = 0; i < 3; ++i, n /= 26) s += static_cast<char>('A' + n % 26);
  return s;
}

// A published list in UTF-8: callsign, name with an umlaut, two extra fields, four texts.
std::vector<std::string> PublishedList() {
  std::vector<std::string> lines = {"# KTD-Stationen", "# Rufzeichen,Name,..."};
  for (int i = 0; i < kStations; ++i) {
    lines.push_back("hb9" + Letters(i) + ",J\xC3\xB6rg " + Letters(i) + ",123456,1234,ALPENROSEN " +
                    Letters(i) + " AM GRAT,MURMELTIER " + Letters(i) + " PFEIFT,,KURZ");
  }
  return lines;
}

std::vector<std::string> TextLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < kTexts; ++i) lines.push_back("Gr\xFCsse vom Berg " + Letters(i) + " am See");
  return lines;
}

void BM_StationListImport(benchmark::State& state) {
  const std::vector<std::string> file = PublishedList();
  for (auto _ : state) {
    StationList list;
    list.Import(file, "HB9XYZ/P");
    benchmark::DoNotOptimize(list.StationCount());
  }
}
BENCHMARK(BM_StationListImport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

void BM_StationListClosingLines(benchmark::State& state) {
  StationList list;
  list.Import(PublishedList(), "HB9XYZ/P");
  for (auto _ : state) benchmark::DoNotOptimize(list.LinesForClosing("HB9XYZ/P"));
}
BENCHMARK(BM_StationListClosingLines)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

void BM_TextCollectionImport(benchmark::State& state) {
  const std::vector<std::string> file = TextLines();
  for (auto _ : state) {
    TextCollection collection;
    collection.Import(file);
    benchmark::DoNotOptimize(collection.Texts().size());
  }
}
BENCHMARK(BM_TextCollectionImport)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

// Closing the text collection window: txt rewritten in one transaction and the file replaced.
void BM_TextCollectionSave(benchmark::State& state) {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  PrepareWorkingFolders(ctx, folder.path(), 2025, "HB9XYZ/P");
  CreateLogSchema(ctx.logDbFile);
  TextCollection collection;
  collection.Import(TextLines());
  const std::vector<std::string> texts = collection.TakeTextsForClosing();
  for (auto _ : state) {
    FileFailures failures;
    SaveTextCollection(ctx, texts, false, failures);
    benchmark::DoNotOptimize(failures.Empty());
  }
}
BENCHMARK(BM_TextCollectionSave)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(20)
    ->ComputeStatistics("p99", P99)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
