#pragma once
// A prepared working folder for tests and benchmarks: year, folders and file names settled, the
// own callsign set (base callsign without "/P") and the db, data and year folders made.

#include <string>

struct AppContext;

void PrepareWorkingFolders(AppContext& ctx, const std::string& baseFolder, int year,
                           const std::string& ownCallsign);
