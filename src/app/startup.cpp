#include "app/startup.h"

#include <algorithm>

#include "app/working_folder_preparation.h"
#include "common/ascii_text.h"
#include "common/encoding.h"
#include "common/file_failures.h"
#include "common/text_file.h"
#include "contest/callsign_patterns.h"
#include "db/log_schema.h"
#include "db/reference_data.h"
#include "db/sqlite_database.h"
#include "services/app_context.h"
#include "services/instance_lock.h"

namespace {

constexpr const char* kCallsignPrompt = "Das eigene Rufzeichen eingeben:";

bool IsCallsignCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || IsAsciiDigit(c) || c == '/';
}

// Claims the folder for this program; a context settled again gives up its own claim first.
StartupOutcome ClaimFolder(AppContext& ctx) {
  ctx.instanceLock.reset();
  ctx.instanceLock = std::make_unique<InstanceLock>(ctx.baseFolder);
  switch (ctx.instanceLock->state()) {
    case InstanceLock::State::Held:
      return StartupOutcome::Ready;
    case InstanceLock::State::HeldByAnother:
      return StartupOutcome::AlreadyRunning;
    case InstanceLock::State::Failed:
      break;
  }
  return StartupOutcome::LockFailed;
}

// The own callsign from the file, or asked until it is acceptable; the outcome when it ends there.
StartupOutcome SettleOwnCallsign(AppContext& ctx, const AskCallsign& ask) {
  const std::string fromFile = CallsignFromFile(ctx.callsignFile);
  OwnCallsignCheck check = CheckOwnCallsign(fromFile);
  CallsignQuestion question{kCallsignPrompt, {}};
  while (check.verdict != CallsignVerdict::Accepted) {
    std::optional<std::string> answer = ask(question);
    if (!answer) return StartupOutcome::CallsignCancelled;
    check = CheckOwnCallsign(*answer);
    if (check.verdict == CallsignVerdict::TooShort) return StartupOutcome::CallsignTooShort;
    if (check.verdict != CallsignVerdict::Accepted)
      question = {CallsignRefusal(check.verdict) + "\n\n" + kCallsignPrompt, std::move(*answer)};
  }
  ctx.ownCallsign = check.callsign.own;
  ctx.baseCallsign = check.callsign.base;
  return StartupOutcome::Ready;
}

}  // namespace

OwnCallsignCheck CheckOwnCallsign(std::string_view entered) {
  const std::string callsign = AsciiUpper(TrimBlanks(entered));
  if (callsign.size() <= 3) return {CallsignVerdict::TooShort, {}};
  if (!std::all_of(callsign.begin(), callsign.end(), IsCallsignCharacter))
    return {CallsignVerdict::NotAllowedCharacter, {}};
  const std::string base =
      callsign.ends_with("/P") ? callsign.substr(0, callsign.size() - 2) : callsign;
  if (base.starts_with('/') || base.ends_with('/') || base.find("//") != std::string::npos)
    return {CallsignVerdict::MisplacedSlash, {}};
  if (base.size() > kMaxBaseCallsignLength) return {CallsignVerdict::TooLong, {}};
  return {CallsignVerdict::Accepted, {base + "/P", base}};
}

std::string CallsignRefusal(CallsignVerdict verdict) {
  switch (verdict) {
    case CallsignVerdict::NotAllowedCharacter:
      return "Im Rufzeichen sind nur die Buchstaben A bis Z, die Ziffern 0 bis 9 und \"/\" "
             "erlaubt.";
    case CallsignVerdict::MisplacedSlash:
      return "Ein \"/\" steht nur zwischen zwei Teilen des Rufzeichens.";
    case CallsignVerdict::TooLong:
      return "Das Rufzeichen hat ohne \"/P\" h\xF6"
             "chstens " +
             std::to_string(kMaxBaseCallsignLength) + " Zeichen.";
    case CallsignVerdict::Accepted:
    case CallsignVerdict::TooShort:
      break;
  }
  return {};
}

std::string CallsignFromFile(const std::string& path) {
  const std::vector<std::string> lines = ReadLines(path);
  if (lines.empty()) return {};
  const OwnCallsignCheck check = CheckOwnCallsign(lines.front());
  if (check.verdict != CallsignVerdict::Accepted) return {};
  return AsciiUpper(TrimBlanks(lines.front()));
}

std::string MainWindowTitle(const std::string& ownCallsign) {
  return "VORLAX_KTD_Log 8 10.12.2024 - " + ownCallsign;
}

