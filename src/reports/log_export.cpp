#include "reports/log_export.h"

#include "common/text_file.h"
#include "contest/score_values.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"

std::vector<std::string> BuildLogExportLines(TSQLiteDatabase& log,
                                             const std::vector<std::string>& stationDataLines,
                                             bool stationDataPresent, const ScoreValues& score,
                                             const std::string& contestDateIso) {
  std::vector<std::string> lines;
  auto rows = log.GetTable("SELECT utc, rufz, s, stxt, r, rtxt FROM ktd");
  lines.reserve(static_cast<std::size_t>(rows->RowCount()) + stationDataLines.size());
  for (; !rows->Eof(); rows->Next()) {
    std::string line = "=" + rows->FieldAsString(0);
    for (int column = 1; column < 6; ++column) line += ";" + rows->FieldAsString(column);
    lines.push_back(std::move(line));
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

bool WriteLogExportFile(const std::string& path, TSQLiteDatabase& log,
                        const std::vector<std::string>& stationDataLines, bool stationDataPresent,
                        const ScoreValues& score, const std::string& contestDateIso,
                        std::string* reason) {
  // Count the QSO lines before the record is appended: a record alone is no export.
  const auto lines =
      BuildLogExportLines(log, stationDataLines, stationDataPresent, score, contestDateIso);
  const std::size_t recordLines =
      stationDataPresent && StationDataComplete(stationDataLines) ? stationDataLines.size() : 0;
  if (lines.size() <= recordLines) return false;
  return WriteLinesAtomic(path, lines, reason);
}
