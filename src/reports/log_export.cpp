#include "reports/log_export.h"

#include "common/text_file.h"
#include "contest/score_values.h"
#include "prep/station_data_record.h"
#include "reports/logged_qsos.h"

std::vector<std::string> BuildLogExportLines(const LoggedQsos& qsos,
                                             const std::vector<std::string>& stationDataLines,
                                             bool stationDataPresent, const ScoreValues& score,
                                             const std::string& contestDateIso) {
  std::vector<std::string> lines;
  lines.reserve(qsos.Stored().size() + stationDataLines.size());
  for (const LoggedQso& qso : qsos.Stored()) {
    std::string& line = lines.emplace_back();
    line.reserve(qso.utc.size() + qso.rufz.size() + qso.s.size() + qso.stxt.size() + qso.r.size() +
                 qso.rtxt.size() + 6);
    (line += '=') += qso.utc;
    for (const std::string* field : {&qso.rufz, &qso.s, &qso.stxt, &qso.r, &qso.rtxt})
      (line += ';') += *field;
  }
  if (!stationDataPresent || !StationDataComplete(stationDataLines)) return lines;

  std::vector<std::string> record = stationDataLines;
  record[kStationLineAnzKtd] = "#;ANZ_KTD=;" + std::to_string(score.ktdCw + score.ktdSsb);
  record[kStationLineAnzHb] = "#;ANZ_HB=;" + std::to_string(score.hbCw + score.hbSsb);
  record[kStationLineAnzEu] = "#;ANZ_EU=;" + std::to_string(score.euCw + score.euSsb);
  record[kStationLineAnzQso] = "#;ANZ_QSO=;" + std::to_string(score.cwQsos + score.ssbQsos);
  record[kStationLineAnzPunkte] = "#;ANZ_PUNKTE=;" + std::to_string(score.totalPoints);
  record[kStationLineLogDatum] = "#;LOGDATUM=;" + contestDateIso;
  lines.insert(lines.end(), record.begin(), record.end());
  return lines;
}

std::vector<std::string> BuildLogExportLines(TSQLiteDatabase& log,
                                             const std::vector<std::string>& stationDataLines,
                                             bool stationDataPresent, const ScoreValues& score,
                                             const std::string& contestDateIso) {
  return BuildLogExportLines(LoggedQsos::Read(log, LoggedQsoColumns::Exchange), stationDataLines,
                             stationDataPresent, score, contestDateIso);
}

bool WriteLogExportFile(const std::string& path, const LoggedQsos& qsos,
                        const std::vector<std::string>& stationDataLines, bool stationDataPresent,
                        const ScoreValues& score, const std::string& contestDateIso,
                        std::string* reason) {
  // A record alone is no export: without a QSO nothing is written.
  if (qsos.Empty()) return false;
  return WriteLinesAtomic(
      path, BuildLogExportLines(qsos, stationDataLines, stationDataPresent, score, contestDateIso),
      reason);
}

bool WriteLogExportFile(const std::string& path, TSQLiteDatabase& log,
                        const std::vector<std::string>& stationDataLines, bool stationDataPresent,
                        const ScoreValues& score, const std::string& contestDateIso,
                        std::string* reason) {
  return WriteLogExportFile(path, LoggedQsos::Read(log, LoggedQsoColumns::Exchange),
                            stationDataLines, stationDataPresent, score, contestDateIso, reason);
}
