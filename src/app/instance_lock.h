#pragma once
// One running program per working folder. The lock is an advisory lock (flock) on a file in the
// database folder, held while the InstanceLock lives. The system drops it when the process ends,
// however it ends, so a lock left by a crashed or killed program is simply taken over; the file
// itself stays (removing it could let two programs lock two different files of the same name).

#include <string>

inline constexpr const char* kInstanceLockFileName = "VORLAX_KTD_Log.lock";

class InstanceLock {
 public:
  enum class State { Held, HeldByAnother, Failed };

  // Creates the file when missing and tries to lock it without waiting.
  explicit InstanceLock(const std::string& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  State state() const { return state_; }
  const std::string& path() const { return path_; }
  // The system's reason when the file could not be opened or locked (state Failed), UTF-8.
  const std::string& reason() const { return reason_; }

 private:
  std::string path_;
  int fd_ = -1;
  State state_ = State::Failed;
  std::string reason_;
};
