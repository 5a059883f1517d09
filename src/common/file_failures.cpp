#include "common/file_failures.h"

#include "common/encoding.h"

namespace {

// The name of the file without its folder: a fallback lies beside the file it stands in for.
std::string FileNameOnly(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

void FileFailures::AddNotWritten(const std::string& path, const std::string& reason) {
  failures_.push_back({FileFailure::Action::Write, path, reason, {}});
}

void FileFailures::AddWrittenElsewhere(const std::string& path, const std::string& reason,
                                       const std::string& writtenAs) {
  failures_.push_back({FileFailure::Action::WriteElsewhere, path, reason, writtenAs});
}

void FileFailures::AddNotWrittenForDatabase(const std::string& path,
                                            const std::string& databaseMessage) {
  failures_.push_back({FileFailure::Action::Database, path, {}, {}});
  if (databaseMessage_.empty()) databaseMessage_ = databaseMessage;
}

void FileFailures::Append(const FileFailures& other) {
  failures_.insert(failures_.end(), other.failures_.begin(), other.failures_.end());
  if (databaseMessage_.empty()) databaseMessage_ = other.databaseMessage_;
}

void FileFailures::AddNotDeleted(const std::string& path, const std::string& reason) {
  failures_.push_back({FileFailure::Action::Delete, path, reason, {}});
}

std::string FileFailures::Message() const {
  std::string message;
  const auto section = [&](FileFailure::Action action, const char* heading) {
    bool headed = false;
    for (const FileFailure& f : failures_) {
      if (f.action != action) continue;
      if (!headed) {
        if (!message.empty()) message += "\r\r";
        message += heading;
        headed = true;
      }
      message += '\r' + Utf8ToCp1252(f.path);
      if (action == FileFailure::Action::Database) continue;
      message += ": " + Utf8ToCp1252(f.reason);
      if (action == FileFailure::Action::WriteElsewhere)
        message += "; geschrieben als " + Utf8ToCp1252(FileNameOnly(f.writtenAs));
    }
    return headed;
  };
  section(FileFailure::Action::Write, "Diese Dateien konnten nicht geschrieben werden:");
  if (section(FileFailure::Action::Database,
              "Wegen eines Fehlers der Logdatenbank konnten diese Dateien nicht geschrieben "
              "werden:"))
    message += "\r\r" + databaseMessage_;
  section(FileFailure::Action::WriteElsewhere, "Diese Dateien konnten nicht ersetzt werden:");
  section(FileFailure::Action::Delete, "Diese Dateien konnten nicht gel\xF6scht werden:");
  if (!message.empty()) message += "\r\rVorhandene Dateien dieser Namen bleiben unver\xE4ndert.";
  return message;
}
