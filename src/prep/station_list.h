#pragma once
// The station list window's state and decisions, without widgets: the registered KTD stations
// (callsign, name, up to four personal texts) as the grid shows them, with one empty entry row
// below the last station where a new one is typed; the reading of the station list file and of
// imported lists; storing the six edit fields; and the lines written at closing.
//
// Sorting goes through a private in-memory SQLite database, so the order is SQLite's byte order
// of whole lines.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

inline constexpr int kStationTextCount = 4;
// A pasted text keeps at most this many characters of the clipboard.
inline constexpr std::size_t kPastedTextLength = 22;

// One station, or the six edit fields of the selected one.
struct StationRow {
  std::string callsign;
  std::string name;
  std::array<std::string, kStationTextCount> texts;
  bool operator==(const StationRow&) const = default;
};

// Which layout a list line is read with. Published lists (imports) may carry two extra fields
// after the name: when field 3 has exactly six characters, the texts are fields 5 to 8. The file
// this window writes always has them in fields 3 to 6.
enum class StationLineLayout { Imported, Stored };

// The lines of an import file that can hold a station, each without its control characters (a
// tab becomes a blank: a NUL byte would cut the line in the sorter table, and none may reach the
// list file): not empty, not beginning with "#", with a comma; cut to 255 bytes and converted
// from UTF-8 when it was UTF-8.
std::vector<std::string> StationImportLines(const std::vector<std::string>& fileLines);

// Lines in SQLite's byte order, through the sorter table of a private in-memory database.
std::vector<std::string> SortedStationLines(const std::vector<std::string>& lines);

// One line read as a station: callsign in upper case with "/P", umlauts of the name written out
// ("ü" -> "ue"), texts shorter than 15 characters emptied and the rest moved up. Nothing when the
// line is empty or the callsign is longer than 15 characters or is the own callsign.
std::optional<StationRow> ReadStationLine(std::string_view line, const std::string& ownCallsign,
                                          StationLineLayout layout);

// The callsign field's text in upper case, "HB9" put in front of one shorter than 4 characters.
std::string CompletedCallsign(std::string_view field);
// Begins with "H", then "B" or "E", then a digit 1 to 9.
bool PassesPrefixTest(std::string_view callsign);
// The "/P" suffix: "HB9ABC/" -> "HB9ABC/P", "HB9ABC/X" -> "HB9ABC/P", "HB9ABC/QRP" ->
// "HB9ABC/QRP/P", "HB9ABC" -> "HB9ABC/P".
std::string WithPortableSuffix(std::string_view callsign);
// Leaving the callsign field: the normalised callsign when it has at least 4 characters and
// passes the prefix test; otherwise nothing changes.
std::optional<std::string> CallsignOnLeaving(std::string_view field);

// Characters the fields accept from the keyboard.
bool IsCallsignCharacter(char c);  // "/", digits, letters
bool IsNameCharacter(char c);      // space, "-", letters

// Shift+Insert into a text field: the first 22 characters of the clipboard, cleaned by the text
// rules and cut at the first character without transliteration. Nothing when the clipboard is
// empty or the field is not.
std::optional<std::string> PastedStationText(std::string_view field, std::string_view clipboard);

class StationList {
 public:
  // Opening the window: the station list file's lines, without control characters, sorted and read
  // in the stored layout.
  void Load(const std::vector<std::string>& fileLines, const std::string& ownCallsign);
  // An import file's lines replace the whole list (imported layout). False, and the list as it
  // was, when no line holds a station that closing would write (an empty file, a file of another
  // kind).
  bool Import(const std::vector<std::string>& fileLines, const std::string& ownCallsign);

  // The stations; the grid shows them followed by the empty entry row.
  const std::vector<StationRow>& Stations() const { return stations_; }
  int StationCount() const { return static_cast<int>(stations_.size()); }
  int EntryRow() const { return StationCount(); }
  // The count label is shown once a list is loaded, imported or edited.
  bool CountVisible() const { return countVisible_; }

  // Selected row: 0 .. EntryRow().
  int SelectedRow() const { return selected_; }
  void SelectRow(int row);
  // Down (+1) or Up (-1): at most the entry row, at least the first row.
  void MoveSelection(int direction);
  void SelectEntryRow() { SelectRow(EntryRow()); }
  // The six fields of the selected row (all empty on the entry row).
  StationRow SelectedFields() const;

  enum class StoreOutcome {
    Ignored,      // the callsign field is empty
    Refused,      // the callsign fails the prefix test
    OwnCallsign,  // the callsign is the own one; the field shows it normalised
    Stored,       // the station was updated or appended; the row below it is selected
  };
  struct StoreResult {
    StoreOutcome outcome = StoreOutcome::Ignored;
    std::string callsign;  // the normalised callsign (OwnCallsign)
  };
  // "Aktualisieren [Enter]": the six fields into the list. An existing station (same callsign)
  // gets the name and texts; a new one is appended in the entry row.
  StoreResult Store(const StationRow& fields, const std::string& ownCallsign);

  // "Station aus der Liste entfernen": the selected station is removed; the same row stays
  // selected. Nothing on the entry row.
  void RemoveSelected();

  // Closing: the lines of the station list file, sorted, each callsign once (compared without
  // "/P", the upper row wins), without the own callsign and without callsigns of 3 characters or
  // fewer. Empty when nothing is to be written.
  std::vector<std::string> LinesForClosing(const std::string& ownCallsign) const;

 private:
  void Fill(const std::vector<std::string>& sortedLines, const std::string& ownCallsign,
            StationLineLayout layout);

  std::vector<StationRow> stations_;
  int selected_ = 0;
  bool countVisible_ = false;
};
