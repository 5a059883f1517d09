#pragma once
// The log grid shared by the live, paper-log and editor windows: one row per QSO in table order,
// seven columns "#", "UTC", "Station", "Sent", "Text sent", "Rcvd", "Text rcvd" filled from
// "SELECT rowid, * FROM ktd".

#include <array>
#include <string>
#include <vector>

class TSQLiteDatabase;
class TSQLiteRow;

constexpr int kLogGridColumns = 7;

using LogGridRow = std::array<std::string, kLogGridColumns>;  // rowid, utc, rufz, s, stxt, r, rtxt

// The column headings.
const std::array<const char*, kLogGridColumns>& LogGridHeadings();

// Column widths for a grid `gridWidth` pixels wide: 55 : 65 : 165 : 65 : 314 : 65 : 357 of 1120.
std::array<int, kLogGridColumns> LogGridColumnWidths(int gridWidth);

// The grid row of a query row whose first seven columns are those of "SELECT rowid, * FROM ktd".
LogGridRow LogGridRowOf(const TSQLiteRow& row);

// All QSOs of the log, in table order.
std::vector<LogGridRow> ReadLogGridRows(TSQLiteDatabase& db);
// The same on the log database file (opened and closed here).
std::vector<LogGridRow> ReadLogGridRows(const std::string& logDbFile);
