#pragma once
// For tests against the real rigctld (Debian: libhamlib-utils): finding the programs, a free port
// on the loopback interface, and a program run with its output in a file.

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

// The program's path from PATH; empty when it is not installed.
std::string FindProgram(const std::string& name);
// A port nothing listens on: the system's pick for a socket bound and closed again.
int FreePort();
// Something accepts connections on 127.0.0.1:port.
bool Listening(int port);
// Checks `condition` until it holds, at most 20 s.
bool Eventually(const std::function<bool()>& condition);
// The file holds `text`.
bool FileContains(const std::string& file, const std::string& text);

// A program started with stdout and stderr into a file, killed at the end at the latest.
class Child {
 public:
  Child(std::vector<std::string> arguments, const std::string& output);
  ~Child() { Kill(); }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  bool Started() const { return pid_ > 0; }
  int Wait();  // the exit status
  void Kill();

 private:
  pid_t pid_ = -1;
};
