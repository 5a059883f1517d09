#pragma once
// The log export file (".ktd"): every QSO as one line "=" utc ";" call ";" s ";" stxt ";" r ";"
// rtxt, followed by a copy of the station-data record whose summary lines carry the real counts.
// The station data window imports such a file of an earlier year (its QSO lines are skipped).

#include <string>
#include <vector>

class LoggedQsos;
class TSQLiteDatabase;
struct ScoreValues;

// The file's lines. With station data (the file's lines, at least 38), its lines follow the QSO
// lines with lines 31 to 36 replaced by the summary: KTD, HB and other stations, QSOs and points
// of both modes together (from `score`, as the score sheet left them) and the contest date
// (`contestDateIso`, "2025-07-20"). Without station data only the QSO lines.
// Takes the rows closing read once, or reads them from the log itself.
std::vector<std::string> BuildLogExportLines(const LoggedQsos& qsos,
                                             const std::vector<std::string>& stationDataLines,
                                             bool stationDataPresent, const ScoreValues& score,
                                             const std::string& contestDateIso);
std::vector<std::string> BuildLogExportLines(TSQLiteDatabase& log,
                                             const std::vector<std::string>& stationDataLines,
                                             bool stationDataPresent, const ScoreValues& score,
                                             const std::string& contestDateIso);

// Writes the file whole and atomically when the log holds at least one QSO. True when written;
// when writing failed, `reason` gets the system's reason.
bool WriteLogExportFile(const std::string& path, const LoggedQsos& qsos,
                        const std::vector<std::string>& stationDataLines, bool stationDataPresent,
                        const ScoreValues& score, const std::string& contestDateIso,
                        std::string* reason = nullptr);
bool WriteLogExportFile(const std::string& path, TSQLiteDatabase& log,
                        const std::vector<std::string>& stationDataLines, bool stationDataPresent,
                        const ScoreValues& score, const std::string& contestDateIso,
                        std::string* reason = nullptr);
