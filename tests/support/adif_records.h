#pragma once
// ADI text for tests and benchmarks: records written as other loggers write them.

#include <string>
#include <utility>
#include <vector>

using AdifFields = std::vector<std::pair<std::string, std::string>>;

// "<NAME:n>value " per field (n in bytes), then "<EOR>" and CR LF.
inline std::string AdiRecord(const AdifFields& fields) {
  std::string record;
  for (const auto& [name, value] : fields) {
    record += "<" + name + ":" + std::to_string(value.size()) + ">" + value + " ";
  }
  return record + "<EOR>\r\n";
}

// A header as a general logger writes it.
inline std::string AdiHeader() {
  return "Exported by another logger\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:6>Logger <EOH>\r\n";
}
