// The rig keyer against the real rigctld with Hamlib's dummy transceiver (Debian: libhamlib-utils),
// started on a free port for the test. rigctld logs the text of send_morse only at trace level
// (-vvvvv); the test reads it there.

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>
#include <vector>

#include "keyer/hamlib_rig_client.h"
#include "keyer/rig_keyer.h"
#include "support/rigctld_process.h"
#include "support/temp_folder.h"

namespace {

using Event = RigKeyer::ConnectionEvent;

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
  const auto logged = [&](const std::string& text) { return FileContains(log, text); };

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
