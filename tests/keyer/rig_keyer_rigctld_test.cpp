// The rig keyer against the real rigctld with Hamlib's dummy transceiver (Debian: libhamlib-utils),
// started on a free port for the test. rigctld logs the text of send_morse only at trace level
// (-vvvvv); the test reads it there.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>
#include <vector>

#include "keyer/hamlib_rig_client.h"
#include "keyer/rig_keyer.h"
#include "support/temp_folder.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
using Event = RigKeyer::ConnectionEvent;

std::string FindProgram(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::stringstream folders(path != nullptr ? path : "/usr/bin:/bin");
  std::string folder;
  while (std::getline(folders, folder, ':')) {
    const std::string candidate = folder + "/" + name;
    if (access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return {};
}

// A port nothing listens on: the system's pick for a socket bound and closed again.
int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  socklen_t length = sizeof address;
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

bool Listening(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  const bool connected = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

// Checks `condition` until it holds, at most `limit`.
bool Eventually(const std::function<bool()>& condition, std::chrono::seconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(10ms);
  }
  return true;
}

std::string FileText(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// A program started with stdout and stderr into a file, killed at the end at the latest.
class Child {
 public:
  Child(const std::vector<std::string>& arguments, const std::string& output) {
    std::vector<char*> argv;
    for (const std::string& a : arguments) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, output.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
  }
  ~Child() { Kill(); }

  bool Started() const { return pid_ > 0; }
  // The exit status, once it has ended.
  int Wait() {
    int status = -1;
    if (pid_ > 0) waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  void Kill() {
    if (pid_ <= 0) return;
    kill(pid_, SIGKILL);
    Wait();
  }

 private:
  pid_t pid_ = -1;
};

// What the keyer reported, from its timer thread, for the test's thread to wait on.
struct Reports {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Event> events;
  std::vector<RigModeChange> modes;

  template <typename Item>
  void Add(std::vector<Item>& list, Item item) {
    std::lock_guard lock(mutex);
    list.push_back(item);
    changed.notify_all();
  }
  template <typename Item>
  bool WaitFor(const std::vector<Item>& list, std::size_t count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, 20s, [&] { return list.size() >= count; });
  }
};

TEST(HamlibRigClient, ARefusedConnectionNamesTheAddressAndTheSystemsReason) {
  const std::string address = "127.0.0.1:" + std::to_string(FreePort());
  HamlibRigClient client;
  const RigReply reply = client.Open(address);
  EXPECT_EQ(reply.status, RigStatus::Failed);
  EXPECT_EQ(reply.detail, address + ": " + std::strerror(ECONNREFUSED));
  EXPECT_EQ(client.SendMorse("cq").status, RigStatus::Failed);  // nothing goes out unconnected
  EXPECT_EQ(client.Open("shack:0").detail, "shack:0: keine g\xFCltige Adresse (Rechner:Port)");
}

TEST(RigKeyerWithRigctld, KeysThroughTheDummyRigFollowsItsModeAndNoticesItsEnd) {
  const std::string rigctld = FindProgram("rigctld");
  const std::string rigctl = FindProgram("rigctl");
  if (rigctld.empty() || rigctl.empty()) {
    GTEST_SKIP() << "rigctld is not installed (Debian: libhamlib-utils)";
  }
  TempFolder dir;
  const std::string log = dir / "rigctld.log";
  const std::string port = std::to_string(FreePort());
  Child daemon({rigctld, "-m", "1", "-t", port, "-vvvvv"}, log);
  ASSERT_TRUE(daemon.Started());
  ASSERT_TRUE(Eventually([&] { return Listening(std::stoi(port)); }));
  const auto logged = [&](const std::string& text) {
    return FileText(log).find(text) != std::string::npos;
  };

  LiveRigKeyer live;
  RigKeyer& keyer = live.keyer();
  Reports reports;
  keyer.SetConnectionHandler(
      [&](Event event, const std::string&) { reports.Add(reports.events, event); });
  keyer.SetModeHandler([&](RigModeChange change) { reports.Add(reports.modes, change); });
  keyer.SetSpeed(40);
  // "localhost" may name ::1 before 127.0.0.1, where rigctld listens by default.
  keyer.Connect("localhost:" + port);
  ASSERT_TRUE(reports.WaitFor(reports.events, 1));
  ASSERT_EQ(reports.events[0], Event::Connected);

  ASSERT_TRUE(keyer.TransmitText("cq <20>de<40>"));
  ASSERT_TRUE(keyer.WaitForMessageEnd(0, 20s));
  EXPECT_TRUE(logged("CQ DE"));
  EXPECT_TRUE(logged("KEYSPD 40"));

  // The dummy cannot stop: it answers "feature not available", and the message runs on to its
  // computed end, with the connection kept.
  ASSERT_TRUE(keyer.TransmitText("qrz?"));
  ASSERT_TRUE(Eventually([&] { return logged("QRZ?"); }));
  keyer.AbortMessage();
  ASSERT_TRUE(keyer.WaitForMessageEnd(1, 20s));
  EXPECT_TRUE(logged("cmd=stop_morse"));
  EXPECT_TRUE(keyer.Connected());

  // Mode following: the dummy starts in FM, then is switched as another program would.
  const auto setMode = [&](const char* mode) {
    Child setter({rigctl, "-m", "2", "-r", "localhost:" + port, "M", mode, "0"},
                 dir / "rigctl.log");
    return setter.Wait() == 0;
  };
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(reports.WaitFor(reports.modes, 1));
  ASSERT_TRUE(setMode("USB"));
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(reports.WaitFor(reports.modes, 2));
  ASSERT_TRUE(setMode("CW"));
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(reports.WaitFor(reports.modes, 3));
  EXPECT_EQ(reports.modes, (std::vector<RigModeChange>{RigModeChange::None, RigModeChange::Ssb,
                                                       RigModeChange::Cw}));

  // rigctld killed: the next exchange fails, and the loss is reported.
  daemon.Kill();
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(reports.WaitFor(reports.events, 2));
  EXPECT_EQ(reports.events[1], Event::Lost);
  EXPECT_FALSE(keyer.Connected());
  EXPECT_FALSE(keyer.TransmitText("cq"));
}

}  // namespace
