#include "keyer/rig_keyer.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <functional>
#include <mutex>

#include "keyer/fake_rig_client.h"
#include "keyer/test_exchange_runner.h"
#include "keyer/virtual_timer_service.h"

namespace {

using Call = FakeRigClient::Call;
using Event = RigKeyer::ConnectionEvent;
using Calls = std::vector<std::string>;
using Times = std::vector<std::int64_t>;

TEST(RigModeChange, FollowsCwAndTheSidebandModesOnly) {
  const std::pair<const char*, RigModeChange> cases[] = {
      {"CW", RigModeChange::Cw},      {"CWR", RigModeChange::Cw},
      {"USB", RigModeChange::Ssb},    {"LSB", RigModeChange::Ssb},
      {"PKTUSB", RigModeChange::Ssb}, {"PKTLSB", RigModeChange::Ssb},
      {"AM", RigModeChange::None},    {"FM", RigModeChange::None},
      {"RTTY", RigModeChange::None},  {"PKTFM", RigModeChange::None},
      {"", RigModeChange::None},
  };
  for (const auto& [mode, change] : cases) EXPECT_EQ(ModeChangeFor(mode), change) << mode;
}

TEST(RigMessage, TextWithoutSpeedTagsAndTheConvertersDuration) {
  // "cq" at 20 wpm: 50 lead-in, -.-. (180 60 60 60 180 60 60), 180, --.- (180 60 180 60 60 60 180),
  // 50 tail.
  const auto cq = PrepareRigMessage("cq", 20);
  ASSERT_TRUE(cq.has_value());
  EXPECT_EQ(cq->text, "CQ");
  EXPECT_EQ(cq->durationMs, 1720);

  // The slow tags of the Farnsworth exchange do not reach the rig, nor stretch the duration: the
  // rig keys everything at its keyer speed.
  const auto report = PrepareRigMessage("hb9abc/p gm anna 5nn  <9>rote rosen<18> +", 18);
  const auto plain = PrepareRigMessage("hb9abc/p gm anna 5nn  rote rosen +", 18);
  ASSERT_TRUE(report && plain);
  EXPECT_EQ(report->text, "HB9ABC/P GM ANNA 5NN  ROTE ROSEN +");
  EXPECT_EQ(report->durationMs, plain->durationMs);
  EXPECT_EQ(PrepareRigMessage("<13>test<25>", 25)->text, "TEST");
  EXPECT_EQ(PrepareRigMessage("\xC4rger [bt]", 25)->text, "AERGER =");

  EXPECT_FALSE(PrepareRigMessage("<9><18>", 18).has_value());
  EXPECT_FALSE(PrepareRigMessage("[]", 18).has_value());
}

class RigKeyerTest : public ::testing::Test {
 protected:
  struct Reported {
    Event event;
    std::string reason;
    bool operator==(const Reported&) const = default;
  };

  RigKeyerTest() {
    keyer.SetConnectionHandler([this](Event event, const std::string& reason) {
      events.push_back({event, reason});
    });
    keyer.SetModeHandler([this](RigModeChange change) { modes.push_back(change); });
    keyer.SetMessageEndHandler([this](MessageKeying::MessageEnd how) {
      EXPECT_EQ(how, MessageKeying::MessageEnd::Stopped);
      EXPECT_FALSE(keyer.MessageRunning());
      ends.push_back(NowMs());
    });
  }

  std::int64_t NowMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(timers.Now()).count();
  }
  void At(std::int64_t ms) { timers.Advance(Milliseconds(ms) - timers.Now()); }
  void Run() { timers.RunDue(); }
  // Connected at 20 wpm, with the calls and events of connecting forgotten.
  void ConnectNow() {
    keyer.SetSpeed(20);
    keyer.Connect("localhost:4532");
    Run();
    ASSERT_TRUE(keyer.Connected());
    client.ClearCalls();
    events.clear();
  }

  VirtualTimerService timers;
  FakeRigClient client;
  TestExchangeRunner runner;
  RigKeyer keyer{client, timers, runner};
  std::vector<Reported> events;
  std::vector<RigModeChange> modes;
  Times ends;  // when each message ended
};

