#pragma once
// The station data window's decisions, without widgets: which field takes which characters, how
// a field's text changes on entering and leaving it, where Enter goes next, where the scrolling
// area stands, the three clearing buttons and the focus when the window opens. The record itself
// is the StationData of station_data_record.h.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct StationData;

enum class StationFieldKind {
  Text,        // place, descriptions, name, e-mail: anything
  Canton,      // the pick list
  Coordinate,  // six digits
  Height,      // up to four digits
  Power,       // up to five of digits, ",", "-", "."
  Weight,      // up to four digits
};

struct StationField {
  std::string name;  // the control's name: "EditORT", "ComboBoxKANTON", "EditSTA01GRAMM" ...
  StationFieldKind kind = StationFieldKind::Text;
  int maxLength = 0;  // 0: no limit
};

// Scroll positions of the scrolling area: the top, and the station group.
inline constexpr int kScrollTop = 0;
inline constexpr int kScrollStation = 203;

// Every field in the order Enter walks through them: EditORT, ComboBoxKANTON, EditKOORD_X,
// EditKOORD_Y, EditQAH, EditWATT, EditSTA01BEZ, EditSTA01GRAMM ... EditSTA11GRAMM, EditOPNAME,
// EditEMAIL (and then EditORT again).
const std::vector<StationField>& StationFieldChain();
const StationField* FindStationField(std::string_view name);
// The field Enter moves to from `name`.
const std::string& NextStationField(std::string_view name);

// Whether the field takes a typed character (backspace always passes).
bool StationFieldAccepts(StationFieldKind kind, char c);

// The text a field holds in the record, by control name; nullptr for the pick list.
std::string* StationFieldText(StationData& data, std::string_view name);

// Entering a field: its text as it then stands (power, descriptions and weights lose their outer
// blanks) and where the scrolling area goes (nothing: it stays).
struct FieldEntering {
  std::string text;
  std::optional<int> scrollTo;
};
FieldEntering EnteringStationField(const StationField& field, std::string_view text);
// Leaving a field: coordinates padded with "000000" to six characters, power right-aligned to
// five, weights to four.
std::string LeavingStationField(const StationField& field, std::string_view text);

// "KTD-QTH-Daten löschen": place, canton, coordinates, height.
void ClearStationQth(StationData& data);
// "KTD-Station : Alle Felder löschen": power, descriptions and weights; the total shows "0".
void ClearStationEquipment(StationData& data);
// "Alle Stationsdaten löschen": both, and name and e-mail.
void ClearStationData(StationData& data);

// Where the focus goes when the window opens: the place if empty, else the name if empty, else
// the power if empty, else the button "Alle Stationsdaten löschen" ("Button1").
std::string StationDataFocusAtOpening(const StationData& data);
