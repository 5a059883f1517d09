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

// Upper case of the ASCII letters; other bytes stay as they are.
std::string AsciiUpper(std::string_view text);

// The callsign kept in the own-callsign file: its first line, trimmed and in upper case. Empty when
// the file is missing or empty or the line is shorter than 4 characters, so that the operator is
// asked again.
std::string CallsignFromFile(const std::string& path);

struct OwnCallsign {
  std::string own;   // upper case, ends in "/P"
  std::string base;  // without "/P"
};

// The callsign as entered or read, trimmed and in upper case, with "/P" appended when it does not
// end in it yet. Nothing when it has 3 characters or fewer: the program then ends.
std::optional<OwnCallsign> MakeOwnCallsign(std::string_view entered);

// "VORLAX_KTD_Log 8 10.12.2024 - " followed by the own callsign.
std::string MainWindowTitle(const std::string& ownCallsign);

// Settles year, folders and file names below `baseFolder` (ending in '/') and creates the database,
// data and year folders when missing (one level each, failures are not reported). True when the
// prefix database exists; without it the program cannot run.
bool PrepareWorkingFolders(AppContext& ctx, const std::string& baseFolder, int year);

enum class StartupOutcome {
  Ready,
  AlreadyRunning,  // another copy of the program works in this folder
  LockFailed,      // the lock file in the database folder could not be made
  NoPrefixDatabase,
  CallsignCancelled,
  CallsignTooShort
};

// Asks the operator for the own callsign (Windows-1252); nothing when the dialog was cancelled.
using AskCallsign = std::function<std::optional<std::string>()>;

// Claims the working folder first: makes the database folder and locks it (ctx.instanceLock); when
// another copy of the program holds the lock, nothing else is done or touched. Then the other
// folders, the removal of temporary files that interrupted writes left in the program's folders,
// the prefix database check, the own callsign (from the file or asked for), the file rewritten
// with it and the output file names. AlreadyRunning and LockFailed end the program with a message
// (AlreadyRunningMessage, LockFailedMessage), every other outcome but Ready silently. When the
// own-callsign file cannot be written, `failures` (if given) names it and start-up goes on.
StartupOutcome SettleFilesAndCallsign(AppContext& ctx, const std::string& baseFolder, int year,
                                      const AskCallsign& ask, FileFailures* failures = nullptr);

// The message of a second start in a folder where the program already runs (Windows-1252).
std::string AlreadyRunningMessage(const AppContext& ctx);
// The message when the lock file cannot be made: the file and the system's reason.
std::string LockFailedMessage(const AppContext& ctx);

// Creates the log database's tables, loads the prefix database into memory, empties the four
// working line lists and compiles the shared callsign patterns. Throws ESQLiteException when a
// database fails.
void PrepareLogAndPrefixData(AppContext& ctx);

// Loads the text suggestions into memory when texte.sqlite exists; true when it did.
bool LoadSuggestionsWhenPresent(AppContext& ctx);
