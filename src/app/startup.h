#pragma once
// Start-up of the program, everything that needs no window: working folders and file names, the own
// callsign, the log database's tables and the in-memory reference data. The main window runs these
// steps in order and asks the operator for the callsign through the function it hands in.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct AppContext;

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

enum class StartupOutcome { Ready, NoPrefixDatabase, CallsignCancelled, CallsignTooShort };

// Asks the operator for the own callsign (Windows-1252); nothing when the dialog was cancelled.
using AskCallsign = std::function<std::optional<std::string>()>;

// Folders, the prefix database check, the own callsign (from the file or asked for), the file
// rewritten with it and the output file names. Anything but Ready ends the program silently.
StartupOutcome SettleFilesAndCallsign(AppContext& ctx, const std::string& baseFolder, int year,
                                      const AskCallsign& ask);

// Creates the log database's tables, loads the prefix database into memory, empties the four
// working line lists and compiles the shared callsign patterns. Throws ESQLiteException when a
// database fails.
void PrepareLogAndPrefixData(AppContext& ctx);

// Loads the text suggestions into memory when texte.sqlite exists; true when it did.
bool LoadSuggestionsWhenPresent(AppContext& ctx);
