// What the operator waits for in the preparation windows: importing a large published station
// list (sorted through the in-memory database), writing it at closing (repeat check per row), and
// importing and saving a text collection (the table `txt` and the file). The "ImportAndSave" runs
// take a whole file from the disk through the import to the written list, as one import followed
// by closing the window does: 10,000 and 100,000 lines.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "common/ascii_text.h"
#include "common/clock.h"
#include "common/file_failures.h"
#include "common/list_file.h"
#include "common/text_file.h"
#include "contest/text_rules.h"
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

std::string Letters(int n, int width) {
  std::string s(static_cast<std::size_t>(width), 'A');
  for (int i = width - 1; i >= 0; --i, n /= 26)
    s[static_cast<std::size_t>(i)] = static_cast<char>('A' + n % 26);
  return s;
}

// A large text file: every line a valid text (some with an umlaut), every tenth line a repeat of
// an earlier one in upper case, which the import drops.
std::vector<std::string> ManyTextLines(int count) {
  std::vector<std::string> lines;
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    if (i % 10 == 9) {
      lines.push_back(AsciiUpper(lines[static_cast<std::size_t>(i / 2)]));
    } else {
      lines.push_back((i % 3 == 0 ? "Gr\xFCsse vom Berg " : "Bergwind und Sonne ") + Letters(i, 4));
    }
  }
  return lines;
}

// A large published list: every callsign once, two extra fields, two texts.
std::vector<std::string> ManyStationLines(int count) {
  std::vector<std::string> lines = {"# Rufzeichen,Name,..."};
  for (int i = 0; i < count; ++i) {
    const std::string code = Letters(i, 4);
    lines.push_back("hb9" + code + ",Name " + code + ",123456,1234,ALPENROSEN " + code +
                    " AM GRAT,MURMELTIER " + code + " PFEIFT,,");
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

// A text file read, imported into an empty collection, and the window closed: `txt` and the text
// collection file written.
void BM_TextCollectionImportAndSave(benchmark::State& state) {
  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
  PrepareWorkingFolders(ctx, folder.path(), 2025, "HB9XYZ/P");
  CreateLogSchema(ctx.logDbFile);
  const std::string file = folder / "Texte.txt";
  WriteLinesAtomic(file, ManyTextLines(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    TextCollection collection;
    collection.Import(ReadListFile(file).lines);
    FileFailures failures;
    SaveTextCollection(ctx, collection.TakeTextsForClosing(), false, failures);
    benchmark::DoNotOptimize(failures.Empty());
  }
}
BENCHMARK(BM_TextCollectionImportAndSave)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// Texts pasted into a collection that already holds as many: each is compared with all of them.
void BM_TextCollectionPasteIntoFullCollection(benchmark::State& state) {
  const int count = static_cast<int>(state.range(0));
  std::vector<std::string> held = ManyTextLines(count);
  for (std::string& line : held) line = "X" + line;
  std::string clipboard;
  for (const std::string& line : ManyTextLines(count)) clipboard += line + "\r\n";
  for (auto _ : state) {
    state.PauseTiming();
    TextCollection collection;
    collection.Import(held);
    state.ResumeTiming();
    collection.Paste(clipboard);
    benchmark::DoNotOptimize(collection.Texts().size());
  }
}
BENCHMARK(BM_TextCollectionPasteIntoFullCollection)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// A published list read, imported, and the window closed: the station list file written.
void BM_StationListImportAndSave(benchmark::State& state) {
  TempFolder folder;
  const std::string file = folder / "Teilnehmer.csv";
  const std::string saved = folder / "KTD-Stationen 2025.csv";
  WriteLinesAtomic(file, ManyStationLines(static_cast<int>(state.range(0))));
  for (auto _ : state) {
    StationList list;
    list.Import(ReadListFile(file).lines, "HB9XYZ/P");
    FileFailures failures;
    benchmark::DoNotOptimize(
        SaveListFile(saved, list.LinesForClosing("HB9XYZ/P"), false, failures));
  }
}
BENCHMARK(BM_StationListImportAndSave)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace

BENCHMARK_MAIN();
