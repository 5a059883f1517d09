// RecordQso on a log of 5,000 QSOs with 300 stations in each station table, on the disk of the
// temporary folder. Each repetition records one QSO; median and p99 over the repetitions.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "live/record_qso.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

namespace {

constexpr int kLogQsos = 5000;
constexpr int kStations = 300;

TempFolder* folder = nullptr;
std::string logFile;

std::string StationCall(int i) {
  return "HB9" + std::string(1, 'A' + i % 26) + std::to_string(i) + "/P";
}

std::string TextOf(int i) {
  return "AUSTAUSCHTEXT NUMMER " + std::to_string(i);
}

void CreateLog() {
  TSQLiteDatabase db(logFile);
  CreateLogSchema(db);
  db.BeginTransaction();
  for (const char* table : {"stns1", "stns2", "stns1ssb", "stns2ssb"}) {
    for (int i = 0; i < kStations; ++i) {
      const std::string call = StationCall(i);
      db.AddParamText(":rufz", call);
      db.AddParamText(":rufzo", call.substr(0, call.size() - 2));
      db.AddParamText(":name", "Name" + std::to_string(i));
      db.ExecSQL(std::string("INSERT INTO ") + table + " VALUES (:rufz, :rufzo, :name)");
    }
  }
  for (int i = 0; i < kStations * 4; ++i) {
    db.AddParamText(":txt", TextOf(i));
    db.ExecSQL("INSERT INTO txt VALUES (:txt)");
    db.AddParamText(":rufz", StationCall(i % kStations));
    db.AddParamText(":txt", "PERSOENLICHER " + TextOf(i));
    db.ExecSQL("INSERT INTO ptxt VALUES (:rufz, '', :txt)");
  }
  for (int i = 0; i < kLogQsos; ++i) {
    const bool ktd = i % 2 == 0;
    const bool cw = i % 3 != 0;
    char utc[8];
    std::snprintf(utc, sizeof utc, "%02d%02d", (i / 60) % 24, i % 60);
    const std::vector<std::string> row = {
        utc,
        ktd ? StationCall(i % kStations) : "DL" + std::to_string(i),
        cw ? "599" : "59",
        ktd ? "GESENDETER TEXT " + std::to_string(i) : "",
        cw ? "599" : "59",
        ktd ? "EMPFANGENER TEXT " + std::to_string(i) : "",
        std::string(utc) < "0800" ? "0" : "1",
        cw ? "0" : "1",
        ktd ? "1" : "0",
        "0",
        ktd ? "0" : "1"};
    InsertQsoRow(db, row);
  }
  db.Commit();
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
    RecordQso(logFile, "0715", StationCall(i % kStations), i % 2 ? "599" : "59", TextOf(i), "579",
              "EMPFANGENER TEXT");
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
