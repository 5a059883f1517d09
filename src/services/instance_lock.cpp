#include "services/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

InstanceLock::InstanceLock(const std::string& folder) : folder_(folder) {
  // A read-only descriptor of the folder is all flock needs; close-on-exec keeps it from programs
  // this one starts, which would otherwise hold the claim beyond its end.
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    reason_ = std::strerror(errno);
    return;
  }
  int rc;
  do {
    rc = ::flock(fd_, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc == 0) {
    state_ = State::Held;
    return;
  }
  const int error = errno;
  state_ = error == EWOULDBLOCK ? State::HeldByAnother : State::Failed;
  if (state_ == State::Failed) reason_ = std::strerror(error);
  ::close(fd_);
  fd_ = -1;
}

InstanceLock::~InstanceLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the only descriptor releases the lock
}
