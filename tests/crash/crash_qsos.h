#pragma once
// The QSOs the crash driver records, the same sequence in the driver and in the test that builds
// the expected log: KTD stations in both halves and modes (moved between the station lists, their
// texts used up) and home stations (their portable calls removed from all lists).

#include <string>
#include <vector>

namespace crash_qsos {

constexpr int kStations = 40;
constexpr int kTexts = 4000;

inline std::string Station(int j) {
  return "HB9" + std::string(1, static_cast<char>('A' + j % 26)) + "K" + std::to_string(j) + "/P";
}

inline std::string Text(int i) {
  return "AUSTAUSCHTEXT NUMMER " + std::to_string(i);
}

inline std::string PersonalText(int j) {
  return "PERSOENLICHER TEXT DER STATION " + std::to_string(j);
}

// The station list file: every station with a name and a personal text.
inline std::vector<std::string> StationListLines() {
  std::vector<std::string> lines;
  for (int j = 0; j < kStations; ++j)
    lines.push_back(Station(j) + ",Name" + std::to_string(j) + "," + PersonalText(j));
  return lines;
}

inline std::vector<std::string> TextCollectionLines() {
  std::vector<std::string> lines;
  for (int i = 0; i < kTexts; ++i) lines.push_back(Text(i));
  return lines;
}

struct Qso {
  std::string utc, call, rstSent, sentText, rstRcvd, rcvdText;
};

// QSO number i (0-based).
inline Qso QsoNumber(int i) {
  const int station = (i / 4) % kStations;
  switch (i % 4) {
    case 0:
      return {"0700", Station(station), "599", Text(i), "579", "ERSTE HALBZEIT CW"};
    case 1:
      return {"0735", Station(station), "59", PersonalText(station), "57", "ERSTE HALBZEIT SSB"};
    case 2:
      return {"0915", Station(station).substr(0, Station(station).size() - 2), "599", "", "599",
              ""};
    default:
      return {"1130", Station(station), "599", Text(i), "599", "ZWEITE HALBZEIT CW"};
  }
}

}  // namespace crash_qsos
