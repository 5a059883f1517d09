#pragma once
// Files an action could not write or delete, collected while the action goes on with its other
// files, and the text of the error box that names each of them with the system's reason.

#include <string>
#include <vector>

struct FileFailure {
  enum class Action { Write, Delete };
  Action action = Action::Write;
  std::string path;    // UTF-8, as handed to the file functions
  std::string reason;  // the system's reason, UTF-8 (the `reason` of common/text_file.h)
};

class FileFailures {
 public:
  void AddNotWritten(const std::string& path, const std::string& reason);
  void AddNotDeleted(const std::string& path, const std::string& reason);

  bool Empty() const { return failures_.empty(); }
  const std::vector<FileFailure>& List() const { return failures_; }

  // The error box text (Windows-1252, lines separated by CR, a blank line between the parts): the
  // files not written, then the files not deleted, each as "path: reason", in the order they
  // failed. Empty when none failed.
  std::string Message() const;

 private:
  std::vector<FileFailure> failures_;
};