TEST_F(RigKeyerTest, ConnectingSetsTheRigsSpeedAndARefusalLeavesKeyingOff) {
  keyer.SetSpeed(25);
  Run();
  EXPECT_TRUE(client.Calls().empty());  // no connection, nothing to tell
  keyer.Connect("localhost:4532");
  EXPECT_FALSE(keyer.TransmitText("cq"));  // not before the connection is there
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"open localhost:4532", "keyspd 25"}));
  EXPECT_EQ(events, (std::vector<Reported>{{Event::Connected, ""}}));
  EXPECT_TRUE(keyer.Connected());

  client.Answer(Call::Open, RigReply::Failed("localhost:4532: Connection refused"));
  keyer.Connect("localhost:4532");
  Run();
  EXPECT_EQ(events.back(), (Reported{Event::Refused, "localhost:4532: Connection refused"}));
  EXPECT_FALSE(keyer.Connected());
  EXPECT_FALSE(keyer.TransmitText("cq"));
  EXPECT_FALSE(keyer.PollMode());
}

TEST_F(RigKeyerTest, KeySpeedGoesToTheRigWheneverTheSpeedChanges) {
  ConnectNow();
  for (const auto& [requested, set] : {std::pair{26, 26}, {26, 26}, {45, 40}}) {
    EXPECT_EQ(keyer.SetSpeed(requested), set);
    Run();
  }
  EXPECT_EQ(client.Calls(), (Calls{"keyspd 26", "keyspd 40"}));
  EXPECT_EQ(keyer.SlowTag(), "<20>");
  EXPECT_EQ(keyer.NormalTag(), "<40>");

  client.ClearCalls();
  ASSERT_TRUE(keyer.TransmitText("5nn <20>test<40> +"));
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send 5NN TEST +"}));
}

TEST_F(RigKeyerTest, WithoutWaitMorseAMessageEndsAtItsComputedDuration) {
  ConnectNow();
  client.Answer(Call::Wait, RigReply::NotAvailable());
  At(1000);
  ASSERT_TRUE(keyer.TransmitText("cq"));
  EXPECT_TRUE(keyer.MessageRunning());
  EXPECT_FALSE(keyer.TransmitText("qrz?"));  // one message at a time
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ"}));
  At(2719);
  EXPECT_TRUE(ends.empty());
  At(2720);
  EXPECT_EQ(ends, (Times{2720}));
  EXPECT_EQ(keyer.MessagesEnded(), 1u);
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait"}));

  // Known by now: the next message ends at its computed end without asking again.
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(4440);
  EXPECT_EQ(ends, (Times{2720, 4440}));
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait", "send CQ"}));
}

TEST_F(RigKeyerTest, WithWaitMorseAMessageEndsWhenTheRigHasFinished) {
  ConnectNow();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  runner.Hold();  // the rig still keys when the computed duration has passed
  At(1720);
  EXPECT_EQ(client.Calls(), (Calls{"send CQ"}));
  At(1900);
  EXPECT_TRUE(ends.empty());
  runner.Release();
  Run();
  EXPECT_EQ(ends, (Times{1900}));
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait"}));
  EXPECT_TRUE(events.empty());
}

TEST_F(RigKeyerTest, AStopEndsTheMessageAtOnceOrAtItsComputedEndWhereTheRigCannotStop) {
  ConnectNow();
  keyer.AbortMessage();  // nothing runs: nothing to stop
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(300);
  keyer.AbortMessage();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "stop"}));
  EXPECT_EQ(ends, (Times{300}));

  client.Answer(Call::Stop, RigReply::NotAvailable());
  client.Answer(Call::Wait, RigReply::NotAvailable());
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(600);
  keyer.AbortMessage();
  Run();
  EXPECT_EQ(ends, (Times{300}));
  EXPECT_FALSE(keyer.TransmitText("qrz?"));  // the rig keys on: the next one waits
  At(300 + 1720);
  EXPECT_EQ(ends, (Times{300, 2020}));
  EXPECT_TRUE(keyer.TransmitText("qrz?"));
  EXPECT_TRUE(events.empty());
}

TEST_F(RigKeyerTest, AStopAskedForBeforeRigctldTookTheTextFollowsIt) {
  ConnectNow();
  runner.Hold();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(10);
  keyer.AbortMessage();
  Run();
  EXPECT_TRUE(ends.empty());
  runner.Release();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "stop"}));
  EXPECT_EQ(ends, (Times{10}));
}

TEST_F(RigKeyerTest, AMessageStoppedBeforeItsTurnIsNeverSent) {
  ConnectNow();
  runner.Hold();  // a mode poll takes its time
  ASSERT_TRUE(keyer.PollMode());
  Run();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  keyer.AbortMessage();
  Run();
  EXPECT_EQ(ends, (Times{0}));
  runner.Release();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"mode"}));
}

