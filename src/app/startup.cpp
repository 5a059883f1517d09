#include "app/startup.h"

#include "app/app_context.h"
#include "app/instance_lock.h"
#include "common/encoding.h"
#include "common/file_failures.h"
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
                                      const AskCallsign& ask, FileFailures* failures) {
  SettleWorkingFiles(ctx, baseFolder, year);
  // A folder where the program already runs exists already: making it touches nothing.
  MakeFolder(ctx.dbFolder);
  ctx.instanceLock.reset();  // a context settled again gives up its own claim first
  ctx.instanceLock = std::make_unique<InstanceLock>(ctx.dbFolder + kInstanceLockFileName);
  switch (ctx.instanceLock->state()) {
    case InstanceLock::State::Held:
      break;
    case InstanceLock::State::HeldByAnother:
      return StartupOutcome::AlreadyRunning;
    case InstanceLock::State::Failed:
      return StartupOutcome::LockFailed;
  }

  const bool prefixDatabase = PrepareWorkingFolders(ctx, baseFolder, year);
  // Under the lock no other copy is writing: what is left of the pattern was interrupted.
  for (const std::string* folder : {&ctx.dbFolder, &ctx.dataFolder, &ctx.yearFolder})
    RemoveInterruptedWrites(*folder);
  if (!prefixDatabase) return StartupOutcome::NoPrefixDatabase;

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

  // A file that cannot be written means the operator is asked again at the next start.
  std::string reason;
  if (!WriteLinesAtomic(ctx.callsignFile, {ctx.ownCallsign}, &reason) && failures != nullptr)
    failures->AddNotWritten(ctx.callsignFile, reason);
  SettleOutputFiles(ctx);
  return StartupOutcome::Ready;
}

std::string AlreadyRunningMessage(const AppContext& ctx) {
  return "VORLAX_KTD_Log l\xE4uft bereits in diesem Ordner:\r" + Utf8ToCp1252(ctx.baseFolder) +
         "\r\rDas Programm kann pro Ordner nur einmal laufen; dieser zweite Start wird beendet.";
}

std::string LockFailedMessage(const AppContext& ctx) {
  const InstanceLock* lock = ctx.instanceLock.get();
  const std::string path = lock != nullptr ? lock->path() : ctx.dbFolder + kInstanceLockFileName;
  const std::string reason = lock != nullptr ? lock->reason() : std::string();
  return "VORLAX_KTD_Log kann in diesem Ordner nicht arbeiten. Die Datei\r" + Utf8ToCp1252(path) +
         "\rkann nicht angelegt werden: " + Utf8ToCp1252(reason);
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
