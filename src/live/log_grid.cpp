#include "live/log_grid.h"

#include "db/sqlite_database.h"

const std::array<const char*, kLogGridColumns>& LogGridHeadings() {
  static const std::array<const char*, kLogGridColumns> headings = {
      "#", "UTC", "Station", "Sent", "Text sent", "Rcvd", "Text rcvd"};
  return headings;
}

std::array<int, kLogGridColumns> LogGridColumnWidths(int gridWidth) {
  static constexpr std::array<int, kLogGridColumns> kShares = {55, 65, 165, 65, 314, 65, 357};
  std::array<int, kLogGridColumns> widths{};
  for (int i = 0; i < kLogGridColumns; ++i) widths[i] = gridWidth * kShares[i] / 1120;
  return widths;
}

LogGridRow::LogGridRow(std::initializer_list<std::string_view> cells) {
  for (std::string_view cell : cells) Append(cell);
}

void LogGridRow::Append(std::string_view cell) {
  if (cells_ == kLogGridColumns) return;
  text_ += cell;
  ends_[cells_++] = static_cast<std::uint32_t>(text_.size());
}

LogGridRow LogGridRowOf(const TSQLiteRow& row) {
  LogGridRow cells;
  // Room for a usual row: the cells are short, the two texts a few words.
  cells.text_.reserve(96);
  for (int column = 0; column < kLogGridColumns; ++column) {
    row.AppendText(column, cells.text_);
    cells.ends_[cells.cells_++] = static_cast<std::uint32_t>(cells.text_.size());
  }
  return cells;
}

std::vector<LogGridRow> ReadLogGridRows(TSQLiteDatabase& db) {
  // No count first: a row moves cheaply while the vector grows, and counting walked the table
  // once more.
  std::vector<LogGridRow> rows;
  db.ForEachRow("SELECT rowid, * FROM ktd",
                [&](const TSQLiteRow& row) { rows.push_back(LogGridRowOf(row)); });
  return rows;
}

std::vector<LogGridRow> ReadLogGridRows(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile, TSQLiteDatabase::Threading::ThisThreadOnly);
  return ReadLogGridRows(db);
}
