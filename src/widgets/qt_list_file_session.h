#pragma once
// The list file behind a preparation window (station list, text collection, station data) from
// opening to closing. Opening reads it; a file that is there but cannot be read counts as empty,
// is remembered, so that closing does not delete what the operator never saw, and is reported once
// the window stands. Closing runs the window's save and reports in the error box what it could not
// write or delete, and a database error.

#include <functional>
#include <optional>
#include <string>
#include <vector>

class FileFailures;
class QWidget;

class ListFileSession {
 public:
  // The file's lines (none when it is missing or unreadable).
  std::vector<std::string> Open(const std::string& path);
  // A file that could not be read at opening is told in the error box once `window` stands.
  void ReportUnreadableLater(QWidget* window) const;
  bool FileUnreadable() const { return unreadable_.has_value(); }

  // Runs `save`, which adds what it could not write or delete to the failures it is handed.
  using Save = std::function<void(bool fileUnreadable, FileFailures& failures)>;
  void Close(const Save& save) const;

 private:
  std::string path_;
  std::optional<std::string> unreadable_;  // the system's reason
};