TEST_F(RigKeyerTest, HeldMessagesSendNothingUntilReleasedOrOneHasEnded) {
  ConnectNow();
  keyer.HoldMessages();
  ASSERT_TRUE(keyer.TransmitText("cq"));  // started, and ends at once without a word
  Run();
  EXPECT_EQ(ends, (Times{0}));
  ASSERT_TRUE(keyer.TransmitText("qrz?"));  // the end withdrew the request, as the serial keyer's
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send QRZ?"}));

  At(5000);
  keyer.HoldMessages();
  keyer.ReleaseMessages();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send QRZ?", "wait", "send CQ"}));
}

TEST_F(RigKeyerTest, FeatureNotAvailableIsAnAnswerNotALostConnection) {
  ConnectNow();
  for (const Call call : {Call::Stop, Call::Wait, Call::KeySpeed, Call::Mode}) {
    client.Answer(call, RigReply::NotAvailable());
  }
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(100);
  keyer.SetSpeed(30);
  keyer.PollMode();
  keyer.AbortMessage();
  At(1720);
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "keyspd 30", "mode", "stop", "wait"}));
  EXPECT_EQ(ends, (Times{1720}));
  EXPECT_TRUE(modes.empty());
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(keyer.Connected());
}

struct LossCase {
  const char* name;
  Call failing;
  RigReply reply;
  std::function<void(RigKeyer&)> during;  // at 100 ms into the message
};

void PrintTo(const LossCase& c, std::ostream* os) {
  *os << c.name;
}

class RigKeyerLoss : public RigKeyerTest, public ::testing::WithParamInterface<LossCase> {};

TEST_P(RigKeyerLoss, EndsTheMessageAndKeyingUntilTheNextConnect) {
  const LossCase& c = GetParam();
  ConnectNow();
  client.Answer(c.failing, c.reply);
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(100);
  if (c.during) c.during(keyer);
  At(3000);
  ASSERT_EQ(events.size(), 1u);
  EXPECT_EQ(events[0].event, Event::Lost);
  EXPECT_FALSE(events[0].reason.empty());
  EXPECT_EQ(ends.size(), 1u);
  EXPECT_EQ(client.Calls().back(), "close");
  EXPECT_FALSE(keyer.Connected());
  EXPECT_FALSE(keyer.TransmitText("cq"));
  EXPECT_FALSE(keyer.PollMode());

  client.Answer(c.failing, RigReply::Ok());
  keyer.Connect("localhost:4532");
  Run();
  EXPECT_EQ(events.back().event, Event::Connected);
}

INSTANTIATE_TEST_SUITE_P(
    FailedExchanges, RigKeyerLoss,
    ::testing::Values(
        // A text rigctld did not take is never reported as sent: the loss is.
        LossCase{"SendFailed", Call::Send, RigReply::Failed("IO error"), nullptr},
        LossCase{"SendNotAvailable", Call::Send, RigReply::NotAvailable(), nullptr},
        LossCase{"KeySpeedFailed", Call::KeySpeed, RigReply::Failed("IO error"),
                 [](RigKeyer& k) { k.SetSpeed(30); }},
        LossCase{"StopFailed", Call::Stop, RigReply::Failed("IO error"),
                 [](RigKeyer& k) { k.AbortMessage(); }},
        LossCase{"WaitFailed", Call::Wait, RigReply::Failed("IO error"), nullptr},
        LossCase{"ModeFailed", Call::Mode, RigReply::Failed("Communication timed out"),
                 [](RigKeyer& k) { k.PollMode(); }}),
    [](const ::testing::TestParamInfo<LossCase>& info) { return info.param.name; });

TEST_F(RigKeyerTest, AnExchangeWithoutAnswerLosesTheConnectionAfterItsTimeLimit) {
  ConnectNow();
  runner.Hold();
  At(1000);
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(1499);
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(keyer.MessageRunning());
  At(1500);
  EXPECT_EQ(events, (std::vector<Reported>{{Event::Lost, "keine Antwort von rigctld"}}));
  EXPECT_EQ(ends, (Times{1500}));
  EXPECT_EQ(client.Interrupts(), 1);
  EXPECT_FALSE(keyer.Connected());

  // The late answer changes nothing; the connection is closed and opened again after it.
  keyer.Connect("localhost:4532");
  Run();
  runner.Release();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "open localhost:4532", "keyspd 20"}));
  EXPECT_EQ(events.back().event, Event::Connected);
  EXPECT_EQ(ends, (Times{1500}));
}

