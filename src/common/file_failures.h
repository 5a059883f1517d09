#pragma once
// Files an action could not write or delete, collected while the action goes on with its other
// files, and the text of the error box that names each of them with the reason.

#include <string>
#include <vector>

struct FileFailure {
  enum class Action {
    Write,           // not written: the system's reason
    WriteElsewhere,  // the old file could not be replaced; written under `writtenAs` instead
    Database,        // not written because a query of the log database failed
    Delete,          // not deleted: the system's reason
  };
  Action action = Action::Write;
  std::string path;       // UTF-8, as handed to the file functions
  std::string reason;     // the system's reason, UTF-8 (the `reason` of common/text_file.h)
  std::string writtenAs;  // WriteElsewhere: the path written instead, UTF-8
};

class FileFailures {
 public:
  void AddNotWritten(const std::string& path, const std::string& reason);
  void AddWrittenElsewhere(const std::string& path, const std::string& reason,
                           const std::string& writtenAs);
  // `databaseMessage` is the database layer's text (Windows-1252). The box shows it once: several
  // files failing on one damaged log would otherwise repeat it, so only the first is kept.
  void AddNotWrittenForDatabase(const std::string& path, const std::string& databaseMessage);
  void AddNotDeleted(const std::string& path, const std::string& reason);
  // Adds the failures of `other` after these, as if they had been added here.
  void Append(const FileFailures& other);

  bool Empty() const { return failures_.empty(); }
  const std::vector<FileFailure>& List() const { return failures_; }
  const std::string& DatabaseMessage() const { return databaseMessage_; }

  // The error box text (Windows-1252, lines separated by CR, a blank line between the parts): the
  // files not written with their reasons, the files not written for the log database followed by
  // its message, the files written under another name, and the files not deleted, each part in
  // the order the files failed. Empty when none failed.
  std::string Message() const;

 private:
  std::vector<FileFailure> failures_;
  std::string databaseMessage_;
};
