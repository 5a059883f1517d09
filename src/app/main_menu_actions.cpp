#include "app/main_menu_actions.h"

#include "contest/scoring.h"
#include "db/log_schema.h"
#include "services/app_context.h"

void ClearLogFromMenu(AppContext& ctx) {
  ClearAllQsos(ctx.logDbFile, ctx.stationListFile, ctx.textCollectionFile);
  ctx.logEmpty = true;
}

std::string RestoreLogFromMenu(AppContext& ctx) {
  RestorePreviousLog(ctx.logDbFile);
  std::string count = QsoCountText(ctx.logDbFile);
  ctx.logEmpty = count == "0";
  return count;
}

void PrepareLogging(AppContext& ctx) {
  if (!ctx.logEmpty) return;
  RebuildStationAndTextTables(ctx.logDbFile, ctx.stationListFile, ctx.textCollectionFile);
}

void TidyLogAfterEditing(AppContext& ctx) {
  RewriteLogInTimeOrder(ctx.logDbFile);
}
