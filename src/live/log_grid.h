#pragma once
// The log grid shared by the live, paper-log and editor windows: one row per QSO in table order,
// seven columns "#", "UTC", "Station", "Sent", "Text sent", "Rcvd", "Text rcvd" filled from
// "SELECT rowid, * FROM ktd".

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

class TSQLiteDatabase;
class TSQLiteRow;

constexpr int kLogGridColumns = 7;

// One row's cells: rowid, utc, rufz, s, stxt, r, rtxt. They are kept one after the other in one
// buffer, so that a row costs one allocation and a long log is read and dropped quickly.
class LogGridRow {
 public:
  LogGridRow() = default;
  LogGridRow(std::initializer_list<std::string_view> cells);

  // Appends the next cell; a row takes kLogGridColumns of them.
  void Append(std::string_view cell);
  std::string_view operator[](std::size_t column) const {
    const std::uint32_t begin = column == 0 ? 0 : ends_[column - 1];
    return std::string_view(text_).substr(begin, ends_[column] - begin);
  }
  bool operator==(const LogGridRow&) const = default;

 private:
  friend LogGridRow LogGridRowOf(const TSQLiteRow& row);
  std::string text_;
  std::array<std::uint32_t, kLogGridColumns> ends_{};
  std::size_t cells_ = 0;
};

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
