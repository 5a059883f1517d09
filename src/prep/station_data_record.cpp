#include "prep/station_data_record.h"

#include <algorithm>
#include <charconv>

#include "common/ascii_text.h"
#include "common/encoding.h"
#include "common/text_file.h"

const std::array<const char*, 26> kCantonCodes = {
    "AG", "AR", "AI", "BL", "BS", "BE", "FR", "GE", "GL", "GR", "JU", "LU", "NE",
    "NW", "OW", "SG", "SH", "SZ", "SO", "TI", "TG", "UR", "VD", "VS", "ZH", "ZG"};

namespace {

// Lines longer than this are cut before conversion, as the UTF-8 converter takes at most 255.
constexpr std::size_t kMaxLineLength = 255;

// Largest weight that is added up (a thousand tonnes). Only an imported file can hold more; such a
// value counts 0 like any other that cannot be added, so eleven of them never overflow the total.
constexpr long long kMaxCountedGrams = 999'999'999;

std::string TwoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::string ItemDescriptionKey(int item) {
  return "STA" + TwoDigits(item) + "BEZ";
}
std::string ItemWeightKey(int item) {
  return "STA" + TwoDigits(item) + "GRAMM";
}

// The keys of lines 0 to 37 in file order.
std::vector<std::string> RecordKeys() {
  std::vector<std::string> keys = {"QRA", "ORT", "KANTON", "KOORD_X", "KOORD_Y", "QAH", "WATT"};
  for (int item = 1; item <= kStationItemCount; ++item) {
    keys.push_back(ItemDescriptionKey(item));
    keys.push_back(ItemWeightKey(item));
  }
  for (const char* key : {"OPNAME", "EMAIL", "ANZ_KTD", "ANZ_HB", "ANZ_EU", "ANZ_QSO", "ANZ_PUNKTE",
                          "LOGDATUM", "GESAMTGEWICHT"})
    keys.push_back(key);
  return keys;
}

const std::vector<std::string>& Keys() {
  static const std::vector<std::string> keys = RecordKeys();
  return keys;
}

// Whatever a field holds, its line carries no control character (a line end would split it).
std::string Line(const std::string& key, const std::string& value) {
  return "#;" + key + "=;" + WithoutControlCharacters(value);
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

std::string RightAlign(std::string_view text, std::size_t width) {
  if (text.empty() || text.size() >= width) return std::string(text);
  return std::string(width - text.size(), ' ') + std::string(text);
}

// Weights are written without any blank, the alignment blanks in front included (the power only
// loses those at its ends).
std::string WithoutBlanks(std::string_view text) {
  std::string result = TrimBlanks(text);
  result.erase(std::remove(result.begin(), result.end(), ' '), result.end());
  return result;
}

std::string SelectCanton(std::string_view code) {
  return IsCantonCode(code) ? std::string(code) : std::string();
}

// Sets the field that a "#;" key names; unknown and write-only keys are ignored (false). Control
// characters of the value (NUL bytes of a file that was not text) are dropped: they would reach
// the station-data file, the export and every eQSL record.
bool SetFieldFromKey(StationData& data, const std::string& key, const std::string& rawValue) {
  const std::string value = WithoutControlCharacters(rawValue);
  if (key == "ORT") {
    data.place = value;
  } else if (key == "KANTON") {
    data.canton = SelectCanton(value);
  } else if (key == "KOORD_X") {
    data.coordX = PadCoordinate(value);
  } else if (key == "KOORD_Y") {
    data.coordY = PadCoordinate(value);
  } else if (key == "QAH") {
    data.height = value;
  } else if (key == "WATT") {
    data.power = AlignPower(value);
  } else if (key == "OPNAME") {
    data.operatorName = value;
  } else if (key == "EMAIL") {
    data.email = value;
  } else {
    for (int item = 1; item <= kStationItemCount; ++item) {
      if (key == ItemDescriptionKey(item)) {
        data.itemDescriptions[item - 1] = value;
        return true;
      }
      if (key == ItemWeightKey(item)) {
        data.itemWeights[item - 1] = AlignWeight(value);
        return true;
      }
    }
    return false;
  }
  return true;
}

}  // namespace

bool IsCantonCode(std::string_view code) {
  return std::any_of(kCantonCodes.begin(), kCantonCodes.end(),
                     [code](const char* c) { return code == c; });
}

std::string PadCoordinate(std::string_view text) {
  return (std::string(text) + "000000").substr(0, 6);
}

std::string AlignPower(std::string_view text) {
  return RightAlign(text, 5);
}

std::string AlignWeight(std::string_view text) {
  return RightAlign(text, 4);
}

long long WeightGrams(std::string_view text) {
  const std::string trimmed = TrimBlanks(text);
  if (trimmed.empty()) return 0;
  long long grams = 0;
  const char* end = trimmed.data() + trimmed.size();
  const auto [ptr, ec] = std::from_chars(trimmed.data(), end, grams);
  if (ec != std::errc() || ptr != end || grams < 0 || grams > kMaxCountedGrams) return 0;
  return grams;
}

void RecomputeStationWeights(StationData& data) {
  data.totalWeight = 0;
  for (int i = 0; i < kStationItemCount; ++i) {
    data.weights[i] = WeightGrams(data.itemWeights[i]);
    data.totalWeight += data.weights[i];
  }
  data.totalWeightText = std::to_string(data.totalWeight) + " g";
}

std::vector<std::string> BuildStationDataLines(const StationData& data,
                                               const std::string& ownCallsign,
                                               const std::string& contestDateIso) {
  std::vector<std::string> lines;
  lines.reserve(kStationDataLineCount);
  lines.push_back(Line("QRA", ownCallsign));
  lines.push_back(Line("ORT", data.place));
  lines.push_back(Line("KANTON", data.canton));
  const bool firstGreater = data.coordX > data.coordY;
  lines.push_back(Line("KOORD_X", firstGreater ? data.coordX : data.coordY));
  lines.push_back(Line("KOORD_Y", firstGreater ? data.coordY : data.coordX));
  lines.push_back(Line("QAH", data.height));
  lines.push_back(Line("WATT", TrimBlanks(data.power)));
  for (int item = 1; item <= kStationItemCount; ++item) {
    lines.push_back(Line(ItemDescriptionKey(item), data.itemDescriptions[item - 1]));
    lines.push_back(Line(ItemWeightKey(item), WithoutBlanks(data.itemWeights[item - 1])));
  }
  lines.push_back(Line("OPNAME", data.operatorName));
  lines.push_back(Line("EMAIL", data.email));
  for (const char* key : {"ANZ_KTD", "ANZ_HB", "ANZ_EU", "ANZ_QSO", "ANZ_PUNKTE"})
    lines.push_back(Line(key, "0"));
  lines.push_back(Line("LOGDATUM", contestDateIso));
  lines.push_back(Line("GESAMTGEWICHT", data.totalWeightText));
  return lines;
}

bool StationDataLinesAreBare(const std::vector<std::string>& lines) {
  for (int i = kStationLineOrt; i <= kStationLineEmail; ++i) {
    if (i >= static_cast<int>(lines.size()) || lines[i] != Line(Keys()[i], "")) return false;
  }
  return true;
}

bool SaveStationDataFile(const std::string& path, const std::vector<std::string>& lines) {
  // Replacing through a temporary file instead of deleting first: a crash in between must not
  // lose the record.
  if (StationDataLinesAreBare(lines)) return DeleteFileIfExists(path);
  return WriteLinesAtomic(path, lines);
}

bool ReadStationDataRecord(const std::vector<std::string>& lines, StationData& data) {
  if (std::none_of(lines.begin(), lines.end(),
                   [](const std::string& l) { return !l.empty() && l[0] == '#'; }))
    return false;
  // Read into a copy: a file without one known key leaves the fields as they were.
  StationData read = data;
  bool anyField = false;
  for (const std::string& raw : lines) {
    std::string line = TrimBlanks(raw);
    if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
    if (line.size() < 8 || !StartsWith(line, "#;")) continue;
    line = Utf8AnsiIfShorter(line);
    // The key ends at the first ';' from the sixth character on ("#;QAH=;" is the shortest).
    const std::size_t semicolon = line.find(';', 5);
    if (semicolon == std::string::npos) continue;
    const std::string prefix = line.substr(0, semicolon + 1);
    if (prefix.size() < 5 || !StartsWith(prefix, "#;") || prefix.substr(prefix.size() - 2) != "=;")
      continue;
    const std::string key = prefix.substr(2, prefix.size() - 4);
    std::string value = line.substr(semicolon + 1);
    value.erase(std::remove(value.begin(), value.end(), ';'), value.end());
    anyField = SetFieldFromKey(read, key, TrimBlanks(value)) || anyField;
  }
  if (!anyField) return false;
  if (read.coordY > read.coordX) std::swap(read.coordX, read.coordY);
  RecomputeStationWeights(read);
  data = std::move(read);
  return true;
}

bool ImportStationDataCabrillo(const std::vector<std::string>& lines, StationData& data) {
  constexpr std::size_t kBlockLines = 30;
  const auto ort = std::find_if(lines.begin(), lines.end(), [](const std::string& l) {
    return StartsWith(l, "SOAPBOX: ORT=");
  });
  if (ort == lines.end()) return false;
  const auto email = std::find_if(
      ort, lines.end(), [](const std::string& l) { return StartsWith(l, "SOAPBOX: EMAIL="); });
  if (email == lines.end() || email - ort != static_cast<std::ptrdiff_t>(kBlockLines - 1))
    return false;

  // Block position i carries the key of record line i + 1 (ORT ... EMAIL).
  for (std::size_t i = 0; i < kBlockLines; ++i) {
    const int recordLine = static_cast<int>(i) + 1;
    const std::string& key = Keys()[recordLine];
    const std::string expected = "SOAPBOX: " + key + "=";
    std::string line = TrimBlanks(*(ort + static_cast<std::ptrdiff_t>(i)));
    const bool freeText = recordLine == kStationLineOrt || recordLine == kStationLineOpName ||
                          recordLine == kStationLineEmail ||
                          (recordLine >= StationItemDescriptionLine(1) &&
                           recordLine <= StationItemDescriptionLine(kStationItemCount) &&
                           (recordLine - StationItemDescriptionLine(1)) % 2 == 0);
    if (freeText) {
      if (line.size() > kMaxLineLength) line.resize(kMaxLineLength);
      line = Utf8AnsiIfShorter(line);
    }
    std::string value;
    if (StartsWith(line, expected) && line.size() > expected.size())
      value = line.substr(expected.size());

    if (key == "KANTON") {
      data.canton = SelectCanton(value.substr(0, 2));
    } else if (key == "KOORD_X") {
      data.coordX = WithoutControlCharacters(value);  // no padding, no exchange
    } else if (key == "KOORD_Y") {
      data.coordY = WithoutControlCharacters(value);
    } else {
      SetFieldFromKey(data, key, value);
    }
  }
  RecomputeStationWeights(data);
  return true;
}

bool ImportStationDataFile(const std::vector<std::string>& lines, StationData& data) {
  if (lines.size() <= 29) return false;
  if (StartsWith(lines.front(), "START-OF-LOG: 3.0")) return ImportStationDataCabrillo(lines, data);
  return ReadStationDataRecord(lines, data);
}

bool StationDataComplete(const std::vector<std::string>& lines) {
  return lines.size() >= static_cast<std::size_t>(kStationDataLineCount);
}

std::string StationDataField(const std::vector<std::string>& lines, int line, std::size_t column,
                             std::size_t maxLength) {
  if (line < 0 || line >= static_cast<int>(lines.size()) || column == 0) return {};
  const std::string& text = lines[line];
  if (column > text.size()) return {};
  return text.substr(column - 1, maxLength);
}
