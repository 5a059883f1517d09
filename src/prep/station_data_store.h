#pragma once
// Where the station data window keeps the record: the station-data file of the current year.

#include <string>
#include <vector>

struct AppContext;
struct StationData;
class FileFailures;

// Closing the window: the record's 38 lines replace the file, or a cleared record (nothing from
// place to e-mail) deletes it; a file that could not be read when the window opened is not
// deleted for a cleared record. Sets the station-data flag from what is on disk afterwards; a
// file not written or not deleted goes into `failures` and stays as it was.
void SaveStationDataRecord(AppContext& ctx, const StationData& data, bool fileUnreadable,
                           FileFailures& failures);
