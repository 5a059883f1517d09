#include "support/working_folders.h"

#include "common/text_file.h"
#include "services/app_context.h"

void PrepareWorkingFolders(AppContext& ctx, const std::string& baseFolder, int year,
                           const std::string& ownCallsign) {
  SettleWorkingFiles(ctx, baseFolder, year);
  ctx.ownCallsign = ownCallsign;
  ctx.baseCallsign = ownCallsign.substr(0, ownCallsign.size() - 2);
  SettleOutputFiles(ctx);
  for (const std::string& folder : {ctx.dbFolder, ctx.dataFolder, ctx.yearFolder})
    MakeFolder(folder);
}
