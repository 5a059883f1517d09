#pragma once
// File permissions for tests of read-only folders. Root ignores them, and tests in CI run as root:
// while an OrdinaryUserFiles lives, the calling thread of a root process reaches files as the user
// and group "nobody" (65534), so a folder without write permission refuses it as it refuses an
// operator; the thread's own rights come back at the end. A process that is no root needs nothing.
// Files the test prepares must be readable by others (folders 0755, files 0644) while it lives.

class OrdinaryUserFiles {
 public:
  OrdinaryUserFiles();
  ~OrdinaryUserFiles();
  OrdinaryUserFiles(const OrdinaryUserFiles&) = delete;
  OrdinaryUserFiles& operator=(const OrdinaryUserFiles&) = delete;

  // False when root could not give up its rights (no CAP_SETUID); the test then cannot run.
  bool Active() const { return active_; }

 private:
  bool switched_ = false;
  bool active_ = false;
};
