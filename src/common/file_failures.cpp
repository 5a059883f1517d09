#include "common/file_failures.h"

#include "common/encoding.h"

void FileFailures::AddNotWritten(const std::string& path, const std::string& reason) {
  failures_.push_back({FileFailure::Action::Write, path, reason});
}

void FileFailures::AddNotDeleted(const std::string& path, const std::string& reason) {
  failures_.push_back({FileFailure::Action::Delete, path, reason});
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
      message += '\r' + Utf8ToCp1252(f.path) + ": " + Utf8ToCp1252(f.reason);
    }
  };
  section(FileFailure::Action::Write, "Diese Dateien konnten nicht geschrieben werden:");
  section(FileFailure::Action::Delete, "Diese Dateien konnten nicht gel\xF6scht werden:");
  if (!message.empty()) message += "\r\rVorhandene Dateien dieser Namen bleiben unver\xE4ndert.";
  return message;
}
