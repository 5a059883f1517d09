#include "prep/station_list.h"

#include <algorithm>
#include <memory>
#include <unordered_set>

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "contest/text_rules.h"
#include "db/sqlite_database.h"

namespace {

constexpr std::size_t kMaxCallsignLength = 15;
// Imported lines are cut to what the UTF-8 converter takes.
constexpr std::size_t kMaxImportLineLength = 255;
// Texts of a list shorter than this (spaces counted) are dropped when a list is read.
constexpr std::size_t kMinListTextLength = 15;
// Field 3 of this length marks the published layout with two extra fields before the texts.
constexpr std::size_t kExtraFieldsMarkLength = 6;

std::vector<std::string> SplitAtCommas(std::string_view line) {
  std::vector<std::string> fields;
  for (;;) {
    const std::size_t comma = line.find(',');
    fields.emplace_back(line.substr(0, comma));
    if (comma == std::string_view::npos) return fields;
    line.remove_prefix(comma + 1);
  }
}

// Umlauts of names written out, always in lower case ("Jörg" -> "Joerg").
std::string NameWithoutUmlauts(std::string_view name) {
  std::string result;
  for (const char c : name) {
    switch (static_cast<unsigned char>(c)) {
      case 0xE4:  // ä
      case 0xC4:  // Ä
        result += "ae";
        break;
      case 0xF6:  // ö
      case 0xD6:  // Ö
        result += "oe";
        break;
      case 0xFC:  // ü
      case 0xDC:  // Ü
        result += "ue";
        break;
      default:
        result += c;
    }
  }
  return result;
}

// Filled texts first, in their order; the slots after them empty.
void CloseGaps(std::array<std::string, kStationTextCount>& texts) {
  std::stable_partition(texts.begin(), texts.end(),
                        [](const std::string& t) { return !t.empty(); });
}

std::string WithoutPortable(std::string_view callsign) {
  if (callsign.size() >= 2 && SameTextIgnoringCase(callsign.substr(callsign.size() - 2), "/P"))
    callsign.remove_suffix(2);
  return std::string(callsign);
}

// A callsign (upper case, trimmed) closing writes: its base, without "/P" and spaces, has more
// than 3 characters.
bool WrittenAtClosing(std::string_view callsign) {
  return TextLengthWithoutSpaces(WithoutPortable(callsign)) > 3;
}

// The lines read as stations; lines that are none are left out.
std::vector<StationRow> StationRows(const std::vector<std::string>& lines,
                                    const std::string& ownCallsign, StationLineLayout layout) {
  std::vector<StationRow> stations;
  stations.reserve(lines.size());
  for (const std::string& line : lines) {
    if (std::optional<StationRow> row = ReadStationLine(line, ownCallsign, layout))
      stations.push_back(std::move(*row));
  }
  return stations;
}

// The sorter table of `db`: the lines in SQLite's byte order.
std::vector<std::string> SortThrough(TSQLiteDatabase& db, const std::vector<std::string>& lines) {
  db.ExecSQL("CREATE TABLE sort (str TEXT)");
  db.BeginTransaction();
  db.ExecSQLForEach("INSERT INTO sort VALUES ( :str )", ":str", lines);
  db.Commit();
  std::vector<std::string> sorted;
  sorted.reserve(lines.size());
  const std::unique_ptr<TSQLiteTable> table = db.GetTable("SELECT str FROM sort ORDER BY str");
  for (; !table->Eof(); table->Next()) sorted.push_back(table->FieldAsString(0));
  return sorted;
}

}  // namespace

std::vector<std::string> StationImportLines(const std::vector<std::string>& fileLines) {
  std::vector<std::string> kept;
  for (const std::string& fileLine : fileLines) {
    const std::string line = WithoutControlCharacters(fileLine);
    if (line.empty() || line.front() == '#' || line.find(',') == std::string::npos) continue;
    kept.push_back(Utf8AnsiIfShorter(std::string_view(line).substr(0, kMaxImportLineLength)));
  }
  return kept;
}