TEST_F(RigKeyerTest, AConnectionWithoutAnswerIsRefusedAfterItsTimeLimit) {
  runner.Hold();
  keyer.Connect("rig:4532");
  At(1999);
  EXPECT_TRUE(events.empty());
  At(2000);
  EXPECT_EQ(
      events,
      (std::vector<Reported>{{Event::Refused, "rig:4532: keine Antwort innerhalb von 2000 ms"}}));
  runner.Release();  // connected after all, too late: closed again, and not reported
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"open rig:4532", "close"}));
  EXPECT_EQ(events.size(), 1u);
  EXPECT_FALSE(keyer.Connected());
}

TEST_F(RigKeyerTest, AWaitForTheRigsPttEndsTheMessageAtItsLimitAndLosesOnlyMuchLater) {
  ConnectNow();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  runner.Hold();  // the rig holds its PTT after the last element
  At(1720 + 499);
  EXPECT_TRUE(ends.empty());
  At(1720 + 500);
  EXPECT_EQ(ends, (Times{2220}));
  EXPECT_TRUE(keyer.Connected());
  runner.Release();  // the PTT dropped: the next message goes out
  Run();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait", "send CQ"}));

  runner.Hold();  // this time it never drops
  At(2220 + 1720 + RigKeyer::kWaitMorseLimit.count() - 1);
  EXPECT_TRUE(events.empty());
  At(2220 + 1720 + RigKeyer::kWaitMorseLimit.count());
  EXPECT_EQ(events, (std::vector<Reported>{{Event::Lost, "keine Antwort von rigctld"}}));
  EXPECT_EQ(ends, (Times{2220, 2220 + 1720 + 500}));
}

TEST_F(RigKeyerTest, TheModePollReportsWhatTheRigModeAsksForOnePollAtATime) {
  ConnectNow();
  for (const char* mode : {"CWR", "PKTUSB", "AM"}) {
    client.SetMode(mode);
    ASSERT_TRUE(keyer.PollMode());
    Run();
  }
  EXPECT_EQ(modes, (std::vector<RigModeChange>{RigModeChange::Cw, RigModeChange::Ssb,
                                               RigModeChange::None}));
  client.ClearCalls();
  runner.Hold();
  EXPECT_TRUE(keyer.PollMode());
  EXPECT_TRUE(keyer.PollMode());
  Run();
  runner.Release();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"mode"}));
  EXPECT_EQ(modes.size(), 4u);

  keyer.Disconnect();
  EXPECT_FALSE(keyer.PollMode());
}

TEST_F(RigKeyerTest, DisconnectingStopsTheRigsMessageAndClosesQuietly) {
  ConnectNow();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(300);
  keyer.Disconnect();
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "stop", "close"}));
  EXPECT_EQ(ends, (Times{300}));
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(keyer.TransmitText("cq"));
  At(5000);
  EXPECT_EQ(ends.size(), 1u);
}

// The same on real threads (the ThreadSanitizer pass runs this): the worker thread calls the
// client, the timer thread decides, this thread waits for the outcome.
TEST(LiveRigKeyer, KeysOnItsThreadsAndGivesUpAnExchangeThatHangs) {
  auto owned = std::make_unique<FakeRigClient>();
  FakeRigClient& client = *owned;
  client.Answer(Call::Wait, RigReply::NotAvailable());
  LiveRigKeyer live(std::move(owned));
  RigKeyer& keyer = live.keyer();

  std::mutex mutex;
  std::condition_variable changed;
  std::vector<Event> events;
  keyer.SetConnectionHandler([&](Event event, const std::string&) {
    std::lock_guard lock(mutex);
    events.push_back(event);
    changed.notify_all();
  });
  const auto waitForEvents = [&](std::size_t count) {
    std::unique_lock lock(mutex);
    return changed.wait_for(lock, std::chrono::seconds(10), [&] { return events.size() >= count; });
  };

  keyer.SetSpeed(40);
  keyer.Connect("localhost:4532");
  ASSERT_TRUE(waitForEvents(1));
  ASSERT_TRUE(keyer.TransmitText("e"));
  ASSERT_TRUE(keyer.WaitForMessageEnd(0, std::chrono::seconds(10)));
  EXPECT_EQ(client.Calls(), (Calls{"open localhost:4532", "keyspd 40", "send E", "wait"}));

  client.HoldNext(Call::Mode);
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(waitForEvents(2));
  EXPECT_EQ(events, (std::vector<Event>{Event::Connected, Event::Lost}));
  EXPECT_GE(client.Interrupts(), 1);
  EXPECT_FALSE(keyer.Connected());
}

}  // namespace
