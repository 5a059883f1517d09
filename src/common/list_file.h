#pragma once
// The list files of the preparation windows (text collection, station list, station data) and the
// files they import: reading them at opening and replacing them at closing. A missing file is a
// normal state; a file that is there but cannot be read is reported with the system's reason, so
// the window can say so and leave the file alone.

#include <optional>
#include <string>
#include <vector>

class FileFailures;

struct ListFileContent {
  // Without their line ends. The bytes of a Windows-1252 or UTF-8 file as they stand; a UTF-16 file
  // (with its byte order mark) converted to UTF-8, and a UTF-8 byte order mark dropped, so every
  // import reads a file from any editor alike (TextOfFileBytes).
  std::vector<std::string> lines;
  std::optional<std::string> reason;  // set when the file exists but could not be read (UTF-8)
};

ListFileContent ReadListFile(const std::string& path);

// The error box text of a file that could not be read, naming it with the reason (Windows-1252,
// lines separated by CR).
std::string UnreadableFileMessage(const std::string& path, const std::string& reason);

// Replaces the list file whole with `lines`, or deletes it when there are none, except that a
// file that could not be read when the window opened (`fileUnreadable`) is not deleted: its
// content was never shown. A file not written or not deleted goes into `failures` and stays as it
// was. True when the file holds lines afterwards (the window's flag for the main menu).
bool SaveListFile(const std::string& path, const std::vector<std::string>& lines,
                  bool fileUnreadable, FileFailures& failures);
