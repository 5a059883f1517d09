// The station-data readers: the "#;" record, the Cabrillo-style import and the file import. Any
// file leaves a record whose weights add up, and a record written and read again is the same.

#include "fuzz_check.h"
#include "prep/station_data_record.h"

namespace {

void CheckWeights(const StationData& d) {
  long long sum = 0;
  for (long long w : d.weights) {
    FUZZ_CHECK(w >= 0 && w <= 999999999);
    sum += w;
  }
  FUZZ_CHECK(d.totalWeight == sum);
}

// Written as the 38 lines and read back, the record settles: a reading pads a short coordinate
// ("" becomes "000000") and trims control characters that an imported coordinate kept, so at most
// three readings are needed; after that writing and reading give the same lines again.
void CheckRoundTrip(const StationData& d) {
  std::vector<std::string> lines = BuildStationDataLines(d, "HB9XYZ/P", "2025-07-20");
  FUZZ_CHECK(lines.size() == static_cast<std::size_t>(kStationDataLineCount));
  FUZZ_CHECK(StationDataComplete(lines));
  for (const std::string& line : lines) {
    FUZZ_CHECK(line.rfind("#;", 0) == 0);
    for (char c : line) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x20 && c != '\x7F');
  }
  for (int reading = 1;; ++reading) {
    StationData read;
    FUZZ_CHECK(ReadStationDataRecord(lines, read));
    CheckWeights(read);
    std::vector<std::string> again = BuildStationDataLines(read, "HB9XYZ/P", "2025-07-20");
    if (again == lines) break;
    FUZZ_CHECK(reading < 3);
    lines = std::move(again);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> lines = AsLines(AsText(data, size));

  StationData record;
  if (ReadStationDataRecord(lines, record)) {
    CheckWeights(record);
    CheckRoundTrip(record);
  }
  StationData cabrillo;
  if (ImportStationDataCabrillo(lines, cabrillo)) {
    CheckWeights(cabrillo);
    CheckRoundTrip(cabrillo);
  }
  StationData imported;
  const bool changed = ImportStationDataFile(lines, imported);
  if (lines.size() <= 29) FUZZ_CHECK(!changed);
  if (changed) {
    CheckWeights(imported);
    CheckRoundTrip(imported);
  }
  // Positional access never reads past a line.
  for (int line = 0; line < kStationDataLineCount; ++line) {
    const std::string field = StationDataField(lines, line, 7, 13);
    FUZZ_CHECK(field.size() <= 13);
  }
  return 0;
}