std::vector<std::string> SortedStationLines(const std::vector<std::string>& lines) {
  TSQLiteDatabase db(":memory:");
  return SortThrough(db, lines);
}

std::optional<StationRow> ReadStationLine(std::string_view line, const std::string& ownCallsign,
                                          StationLineLayout layout) {
  if (line.empty()) return std::nullopt;
  std::vector<std::string> fields = SplitAtCommas(std::string(line) + ",,,,,,,,,");
  // Blanks around a field are no part of it ("HB9ABC/P, Hans, ...").
  for (std::string& field : fields) field = TrimBlanks(field);

  StationRow row;
  row.callsign = AsciiUpper(fields[0]);
  if (!row.callsign.ends_with("/P")) row.callsign += "/P";
  if (row.callsign.size() > kMaxCallsignLength || row.callsign == ownCallsign) return std::nullopt;
  row.name = NameWithoutUmlauts(fields[1]);
  const std::size_t firstText =
      (layout == StationLineLayout::Imported && fields[2].size() == kExtraFieldsMarkLength) ? 4 : 2;
  for (int t = 0; t < kStationTextCount; ++t) {
    const std::string& text = fields[firstText + static_cast<std::size_t>(t)];
    if (text.size() >= kMinListTextLength) row.texts[static_cast<std::size_t>(t)] = text;
  }
  CloseGaps(row.texts);
  return row;
}

std::string CompletedCallsign(std::string_view field) {
  std::string callsign = AsciiUpper(field);
  if (!callsign.empty() && callsign.size() < 4) callsign = "HB9" + callsign;
  return callsign;
}

bool PassesPrefixTest(std::string_view callsign) {
  return callsign.size() >= 3 && callsign[0] == 'H' && (callsign[1] == 'B' || callsign[1] == 'E') &&
         callsign[2] >= '1' && callsign[2] <= '9';
}

std::string WithPortableSuffix(std::string_view callsign) {
  std::string result(callsign);
  if (result.ends_with('/')) {
    result += 'P';
  } else if (result.size() >= 2 && result[result.size() - 2] == '/') {
    result.back() = 'P';
  } else {
    result += "/P";
  }
  return result;
}

std::optional<std::string> CallsignOnLeaving(std::string_view field) {
  const std::string callsign = AsciiUpper(field);
  if (callsign.size() < 4 || !PassesPrefixTest(callsign)) return std::nullopt;
  return WithPortableSuffix(callsign);
}

bool IsCallsignCharacter(char c) {
  return c == '/' || IsAsciiDigit(c) || IsAsciiLetter(c);
}

bool IsNameCharacter(char c) {
  return c == ' ' || c == '-' || IsAsciiLetter(c);
}

std::optional<std::string> PastedStationText(std::string_view field, std::string_view clipboard) {
  if (clipboard.empty() || !field.empty()) return std::nullopt;
  const std::string cleaned = CleanText(clipboard.substr(0, kPastedTextLength));
  return std::string(UpToMarker(cleaned));
}

void StationList::Fill(const std::vector<std::string>& sortedLines, const std::string& ownCallsign,
                       StationLineLayout layout) {
  stations_ = StationRows(sortedLines, ownCallsign, layout);
  selected_ = 0;
  countVisible_ = true;
}

void StationList::Load(const std::vector<std::string>& fileLines, const std::string& ownCallsign) {
  stations_.clear();
  selected_ = 0;
  countVisible_ = false;
  if (fileLines.empty()) return;
  std::vector<std::string> lines;
  lines.reserve(fileLines.size());
  for (const std::string& line : fileLines) lines.push_back(WithoutControlCharacters(line));
  Fill(SortedStationLines(lines), ownCallsign, StationLineLayout::Stored);
}

