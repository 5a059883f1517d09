#include "prep/station_data_form.h"

#include <algorithm>

#include "common/ascii_text.h"
#include "prep/station_data_record.h"

namespace {

std::string TwoDigits(int n) {
  return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

std::vector<StationField> BuildChain() {
  using K = StationFieldKind;
  std::vector<StationField> chain = {
      {"EditORT", K::Text, 0},           {"ComboBoxKANTON", K::Canton, 0},
      {"EditKOORD_X", K::Coordinate, 6}, {"EditKOORD_Y", K::Coordinate, 6},
      {"EditQAH", K::Height, 4},         {"EditWATT", K::Power, 5}};
  for (int item = 1; item <= kStationItemCount; ++item) {
    chain.push_back({"EditSTA" + TwoDigits(item) + "BEZ", K::Text, 0});
    chain.push_back({"EditSTA" + TwoDigits(item) + "GRAMM", K::Weight, 4});
  }
  chain.push_back({"EditOPNAME", K::Text, 0});
  chain.push_back({"EditEMAIL", K::Text, 0});
  return chain;
}

// The item number of "EditSTAnnBEZ" / "EditSTAnnGRAMM", or 0.
int ItemOf(std::string_view name, std::string_view suffix) {
  if (!name.starts_with("EditSTA") || !name.ends_with(suffix) ||
      name.size() != 7 + 2 + suffix.size())
    return 0;
  const int item = (name[7] - '0') * 10 + (name[8] - '0');
  return item >= 1 && item <= kStationItemCount ? item : 0;
}

}  // namespace

const std::vector<StationField>& StationFieldChain() {
  static const std::vector<StationField> chain = BuildChain();
  return chain;
}

const StationField* FindStationField(std::string_view name) {
  const std::vector<StationField>& chain = StationFieldChain();
  const auto it = std::find_if(chain.begin(), chain.end(),
                               [name](const StationField& f) { return f.name == name; });
  return it != chain.end() ? &*it : nullptr;
}

const std::string& NextStationField(std::string_view name) {
  const std::vector<StationField>& chain = StationFieldChain();
  const auto it = std::find_if(chain.begin(), chain.end(),
                               [name](const StationField& f) { return f.name == name; });
  if (it == chain.end() || it + 1 == chain.end()) return chain.front().name;
  return (it + 1)->name;
}

bool StationFieldAccepts(StationFieldKind kind, char c) {
  switch (kind) {
    case StationFieldKind::Coordinate:
    case StationFieldKind::Height:
    case StationFieldKind::Weight:
      return IsAsciiDigit(c);
    case StationFieldKind::Power:
      return IsAsciiDigit(c) || c == ',' || c == '-' || c == '.';
    case StationFieldKind::Text:
    case StationFieldKind::Canton:
      break;
  }
  return true;
}

std::string* StationFieldText(StationData& data, std::string_view name) {
  if (name == "EditORT") return &data.place;
  if (name == "EditKOORD_X") return &data.coordX;
  if (name == "EditKOORD_Y") return &data.coordY;
  if (name == "EditQAH") return &data.height;
  if (name == "EditWATT") return &data.power;
  if (name == "EditOPNAME") return &data.operatorName;
  if (name == "EditEMAIL") return &data.email;
  if (const int item = ItemOf(name, "BEZ")) return &data.itemDescriptions[item - 1];
  if (const int item = ItemOf(name, "GRAMM")) return &data.itemWeights[item - 1];
  return nullptr;
}

FieldEntering EnteringStationField(const StationField& field, std::string_view text) {
  FieldEntering entering{std::string(text), std::nullopt};
  switch (field.kind) {
    case StationFieldKind::Coordinate:
    case StationFieldKind::Height:
      entering.scrollTo = kScrollTop;
      break;
    case StationFieldKind::Power:
      entering.scrollTo = kScrollStation;
      entering.text = TrimBlanks(text);
      break;
    case StationFieldKind::Weight:
      entering.text = TrimBlanks(text);
      break;
    case StationFieldKind::Text:
      if (field.name == "EditORT" || field.name == "EditOPNAME") {
        entering.scrollTo = kScrollTop;
      } else if (field.name != "EditEMAIL") {  // the descriptions
        entering.scrollTo = kScrollStation;
        entering.text = TrimBlanks(text);
      }
      break;
    case StationFieldKind::Canton:
      break;
  }
  return entering;
}

std::string LeavingStationField(const StationField& field, std::string_view text) {
  switch (field.kind) {
    case StationFieldKind::Coordinate:
      return PadCoordinate(text);
    case StationFieldKind::Power:
      return AlignPower(text);
    case StationFieldKind::Weight:
      return AlignWeight(text);
    default:
      return std::string(text);
  }
}

void ClearStationQth(StationData& data) {
  data.place.clear();
  data.canton.clear();
  data.coordX.clear();
  data.coordY.clear();
  data.height.clear();
}

void ClearStationEquipment(StationData& data) {
  data.power.clear();
  for (std::string& d : data.itemDescriptions) d.clear();
  for (std::string& w : data.itemWeights) w.clear();
  RecomputeStationWeights(data);
  data.totalWeightText = "0";
}

void ClearStationData(StationData& data) {
  ClearStationQth(data);
  data.operatorName.clear();
  data.email.clear();
  ClearStationEquipment(data);
}

std::string StationDataFocusAtOpening(const StationData& data) {
  if (data.place.empty()) return "EditORT";
  if (data.operatorName.empty()) return "EditOPNAME";
  if (data.power.empty()) return "EditWATT";
  return "Button1";
}
