#include "app/startup.h"

#include "app/app_context.h"
#include "common/text_file.h"
#include "contest/callsign_patterns.h"
#include "db/log_schema.h"
#include "db/reference_data.h"
#include "db/sqlite_database.h"
#include "prep/station_data_record.h"  // TrimBlanks

std::string AsciiUpper(std::string_view text) {
  std::string upper(text);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return upper;
}

std::string CallsignFromFile(const std::string& path) {
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty()) return {};
  std::string callsign = AsciiUpper(TrimBlanks(lines.front()));
  if (callsign.size() < 4) return {};
  return callsign;
}

std::optional<OwnCallsign> MakeOwnCallsign(std::string_view entered) {
  const std::string callsign = AsciiUpper(TrimBlanks(entered));
  if (callsign.size() <= 3) return std::nullopt;
  if (callsign.ends_with("/P"))
    return OwnCallsign{callsign, callsign.substr(0, callsign.size() - 2)};
  return OwnCallsign{callsign + "/P", callsign};
}

std::string MainWindowTitle(const std::string& ownCallsign) {
  return "VORLAX_KTD_Log 8 10.12.2024 - " + ownCallsign;
}

bool PrepareWorkingFolders(AppContext& ctx, const std::string& baseFolder, int year) {
  SettleWorkingFiles(ctx, baseFolder, year);
  MakeFolder(ctx.dbFolder);
  MakeFolder(ctx.dataFolder);
  MakeFolder(ctx.yearFolder);
  return FileExists(ctx.dxccDbFile);
}

StartupOutcome SettleFilesAndCallsign(AppContext& ctx, const std::string& baseFolder, int year,
                                      const AskCallsign& ask) {
  if (!PrepareWorkingFolders(ctx, baseFolder, year)) return StartupOutcome::NoPrefixDatabase;

  std::string entered = CallsignFromFile(ctx.callsignFile);
  if (entered.empty()) {
    std::optional<std::string> answer = ask();
    if (!answer) return StartupOutcome::CallsignCancelled;
    entered = std::move(*answer);
  }
  const std::optional<OwnCallsign> callsign = MakeOwnCallsign(entered);
  if (!callsign) return StartupOutcome::CallsignTooShort;
  ctx.ownCallsign = callsign->own;
  ctx.baseCallsign = callsign->base;

  // A file that cannot be written only means the operator is asked again at the next start.
  WriteLinesAtomic(ctx.callsignFile, {ctx.ownCallsign});
  SettleOutputFiles(ctx);
  return StartupOutcome::Ready;
}

void PrepareLogAndPrefixData(AppContext& ctx) {
  CreateLogSchema(ctx.logDbFile);
  ctx.prefixDb = LoadPrefixDatabase(ctx.dxccDbFile);
  ctx.stationDataLines.clear();
  ctx.stationListLines.clear();
  ctx.textLines.clear();
  ctx.textLines2.clear();
  CompileSharedPatterns();
}

bool LoadSuggestionsWhenPresent(AppContext& ctx) {
  if (!FileExists(ctx.texteDbFile)) return false;
  ctx.suggestionDb = LoadSuggestionDatabase(ctx.texteDbFile);
  return true;
}
