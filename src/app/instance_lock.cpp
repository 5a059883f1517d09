#include "app/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

InstanceLock::InstanceLock(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
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
