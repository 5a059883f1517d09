#include "prep/station_data_store.h"

#include "common/list_file.h"
#include "contest/contest_calendar.h"
#include "prep/station_data_record.h"
#include "services/app_context.h"

void SaveStationDataRecord(AppContext& ctx, const StationData& data, bool fileUnreadable,
                           FileFailures& failures) {
  std::vector<std::string> lines =
      BuildStationDataLines(data, ctx.ownCallsign, ContestDateIso(ctx.year));
  if (StationDataLinesAreBare(lines)) lines.clear();
  ctx.stationDataPresent = SaveListFile(ctx.stationDataFile, lines, fileUnreadable, failures);
}
