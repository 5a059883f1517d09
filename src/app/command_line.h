#pragma once
// The program's command line, read before anything else happens: --help and --version answer on
// stdout and end at once, without a display and without touching any folder; a wrong command line
// ends with a short usage on stderr. Texts here are UTF-8, for the terminal.

#include <string>
#include <vector>

struct CommandLine {
  enum class Action { Start, Help, Version, Wrong };
  Action action = Action::Start;
  std::string folder;       // the working folder given; empty: the current folder
  std::string prepareFrom;  // --prepare-from: the shared files to prepare the folder from
  std::string error;        // what is wrong (Action::Wrong)
};

// `args` without the program's name. --help and --version win over whatever follows them.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// The absolute path, ending in '/', of a folder named on the command line (relative ones from the
// current folder); the current folder itself for an empty name.
std::string FolderPath(const std::string& given);

// The text of --help.
std::string ProgramHelp();
// The text of --version.
std::string ProgramVersion();
// The line that follows a wrong command line's error on stderr.
std::string ShortUsage();