bool StationList::Import(const std::vector<std::string>& fileLines,
                         const std::string& ownCallsign) {
  const std::vector<std::string> lines = StationImportLines(fileLines);
  if (lines.empty()) return false;
  std::vector<StationRow> stations =
      StationRows(SortedStationLines(lines), ownCallsign, StationLineLayout::Imported);
  // A file without one station that closing would write (an empty file, one in another format)
  // must not replace the list: closing would delete the list file.
  if (std::none_of(stations.begin(), stations.end(),
                   [](const StationRow& row) { return WrittenAtClosing(row.callsign); }))
    return false;
  stations_ = std::move(stations);
  selected_ = 0;
  countVisible_ = true;
  return true;
}

void StationList::SelectRow(int row) {
  selected_ = std::clamp(row, 0, EntryRow());
}

void StationList::MoveSelection(int direction) {
  SelectRow(selected_ + (direction < 0 ? -1 : 1));
}

StationRow StationList::SelectedFields() const {
  if (selected_ >= StationCount()) return {};
  return stations_[static_cast<std::size_t>(selected_)];
}

StationList::StoreResult StationList::Store(const StationRow& fields,
                                            const std::string& ownCallsign) {
  StoreResult result;
  std::string callsign = AsciiUpper(fields.callsign);
  if (callsign.empty()) return result;
  callsign = CompletedCallsign(callsign);
  if (!PassesPrefixTest(callsign)) {
    result.outcome = StoreOutcome::Refused;
    return result;
  }
  callsign = WithPortableSuffix(callsign);
  result.callsign = callsign;
  if (callsign == ownCallsign) {
    result.outcome = StoreOutcome::OwnCallsign;
    return result;
  }

  StationRow station;
  station.callsign = callsign;
  station.name = TrimBlanks(fields.name);
  for (int t = 0; t < kStationTextCount; ++t)
    station.texts[static_cast<std::size_t>(t)] =
        TrimBlanks(fields.texts[static_cast<std::size_t>(t)]);
  CloseGaps(station.texts);

  const auto matches = [&](int row) {
    return stations_[static_cast<std::size_t>(row)].callsign == callsign;
  };
  int found = -1;
  if (selected_ < StationCount() && matches(selected_)) {
    found = selected_;
  } else {
    for (int row = 0; row < StationCount() && found < 0; ++row)
      if (matches(row)) found = row;
  }
  if (found >= 0) {
    StationRow& existing = stations_[static_cast<std::size_t>(found)];
    existing.name = station.name;
    existing.texts = station.texts;
    selected_ = found + 1;
  } else {
    // New stations go to the end; the file is sorted when the window closes.
    stations_.push_back(std::move(station));
    selected_ = EntryRow();
  }
  countVisible_ = true;
  result.outcome = StoreOutcome::Stored;
  return result;
}

void StationList::RemoveSelected() {
  if (selected_ >= StationCount() ||
      stations_[static_cast<std::size_t>(selected_)].callsign.empty())
    return;
  stations_.erase(stations_.begin() + selected_);
  countVisible_ = true;
}

std::vector<std::string> StationList::LinesForClosing(const std::string& ownCallsign) const {
  if (stations_.empty()) return {};
  // The callsigns written so far: one look-up per row, so a long list is not compared pair by
  // pair.
  std::unordered_set<std::string> written;
  std::vector<std::string> lines;
  for (const StationRow& station : stations_) {
    const std::string upper = AsciiUpper(TrimBlanks(station.callsign));
    if (upper == ownCallsign || !WrittenAtClosing(upper)) continue;
    const std::string base = WithoutPortable(upper);
    if (!written.insert(base).second) continue;  // the first occurrence from the top wins
    std::string line = WithoutControlCharacters(base + "/P," + station.name);
    for (const std::string& text : station.texts) line += "," + WithoutControlCharacters(text);
    lines.push_back(std::move(line));
  }
  if (lines.empty()) return lines;
  return SortedStationLines(lines);
}
