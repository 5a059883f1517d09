// The station list: the lines an import file offers, the reading of one line in either layout,
// the import of a whole file and the lines written at closing.

#include <algorithm>
#include <set>

#include "fuzz_check.h"
#include "prep/station_list.h"

namespace {

const std::string kOwn = "HB9XYZ/P";

// The six umlauts in either case ("ß" is no umlaut and stays).
bool HasUmlaut(const std::string& s) {
  return s.find_first_of("\xE4\xF6\xFC\xC4\xD6\xDC") != std::string::npos;
}

std::string WithoutPortable(const std::string& call) {
  return call.ends_with("/P") ? call.substr(0, call.size() - 2) : call;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const StationLineLayout layout =
      (data[0] & 1) != 0 ? StationLineLayout::Imported : StationLineLayout::Stored;
  const std::vector<std::string> fileLines = AsLines(AsText(data + 1, size - 1));

  // Candidate lines: not empty, no comment, with a comma, at most 255 bytes.
  const std::vector<std::string> candidates = StationImportLines(fileLines);
  for (const std::string& line : candidates) {
    FUZZ_CHECK(!line.empty() && line.size() <= 255 && line[0] != '#');
    FUZZ_CHECK(line.find(',') != std::string::npos);
  }

  // One line: an upper-case callsign with "/P", not the own one and not longer than 15
  // characters; a name without umlauts; texts of at least 15 characters, without gaps.
  for (const std::string& line : fileLines) {
    const std::optional<StationRow> row = ReadStationLine(line, kOwn, layout);
    if (!row) continue;
    FUZZ_CHECK(row->callsign.ends_with("/P") && row->callsign.size() <= 15);
    FUZZ_CHECK(row->callsign != kOwn);
    FUZZ_CHECK(std::none_of(row->callsign.begin(), row->callsign.end(),
                            [](char c) { return c >= 'a' && c <= 'z'; }));
    FUZZ_CHECK(!HasUmlaut(row->name));
    bool gap = false;
    for (const std::string& text : row->texts) {
      if (text.empty()) {
        gap = true;
        continue;
      }
      FUZZ_CHECK(!gap && text.size() >= 15);
    }
  }

  // A whole import, then the file written at closing: sorted, each callsign once, neither the own
  // one nor one of 3 characters or fewer; loaded again it writes the same lines.
  // An import that takes nothing leaves the list as it was (here: empty); one that takes
  // something has a station to write. No control character reaches the file.
  StationList list;
  const bool imported = list.Import(fileLines, kOwn);
  if (candidates.empty()) FUZZ_CHECK(!imported);
  if (!imported) FUZZ_CHECK(list.Stations().empty());
  const std::vector<std::string> closing = list.LinesForClosing(kOwn);
  FUZZ_CHECK(imported == !closing.empty());
  FUZZ_CHECK(std::is_sorted(closing.begin(), closing.end()));
  std::set<std::string> calls;
  for (const std::string& line : closing) {
    const std::string call = line.substr(0, line.find(','));
    FUZZ_CHECK(call.size() > 3 && call != kOwn);
    FUZZ_CHECK(calls.insert(WithoutPortable(call)).second);
    FUZZ_CHECK(std::none_of(line.begin(), line.end(), [](char c) {
      return static_cast<unsigned char>(c) < 0x20 || c == '\x7F';
    }));
  }
  StationList again;
  again.Load(closing, kOwn);
  FUZZ_CHECK(again.LinesForClosing(kOwn) == closing);
  return 0;
}
