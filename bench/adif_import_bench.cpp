// The ADIF import: the reader alone on a file of 40,000 records as a general logger writes them
// (bytes per second), and the import of 5,000 QSOs of the contest day into an empty log with 300
// stations in each station table, on the disk of the temporary folder.

#include <benchmark/benchmark.h>

#include <string>

#include "common/file_copy.h"
#include "contest/contest_calendar.h"
#include "review/adif_import.h"
#include "review/adif_reader.h"
#include "support/adif_records.h"
#include "support/contest_log.h"
#include "support/temp_folder.h"

namespace {

constexpr int kYear = 2025;
constexpr int kStations = 300;

std::string TwoDigits(int value) {
  return (value < 10 ? "0" : "") + std::to_string(value);
}

// The i-th QSO: every other one with a KTD station and texts, a third in SSB, spread over the
// whole day (5,000 QSOs have distinct times, callsigns and modes), as a logger writes it.
std::string QsoRecord(int i) {
  const bool ktd = i % 2 == 0;
  const bool cw = i % 3 != 0;
  const int minute = i % (24 * 60);
  AdifFields fields = {
      {"CALL", ktd ? ContestStationCall(i % kStations) : "DL" + std::to_string(i) + "ABC"},
      {"QSO_DATE", ContestDateCompact(kYear)},
      {"TIME_ON", TwoDigits(minute / 60) + TwoDigits(minute % 60) + "00"},
      {"TIME_OFF", TwoDigits(minute / 60) + TwoDigits(minute % 60) + "45"},
      {"BAND", "80m"},
      {"FREQ", "3.560"},
      {"MODE", cw ? "CW" : "SSB"},
      {"RST_SENT", cw ? "599" : "59"},
      {"RST_RCVD", cw ? "579" : "57"},
      {"OPERATOR", "HB9REV"},
      {"MY_GRIDSQUARE", "JN47PG"},
  };
  if (!cw) fields.push_back({"SUBMODE", "USB"});
  if (ktd) {
    fields.push_back({"STX_STRING", ContestText(i)});
    fields.push_back({"SRX_STRING", "Gr\xC3\xBCsse aus Z\xC3\xBCrich " + std::to_string(i)});
  }
  return AdiRecord(fields);
}

std::string AdifFile(int qsos) {
  std::string file = AdiHeader();
  for (int i = 0; i < qsos; ++i) file += QsoRecord(i);
  return file;
}

void BM_ReadAdif(benchmark::State& state) {
  const std::string file = AdifFile(40000);
  std::size_t records = 0;
  for (auto _ : state) {
    const AdifDocument document = ReadAdif(file);
    records = document.records.size();
    benchmark::DoNotOptimize(document.records.data());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * file.size()));
  state.counters["records"] = static_cast<double>(records);
  state.counters["MB"] = static_cast<double>(file.size()) / 1e6;
}

void BM_Import5000Qsos(benchmark::State& state) {
  TempFolder folder;
  const std::string emptyLog = folder / "empty.sqlite";
  WriteContestLog(emptyLog, 0, kStations);
  const std::string file = AdifFile(5000);
  int imported = 0;
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string log = folder / ("ktd" + std::to_string(run++) + ".sqlite");
    CopyFileUnlessPresent(emptyLog, log);
    state.ResumeTiming();
    imported = ImportAdif(log, file, kYear).imported;
  }
  state.counters["imported"] = imported;
}

}  // namespace

BENCHMARK(BM_ReadAdif)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Import5000Qsos)->Iterations(1)->Repetitions(3)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();
