#include "common/file_copy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

bool Present(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

// Copies everything from `in` to `out`; 0 or the errno of the failure.
int CopyContent(int in, int out) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(in, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return 0;
    for (ssize_t done = 0; done < n;) {
      const ssize_t w = ::write(out, buffer + done, static_cast<std::size_t>(n - done));
      if (w < 0 && errno == EINTR) continue;
      if (w < 0) return errno;
      if (w == 0) return EIO;
      done += w;
    }
  }
}

// Renames `temp` to `to` unless `to` exists; EEXIST when it does.
int RenameWithoutReplacing(const std::string& temp, const std::string& to) {
  if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL) return errno;
  // A file system without that kind of rename: the caller's instance lock keeps other copies of
  // the program away between the look and the rename.
  if (Present(to)) return EEXIST;
  return std::rename(temp.c_str(), to.c_str()) == 0 ? 0 : errno;
}

void FlushFolderOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

int Copy(const std::string& from, const std::string& to) {
  const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return errno;
  std::string temp = to + ".tmpXXXXXX";
  const int out = ::mkstemp(temp.data());
  if (out < 0) {
    const int error = errno;
    ::close(in);
    return error;
  }
  int error = CopyContent(in, out);
  ::close(in);
  // mkstemp makes the file 0600; the copies are ordinary documents.
  if (error == 0 && ::fchmod(out, 0644) != 0) error = errno;
  if (error == 0 && ::fsync(out) != 0) error = errno;
  if (::close(out) != 0 && error == 0) error = errno;
  if (error == 0) error = RenameWithoutReplacing(temp, to);
  if (error != 0) {
    ::unlink(temp.c_str());
    return error;
  }
  FlushFolderOf(to);
  return 0;
}

}  // namespace

bool CopyFileUnlessPresent(const std::string& from, const std::string& to, std::string* reason) {
  if (Present(to)) return true;
  const int error = Copy(from, to);
  // Something that appeared meanwhile under that name stays, as one that was there before.
  if (error == 0 || error == EEXIST) return true;
  if (reason != nullptr) *reason = std::strerror(error);
  return false;
}
