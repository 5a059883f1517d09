#pragma once
// The station-data record: who operated, from where and with what equipment. On disk it is the
// station-data file, 38 lines "#;" + KEY + "=;" + value in a fixed order (Windows-1252, CR LF).
// Readers at program end (score sheet, log export) address items by line number, so the order of
// the lines is binding; the constants below name those line numbers.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kStationDataLineCount = 38;
inline constexpr int kStationItemCount = 11;

// Line numbers (from 0) of the record's items.
inline constexpr int kStationLineQra = 0;
inline constexpr int kStationLineOrt = 1;
inline constexpr int kStationLineKanton = 2;
inline constexpr int kStationLineKoordX = 3;
inline constexpr int kStationLineKoordY = 4;
inline constexpr int kStationLineQah = 5;
inline constexpr int kStationLineWatt = 6;
inline constexpr int kStationLineOpName = 29;
inline constexpr int kStationLineEmail = 30;
inline constexpr int kStationLineAnzKtd = 31;
inline constexpr int kStationLineAnzHb = 32;
inline constexpr int kStationLineAnzEu = 33;
inline constexpr int kStationLineAnzQso = 34;
inline constexpr int kStationLineAnzPunkte = 35;
inline constexpr int kStationLineLogDatum = 36;
inline constexpr int kStationLineGesamtgewicht = 37;

// Equipment item n (1 ... 11): its description line and its weight line.
constexpr int StationItemDescriptionLine(int item) {
  return 7 + 2 * (item - 1);
}
constexpr int StationItemWeightLine(int item) {
  return 8 + 2 * (item - 1);
}

// The 26 canton codes in the order of the station data window's pick list.
extern const std::array<const char*, 26> kCantonCodes;
bool IsCantonCode(std::string_view code);

// The record as the station data window holds it: the texts of its fields, plus the weight array
// and the total derived from the weight fields (RecomputeStationWeights).
struct StationData {
  std::string place;   // ORT
  std::string canton;  // selected code; empty when none is selected
  std::string coordX;  // first coordinate field (KOORD_X after reading)
  std::string coordY;  // second coordinate field
  std::string height;  // QAH
  std::string power;   // WATT, as shown (right-aligned to five characters)
  std::array<std::string, kStationItemCount> itemDescriptions;
  std::array<std::string, kStationItemCount> itemWeights;  // as shown (right-aligned to four)
  std::string operatorName;                                // OPNAME
  std::string email;                                       // EMAIL

  std::array<long long, kStationItemCount> weights{};  // grams, 0 for an empty field
  long long totalWeight = 0;
  std::string totalWeightText = "0";  // the total display: sum + " g", or "0" after clearing
};

// Field formatting shared by the readers and the station data window.
// Coordinates: the text followed by "000000", cut to six characters ("6" -> "600000").
std::string PadCoordinate(std::string_view text);
// Power: right-aligned to five characters when it has 1 to 4 characters, otherwise unchanged.
std::string AlignPower(std::string_view text);
// Weight: right-aligned to four characters when it has 1 to 3 characters, otherwise unchanged.
std::string AlignWeight(std::string_view text);
// Grams of a weight field: 0 when empty. A value that is not a whole number of grams, or one of
// more than nine digits (only an imported file can hold either), counts 0, so the total stays a
// sum of real weights and cannot overflow.
long long WeightGrams(std::string_view text);

// Reads the eleven weight fields into the weight array and sets the total and its display.
void RecomputeStationWeights(StationData& data);

// The 38 lines of the record, in file order, with zero summary counts. `contestDateIso` is the
// contest date of the current year ("2025-07-20"). The greater coordinate (compared as text) is
// written as KOORD_X.
std::vector<std::string> BuildStationDataLines(const StationData& data,
                                               const std::string& ownCallsign,
                                               const std::string& contestDateIso);

// True when lines 1 to 30 (ORT ... EMAIL) are all bare keys: a cleared record, which leaves no
// file.
bool StationDataLinesAreBare(const std::vector<std::string>& lines);

// Writes the record when the station data window closes: a cleared record deletes the file, any
// other replaces it atomically. False when the file could not be written or deleted.
bool SaveStationDataFile(const std::string& path, const std::vector<std::string>& lines);

// The "#;" reader: fills the fields named by the lines' keys (others keep their content), puts
// the greater coordinate first and recomputes the weights. Lines that are too short, do not begin
// with "#;" or carry an unknown key are skipped; control characters in values are dropped. False
// (and nothing changed) when no line sets a field.
bool ReadStationDataRecord(const std::vector<std::string>& lines, StationData& data);

// The import of a Cabrillo-style log: fills the fields from its 30-line SOAPBOX block, taken by
// position. False (and nothing changed) without a complete block (EMAIL exactly 29 lines after
// ORT).
bool ImportStationDataCabrillo(const std::vector<std::string>& lines, StationData& data);

// The station data window's import of a chosen file's lines: a file of at most 29 lines changes
// nothing; one starting with "START-OF-LOG: 3.0" is a Cabrillo-style log, any other is read with
// the "#;" reader (so a log export file of an earlier year imports its record). True when it took
// fields from the file; false, and nothing changed, when the file held none.
bool ImportStationDataFile(const std::vector<std::string>& lines, StationData& data);

// Access by position for the reports at program end, which use the file only when it holds at
// least 38 lines.
bool StationDataComplete(const std::vector<std::string>& lines);
// Characters of line `line` from the 1-based `column` on, at most `maxLength` of them; empty when
// the line is missing or shorter.
std::string StationDataField(const std::vector<std::string>& lines, int line, std::size_t column,
                             std::size_t maxLength = std::string::npos);
