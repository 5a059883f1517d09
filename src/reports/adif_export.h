#pragma once
// The two ADIF files written at program end: one for upload to the eQSL service (with a short
// German upload guide in its header) and one for general use. Both hold one record per QSO of the
// log table in stored order, each QSO dated on the contest day; the band is always 80 m.
//
// The records are built here from the log's rows, not pasted together in SQL: the QSL message
// comes from a free-text equipment description and may hold any character, double quotes included.
// Each function takes the rows closing read once, or reads them from the log itself.

#include <string>
#include <vector>

class LoggedQsos;
class TSQLiteDatabase;

// The eQSL file's QSL message: equipment item 01's description and the output power, each taken
// from the station-data file's lines by position and the whole trimmed ("Selbstbau TRX 5"). Empty
// without station data.
std::string EqslQslMessage(const std::vector<std::string>& stationDataLines,
                           bool stationDataPresent);

// The eQSL file's lines: 13 header lines, then one record per QSO. Without a message the records
// carry no QSLMSG field and their mode tag is written in lower case. `contestDateCompact` is the
// eight-digit contest date ("20250720").
std::vector<std::string> BuildEqslAdifLines(const LoggedQsos& qsos,
                                            const std::string& contestDateCompact,
                                            const std::string& qslMessage);
std::vector<std::string> BuildEqslAdifLines(TSQLiteDatabase& log,
                                            const std::string& contestDateCompact,
                                            const std::string& qslMessage);

// The general ADIF file's lines: 4 header lines, then one record per QSO; records of KTD stations
// carry the exchange texts sent and received.
std::vector<std::string> BuildAdifLines(const LoggedQsos& qsos,
                                        const std::string& contestDateCompact);
std::vector<std::string> BuildAdifLines(TSQLiteDatabase& log,
                                        const std::string& contestDateCompact);

// Write the files whole and atomically. The general file is written only when it holds a record.
// True when the file was written; when writing failed, `reason` gets the system's reason (it stays
// untouched when there was nothing to write).
bool WriteEqslAdifFile(const std::string& path, const LoggedQsos& qsos,
                       const std::string& contestDateCompact, const std::string& qslMessage,
                       std::string* reason = nullptr);
bool WriteEqslAdifFile(const std::string& path, TSQLiteDatabase& log,
                       const std::string& contestDateCompact, const std::string& qslMessage,
                       std::string* reason = nullptr);
bool WriteAdifFile(const std::string& path, const LoggedQsos& qsos,
                   const std::string& contestDateCompact, std::string* reason = nullptr);
bool WriteAdifFile(const std::string& path, TSQLiteDatabase& log,
                   const std::string& contestDateCompact, std::string* reason = nullptr);
