#pragma once
// The log database ktd.sqlite: creation of its tables and the procedures that back up, clear,
// rebuild and restore them. Every procedure that takes a file name opens the log database at its
// start, runs all its steps in one transaction and closes it at its end: a crash or a database
// error (ESQLiteException) leaves the tables as they were before the procedure.

#include <string>

class TSQLiteDatabase;

// Creates every missing table and the single rows of `ini` and `new_int`; existing tables and rows
// are left alone.
void CreateLogSchema(TSQLiteDatabase& db);
void CreateLogSchema(const std::string& logDbFile);

// The table of the KTD stations still to be worked in a half (0 = before 08:00 UTC) and mode:
// stns1 and stns2 for CW, stns1ssb and stns2ssb for SSB. Recording a QSO takes the station out of
// its table; a KTD station worked in the first half goes into both second-half tables.
const char* StationTable(int half, bool cwMode);

// The number of QSOs: "SELECT count(*) FROM ktd", 0 when no row comes back.
long long CountQsos(TSQLiteDatabase& db);

// Copies a non-empty log into `ktdbak` and empties `ktd`; an empty log changes nothing.
void BackUpAndClearLog(const std::string& logDbFile);

// Fills stns1, stns1ssb, ptxt, stns2 and stns2ssb from the station list file (with "bak" and "undo"
// copies). A missing, unreadable or empty file changes nothing.
void RebuildStationTables(const std::string& logDbFile, const std::string& stationListFile);

// Fills txt from the text collection file (texts longer than 14 characters). A missing, unreadable
// or empty file changes nothing.
void RebuildTextTable(const std::string& logDbFile, const std::string& textCollectionFile);

// Both rebuilds above as one change, as logging on an empty log starts with.
void RebuildStationAndTextTables(const std::string& logDbFile, const std::string& stationListFile,
                                 const std::string& textCollectionFile);

// "Alle QSOs löschen": back up and clear the log, then rebuild the station and text tables.
void ClearAllQsos(const std::string& logDbFile, const std::string& stationListFile,
                  const std::string& textCollectionFile);

// "Rückgängig": puts the log and every "bak" table back when `ktdbak` holds rows, and empties them.
void RestorePreviousLog(const std::string& logDbFile);

// Rebuilds `ktd` ordered by utc, so row ids run 1, 2, 3 ... in time order.
void RewriteLogInTimeOrder(const std::string& logDbFile);
// The same without ordering: renumbers the rows 1, 2, 3 ... after a deletion. These last three run
// on the caller's connection and inside the caller's transaction, if any.
void RenumberLog(TSQLiteDatabase& db);

// The QSO editor's snapshot of the eleven log columns before each change, and its restoration.
void TakeLogSnapshot(TSQLiteDatabase& db);
void RestoreLogSnapshot(TSQLiteDatabase& db);