StartupOutcome SettleFilesAndCallsign(AppContext& ctx, const std::string& baseFolder, int year,
                                      const AskCallsign& ask, FileFailures* failures,
                                      const std::string& sharedFolder) {
  SettleWorkingFiles(ctx, baseFolder, year);
  FileFailures own;
  FileFailures& failed = failures != nullptr ? *failures : own;
  const bool prepare = !sharedFolder.empty();
  // Making the folder is harmless for a copy of the program already working in it; preparing it
  // is not, so that waits for the claim.
  if (prepare && !MakeWorkingFolder(ctx.baseFolder, failed))
    return StartupOutcome::PreparationFailed;
  if (const StartupOutcome claim = ClaimFolder(ctx); claim != StartupOutcome::Ready) return claim;
  if (prepare) {
    const std::size_t before = failed.List().size();
    CopySharedFiles(ctx.baseFolder, sharedFolder, failed);
    if (failed.List().size() != before) return StartupOutcome::PreparationFailed;
  }
  // A folder that was never prepared is left exactly as it is.
  if (!FileExists(ctx.dxccDbFile)) return StartupOutcome::NotPrepared;

  MakeFolder(ctx.dataFolder);
  MakeFolder(ctx.yearFolder);
  // Under the claim no other copy is writing: what is left of the pattern was interrupted.
  for (const std::string* folder : {&ctx.dbFolder, &ctx.dataFolder, &ctx.yearFolder})
    RemoveInterruptedWrites(*folder);

  if (const StartupOutcome callsign = SettleOwnCallsign(ctx, ask);
      callsign != StartupOutcome::Ready)
    return callsign;
  // A file that cannot be written means the operator is asked again at the next start.
  std::string reason;
  if (!WriteLinesAtomic(ctx.callsignFile, {ctx.ownCallsign}, &reason))
    failed.AddNotWritten(ctx.callsignFile, reason);
  SettleOutputFiles(ctx);
  return StartupOutcome::Ready;
}

std::string StartupMessage(StartupOutcome outcome, const AppContext& ctx,
                           const FileFailures& failures) {
  const std::string folder = Utf8ToCp1252(ctx.baseFolder);
  switch (outcome) {
    case StartupOutcome::AlreadyRunning:
      return "VORLAX_KTD_Log l\xE4uft bereits in diesem Ordner:\r" + folder +
             "\r\rDas Programm kann pro Ordner nur einmal laufen; dieser zweite Start wird "
             "beendet.";
    case StartupOutcome::LockFailed: {
      const std::string reason = ctx.instanceLock != nullptr ? ctx.instanceLock->reason() : "";
      return "VORLAX_KTD_Log kann in diesem Ordner nicht arbeiten:\r" + folder +
             "\r\rDer Ordner kann nicht ge\xF6"
             "ffnet und gesperrt werden: " +
             Utf8ToCp1252(reason);
    }
    case StartupOutcome::PreparationFailed: {
      std::string message =
          "VORLAX_KTD_Log kann diesen Arbeitsordner nicht vorbereiten:\r" + folder + "\r";
      for (const FileFailure& f : failures.List())
        message += '\r' + Utf8ToCp1252(f.path) + ": " + Utf8ToCp1252(f.reason);
      return message + "\r\rVorhandene Dateien bleiben unver\xE4ndert; das Programm wird beendet.";
    }
    case StartupOutcome::NotPrepared:
      return "Dieser Ordner ist nicht f\xFCr VORLAX_KTD_Log vorbereitet:\r" + folder +
             "\r\rEs fehlt die Pr\xE4"
             "fixdatenbank db/dxcc.sqlite. Der Befehl\r"
             "vorlax-ktd-log-start [ORDNER]\r"
             "bereitet einen Arbeitsordner vor und startet das Programm darin.";
    case StartupOutcome::Ready:
    case StartupOutcome::CallsignCancelled:
    case StartupOutcome::CallsignTooShort:
      break;
  }
  return {};
}

void PrepareLogAndPrefixData(AppContext& ctx) {
  CreateLogSchema(ctx.logDbFile);
  ctx.prefixDb = LoadPrefixDatabase(ctx.dxccDbFile);
  CompileSharedPatterns();
}

bool LoadSuggestionsWhenPresent(AppContext& ctx) {
  if (!FileExists(ctx.texteDbFile)) return false;
  ctx.suggestionDb = LoadSuggestionDatabase(ctx.texteDbFile);
  return true;
}
