#pragma once
// A working folder for the live window: own callsign, a fixed UTC clock, the log tables and a small
// prefix database in memory.

#include <string>
#include <vector>

#include "common/clock.h"
#include "db/log_schema.h"
#include "db/reference_data.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "support/temp_folder.h"
#include "support/test_databases.h"
#include "support/working_folders.h"

struct LiveFolder {
  LiveFolder(const std::string& own, const DateTime& utc) {
    PrepareWorkingFolders(ctx, folder.path(), 2024, own);
    clock.utc = utc;
    CreateLogSchema(ctx.logDbFile);
    WriteSmallDxccDb(ctx.dxccDbFile, SwissAndNeighbourPrefixes());
    ctx.prefixDb = LoadPrefixDatabase(ctx.dxccDbFile);
  }

  std::vector<std::string> LogRows() const {
    TSQLiteDatabase db(ctx.logDbFile);
    return QueryRows(db, "SELECT * FROM ktd");
  }

  TempFolder folder;
  FixedClock clock;
  AppContext ctx{clock};
};
