#include "common/text_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "common/ascii_text.h"

namespace {

constexpr const char* kTemporarySuffix = ".tmp";
constexpr std::size_t kTemporaryLength = 4 + 6;  // ".tmp" and the six characters of mkstemp

// Stores the reason of the failure that set `error` and returns false, for `return Fail(...)`.
bool Fail(std::string* reason, int error) {
  if (reason != nullptr) *reason = std::strerror(error);
  return false;
}

std::string FolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// Makes the rename durable: the folder's entry is what a power cut would otherwise lose. A folder
// that cannot be opened for reading, or a file system without folder flushes, leaves it to the
// system; only a real flush error is reported.
int FlushFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return 0;
  int error = 0;
  if (::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
  ::close(fd);
  return error;
}

// Writes everything or returns the errno of the failure.
int WriteAll(int fd, const std::string& content) {
  for (std::size_t done = 0; done < content.size();) {
    const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

thread_local FolderFlushBatch* currentBatch = nullptr;

}  // namespace

FolderFlushBatch::FolderFlushBatch() : outer_(currentBatch) {
  currentBatch = this;
}

FolderFlushBatch::~FolderFlushBatch() {
  Finish();
  currentBatch = outer_;
}

std::vector<std::pair<std::string, std::string>> FolderFlushBatch::Finish() {
  std::vector<std::pair<std::string, std::string>> failed;
  for (const std::string& folder : folders_) {
    if (const int error = FlushFolder(folder); error != 0)
      failed.emplace_back(folder, std::strerror(error));
  }
  folders_.clear();
  return failed;
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::string content;
  if (!ReadWholeFile(path, content)) return {};
  return SplitLines(content);
}

std::vector<std::string> SplitLines(std::string_view text) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(std::move(line));
      line.clear();
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

bool ReadWholeFile(const std::string& path, std::string& content) {
  content.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      ::close(fd);
      content.clear();
      return false;
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return true;
}

bool WriteFileAtomic(const std::string& path, const std::string& content, std::string* reason) {
  std::string temp = path + kTemporarySuffix + "XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return Fail(reason, errno);
  int error = WriteAll(fd, content);
  // mkstemp makes the file 0600; a list or report is an ordinary document.
  if (error == 0 && ::fchmod(fd, 0644) != 0) error = errno;
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temp.c_str());
    return Fail(reason, error);
  }
  std::string folder = FolderOf(path);
  if (currentBatch != nullptr) {
    auto& folders = currentBatch->folders_;
    if (std::find(folders.begin(), folders.end(), folder) == folders.end())
      folders.push_back(std::move(folder));
    return true;
  }
  error = FlushFolder(folder);
  return error == 0 || Fail(reason, error);
}

bool WriteLinesAtomic(const std::string& path, const std::vector<std::string>& lines,
                      std::string* reason) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string content;
  content.reserve(size);
  for (const std::string& line : lines) {
    content += line;
    content += "\r\n";
  }
  return WriteFileAtomic(path, content, reason);
}

bool IsTemporaryWriteName(const std::string& fileName) {
  if (fileName.size() <= kTemporaryLength) return false;
  const std::size_t start = fileName.size() - kTemporaryLength;
  if (fileName.compare(start, 4, kTemporarySuffix) != 0) return false;
  for (std::size_t i = start + 4; i < fileName.size(); ++i) {
    const char c = fileName[i];
    if (!IsAsciiLetter(c) && !IsAsciiDigit(c)) return false;
  }
  return true;
}

int RemoveInterruptedWrites(const std::string& folder) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return 0;
  std::vector<std::string> names;
  while (const dirent* entry = ::readdir(dir)) {
    if (IsTemporaryWriteName(entry->d_name)) names.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  int removed = 0;
  for (const std::string& name : names) {
    // Only regular files: a folder of that name is none of ours.
    if (FileExists(folder + name) && ::unlink((folder + name).c_str()) == 0) ++removed;
  }
  return removed;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0755) == 0) return true;
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFileIfExists(const std::string& path, std::string* reason) {
  if (::unlink(path.c_str()) == 0 || errno == ENOENT) return true;
  return Fail(reason, errno);
}
