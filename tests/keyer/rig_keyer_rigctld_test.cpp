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
#include <cstdio>
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

using Event = RigKeyer::ConnectionEvent;

std::string FindProgram(const std::string& name) {
  std::stringstream folders(std::getenv("PATH") != nullptr ? std::getenv("PATH") : "/usr/bin");
  for (std::string folder; std::getline(folders, folder, ':');) {
    if (access((folder + "/" + name).c_str(), X_OK) == 0) return folder + "/" + name;
  }
  return {};
}

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  return address;
}

// A port nothing listens on: the system's pick for a socket bound and closed again.
int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t length = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), length);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  close(fd);
  return ntohs(address.sin_port);
}

bool Listening(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  const bool connected =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return connected;
}

// Checks `condition` until it holds, at most 20 s.
bool Eventually(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

// A program started with stdout and stderr into a file, killed at the end at the latest.
class Child {
 public:
  Child(std::vector<std::string> arguments, const std::string& output) {
    std::vector<char*> argv;
    for (std::string& a : arguments) argv.push_back(a.data());
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
  int Wait() {  // the exit status
    int status = -1;
    if (pid_ > 0) waitpid(pid_, &status, 0);
    pid_ = -1;
    return status;
  }
  void Kill() {
    if (pid_ > 0) kill(pid_, SIGKILL);
    Wait();
  }

 private:
  pid_t pid_ = -1;
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
    std::ostringstream content;
    content << std::ifstream(log).rdbuf();
    return content.str().find(text) != std::string::npos;
  };

  LiveRigKeyer live;
  RigKeyer& keyer = live.keyer();
  std::mutex mutex;  // the handlers run on the keyer's timer thread
  std::vector<Event> events;
  std::vector<RigModeChange> modes;
  keyer.SetConnectionHandler([&](Event event, const std::string& reason) {
    if (event == Event::Refused) std::fprintf(stderr, "connection refused: %s\n", reason.c_str());
    std::lock_guard lock(mutex);
    events.push_back(event);
  });
  keyer.SetModeHandler([&](RigModeChange change) {
    std::lock_guard lock(mutex);
    modes.push_back(change);
  });
  const auto reported = [&](const auto& list, std::size_t count) {
    return Eventually([&] {
      std::lock_guard lock(mutex);
      return list.size() >= count;
    });
  };
  keyer.SetSpeed(40);
  // "localhost" may name ::1 before 127.0.0.1, where rigctld listens by default. A daemon that has
  // just started listening may still turn the first connection away: again, as the operator would
  // after the message.
  for (std::size_t attempt = 1; attempt <= 5; ++attempt) {
    keyer.Connect("localhost:" + port);
    ASSERT_TRUE(reported(events, attempt));
    std::unique_lock lock(mutex);
    if (events.back() != Event::Refused) break;
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
  }
  {
    std::lock_guard lock(mutex);
    ASSERT_EQ(events.back(), Event::Connected);
    events.clear();  // what follows counts from the connection on
  }

  ASSERT_TRUE(keyer.TransmitText("cq <20>de<40>"));
  ASSERT_TRUE(keyer.WaitForMessageEnd(0, std::chrono::seconds(20)));
  EXPECT_TRUE(logged("CQ DE"));
  EXPECT_TRUE(logged("KEYSPD 40"));

  // The dummy cannot stop: it answers "feature not available", and the message runs on to its
  // computed end, with the connection kept.
  ASSERT_TRUE(keyer.TransmitText("qrz?"));
  ASSERT_TRUE(Eventually([&] { return logged("QRZ?"); }));
  keyer.AbortMessage();
  ASSERT_TRUE(keyer.WaitForMessageEnd(1, std::chrono::seconds(20)));
  EXPECT_TRUE(logged("cmd=stop_morse"));
  EXPECT_TRUE(keyer.Connected());

  // Mode following: the dummy starts in FM, then is switched as another program would.
  for (const char* mode : {"", "USB", "CW"}) {
    if (*mode != '\0') {
      Child setter({rigctl, "-m", "2", "-r", "localhost:" + port, "M", mode, "0"},
                   dir / "rigctl.log");
      ASSERT_EQ(setter.Wait(), 0);
    }
    std::unique_lock lock(mutex);
    const std::size_t before = modes.size();
    lock.unlock();
    ASSERT_TRUE(keyer.PollMode());
    ASSERT_TRUE(reported(modes, before + 1));
  }
  EXPECT_EQ(modes, (std::vector{RigModeChange::None, RigModeChange::Ssb, RigModeChange::Cw}));

  // rigctld killed: the next exchange fails, and the loss is reported.
  daemon.Kill();
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(reported(events, 1));
  EXPECT_EQ(events[0], Event::Lost);
  EXPECT_FALSE(keyer.TransmitText("cq"));
}

}  // namespace
