#include "app/working_folder_preparation.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include "common/file_copy.h"
#include "common/file_failures.h"
#include "common/text_file.h"

namespace {

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// One folder level, made when missing; a file of that name is reported as in the way.
bool MakeSubfolder(const std::string& path, FileFailures& failures) {
  if (::mkdir(path.c_str(), 0755) == 0 || IsFolder(path)) return true;
  failures.AddNotWritten(path, std::strerror(errno == EEXIST ? ENOTDIR : errno));
  return false;
}

// The names of the regular files in `folder`, sorted; hidden files are left out.
bool FilesIn(const std::string& folder, std::vector<std::string>& names, int& error) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) {
    error = errno;
    return false;
  }
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (!name.starts_with('.') && FileExists(folder + name)) names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end());
  return true;
}

void CopyMissingFiles(const std::string& from, const std::string& to, FileFailures& failures) {
  std::vector<std::string> names;
  int error = 0;
  if (!FilesIn(from, names, error)) {
    failures.AddNotWritten(from, std::strerror(error));
    return;
  }
  for (const std::string& name : names) {
    std::string reason;
    if (!CopyFileUnlessPresent(from + name, to + name, &reason))
      failures.AddNotWritten(to + name, reason);
  }
}

}  // namespace

bool MakeWorkingFolder(const std::string& folder, FileFailures& failures) {
  std::error_code error;
  std::filesystem::create_directories(std::filesystem::path(folder).lexically_normal(), error);
  if (IsFolder(folder)) return true;
  // A file in the way is reported as such, whichever level it sits on.
  const bool inTheWay = !error || error == std::errc::file_exists;
  failures.AddNotWritten(folder, inTheWay ? std::strerror(ENOTDIR) : error.message());
  return false;
}

void CopySharedFiles(const std::string& folder, const std::string& sharedFolder,
                     FileFailures& failures) {
  // Without the prefix database no working folder can be prepared: a broken installation.
  const std::string sharedPrefixDb = sharedFolder + "db/dxcc.sqlite";
  if (!FileExists(sharedPrefixDb)) failures.AddNotWritten(sharedPrefixDb, std::strerror(ENOENT));
  for (const char* sub : {"db/", "data/"}) {
    if (MakeSubfolder(folder + sub, failures))
      CopyMissingFiles(sharedFolder + sub, folder + sub, failures);
  }
}
