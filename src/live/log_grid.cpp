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

std::vector<LogGridRow> ReadLogGridRows(TSQLiteDatabase& db) {
  const auto table = db.GetTable("SELECT rowid, * FROM ktd");
  std::vector<LogGridRow> rows;
  rows.reserve(static_cast<size_t>(table->RowCount()));
  while (!table->Eof()) {
    LogGridRow& row = rows.emplace_back();
    for (int column = 0; column < kLogGridColumns; ++column) {
      row[column] = table->FieldAsString(column);
    }
    table->Next();
  }
  return rows;
}

std::vector<LogGridRow> ReadLogGridRows(const std::string& logDbFile) {
  TSQLiteDatabase db(logDbFile);
  return ReadLogGridRows(db);
}
