#pragma once
// Start-up of the program, everything that needs no window: working folders and file names, the own
// callsign, the log database's tables and the in-memory reference data. The main window runs these
// steps in order and asks the operator for the callsign through the function it hands in.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct AppContext;
class FileFailures;

// The own callsign without "/P" has at most this many characters.
inline constexpr std::size_t kMaxBaseCallsignLength = 15;

struct OwnCallsign {
  std::string own;   // upper case, ends in "/P"
  std::string base;  // without "/P"; only A-Z, 0-9 and "/" between two parts
};

enum class CallsignVerdict {
  Accepted,
  TooShort,             // 3 characters or fewer: the program ends
  NotAllowedCharacter,  // anything but A-Z, 0-9 and "/": asked again
  MisplacedSlash,       // "/" first, last or doubled: asked again
  TooLong               // more than kMaxBaseCallsignLength without "/P": asked again
};

struct OwnCallsignCheck {
  CallsignVerdict verdict = CallsignVerdict::TooShort;
  OwnCallsign callsign;  // when accepted
};

// The callsign as entered or read, trimmed and in upper case, with "/P" appended when it does not
// end in it yet. Only a callsign of the characters the callsign fields allow is accepted: it names
// the output files, so nothing else may reach a file name.
OwnCallsignCheck CheckOwnCallsign(std::string_view entered);

// Why the dialog asks again (Windows-1252); empty for Accepted and TooShort.
std::string CallsignRefusal(CallsignVerdict verdict);

// The callsign kept in the own-callsign file: its first line, trimmed and in upper case. Empty when
// the file is missing or empty or the line is no acceptable callsign, so that the operator is
// asked again.
std::string CallsignFromFile(const std::string& path);

// "VORLAX_KTD_Log 8 10.12.2024 - " followed by the own callsign.
std::string MainWindowTitle(const std::string& ownCallsign);

enum class StartupOutcome {
  Ready,
  AlreadyRunning,     // another copy of the program works in this folder
  LockFailed,         // the working folder cannot be opened and locked
  PreparationFailed,  // preparing the folder from the shared files failed
  NotPrepared,        // no prefix database: the folder was never prepared
  CallsignCancelled,
  CallsignTooShort
};

// One question of the callsign dialog (Windows-1252).
struct CallsignQuestion {
  std::string prompt;   // "Das eigene Rufzeichen eingeben:", after a refusal with its reason above
  std::string initial;  // the refused entry, to be corrected; empty at first
};

// Asks the operator for the own callsign (Windows-1252); nothing when the dialog was cancelled.
using AskCallsign = std::function<std::optional<std::string>(const CallsignQuestion&)>;

// Claims the working folder `baseFolder` (ending in '/') first (ctx.instanceLock); when another
// copy of the program holds it, nothing else is done or touched. With a `sharedFolder`, the
// working folder is made (before the claim) and prepared from it (CopySharedFiles); any failure
// there ends start-up. Without the prefix database nothing is made at all. Then the data and year
// folders, the removal of temporary files that interrupted writes left in the program's folders,
// the own callsign (from the file, or asked until it is acceptable, cancelled or too short), the
// file rewritten with it and the output file names. Preparation failures go to `failures` (if
// given), as does an own-callsign file that cannot be written (start-up then goes on).
StartupOutcome SettleFilesAndCallsign(AppContext& ctx, const std::string& baseFolder, int year,
                                      const AskCallsign& ask, FileFailures* failures = nullptr,
                                      const std::string& sharedFolder = {});

// The message of an outcome that ends the program with an explanation (Windows-1252, lines
// separated by CR): AlreadyRunning, LockFailed, PreparationFailed (naming each of `failures`) and
// NotPrepared. Empty for the others: the operator ended the start himself.
std::string StartupMessage(StartupOutcome outcome, const AppContext& ctx,
                           const FileFailures& failures);

// Creates the log database's tables, loads the prefix database into memory and compiles the shared
// callsign patterns. Throws ESQLiteException when a database fails.
void PrepareLogAndPrefixData(AppContext& ctx);

// Loads the text suggestions into memory when texte.sqlite exists; true when it did.
bool LoadSuggestionsWhenPresent(AppContext& ctx);
