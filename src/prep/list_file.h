#pragma once
// Reading the list files that the preparation windows open with (text collection, station list,
// station data) and the files they import. A missing file is a normal state; a file that is
// there but cannot be read is reported with the system's reason, so the window can say so and
// leave the file alone.

#include <optional>
#include <string>
#include <vector>

struct ListFileContent {
  std::vector<std::string> lines;     // without their line ends
  std::optional<std::string> reason;  // set when the file exists but could not be read (UTF-8)
};

ListFileContent ReadListFile(const std::string& path);

// The error box text of a file that could not be read, naming it with the reason (Windows-1252,
// lines separated by CR).
std::string UnreadableFileMessage(const std::string& path, const std::string& reason);
