#pragma once
// One running program per working folder. The lock is an advisory lock (flock) on the working
// folder itself, held while the InstanceLock lives: the operator tidying up db/ or data/ cannot
// delete it, and the system drops it when the process ends, however it ends, so the lock of a
// crashed or killed program is simply taken over. Nothing is created on disk for it.

#include <string>

class InstanceLock {
 public:
  enum class State { Held, HeldByAnother, Failed };

  // Opens the folder and tries to lock it without waiting.
  explicit InstanceLock(const std::string& folder);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State state() const { return state_; }
  const std::string& folder() const { return folder_; }
  // The system's reason when the folder could not be opened or locked (state Failed), UTF-8.
  const std::string& reason() const { return reason_; }

 private:
  std::string folder_;
  int fd_ = -1;
  State state_ = State::Failed;
  std::string reason_;
};
