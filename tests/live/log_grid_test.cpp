#include "live/log_grid.h"

#include <gtest/gtest.h>

#include "db/log_schema.h"
#include "db/sqlite_database.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"

TEST(LogGrid, RowsComeInTableOrderWithTheirRowIds) {
  TempFolder folder;
  const std::string file = folder / "ktd.sqlite";
  CreateLogSchema(file);
  {
    TSQLiteDatabase db(file);
    InsertQsoRow(db, {"0712", "HB9ABC/P", "599", "ROTE ROSEN IM GARTEN", "579", "Antwort", "0", "0",
                      "1", "0", "0"});
    InsertQsoRow(db, {"0655", "DL1ABC", "59", "", "57", "", "0", "1", "0", "0", "1"});
  }
  const std::vector<LogGridRow> rows = ReadLogGridRows(file);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0],
            (LogGridRow{"1", "0712", "HB9ABC/P", "599", "ROTE ROSEN IM GARTEN", "579", "Antwort"}));
  EXPECT_EQ(rows[1], (LogGridRow{"2", "0655", "DL1ABC", "59", "", "57", ""}));
}

TEST(LogGrid, ColumnWidthsKeepTheirSharesOfTheGrid) {
  EXPECT_EQ(LogGridColumnWidths(1120), (std::array<int, 7>{55, 65, 165, 65, 314, 65, 357}));
  EXPECT_EQ(LogGridColumnWidths(560), (std::array<int, 7>{27, 32, 82, 32, 157, 32, 178}));
}
