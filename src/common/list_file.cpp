#include "common/list_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/encoding.h"
#include "common/file_failures.h"
#include "common/text_file.h"

namespace {

// Why the file cannot be read, or nothing when it can (or does not exist).
std::optional<std::string> ReasonNotReadable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    if (errno == ENOENT) return std::nullopt;
    return std::string(std::strerror(errno));
  }
  if (S_ISDIR(st.st_mode)) return std::string(std::strerror(EISDIR));
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::string(std::strerror(errno));
  ::close(fd);
  return std::nullopt;
}

}  // namespace

ListFileContent ReadListFile(const std::string& path) {
  ListFileContent content;
  content.reason = ReasonNotReadable(path);
  // The byte order mark is no part of the first line (it would become "?" in front of its callsign
  // or text), and UTF-16 must be decoded before the lines are cut: its line ends are two bytes.
  std::string bytes;
  if (!content.reason && ReadWholeFile(path, bytes))
    content.lines = SplitLines(TextOfFileBytes(bytes));
  return content;
}

std::string UnreadableFileMessage(const std::string& path, const std::string& reason) {
  return "Diese Datei konnte nicht gelesen werden:\r" + Utf8ToCp1252(path) + ": " +
         Utf8ToCp1252(reason);
}

bool SaveListFile(const std::string& path, const std::vector<std::string>& lines,
                  bool fileUnreadable, FileFailures& failures) {
  std::string reason;
  if (lines.empty()) {
    if (!fileUnreadable && !DeleteFileIfExists(path, &reason)) failures.AddNotDeleted(path, reason);
  } else if (WriteLinesAtomic(path, lines, &reason)) {
    return true;
  } else {
    failures.AddNotWritten(path, reason);
  }
  return !ReadLines(path).empty();
}
