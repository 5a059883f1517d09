#include "keyer/rig_keyer.h"

#include <gtest/gtest.h>

#include <functional>

#include "keyer/fake_rig_client.h"
#include "keyer/test_exchange_runner.h"
#include "keyer/virtual_timer_service.h"

namespace {

using Call = FakeRigClient::Call;
using Event = RigKeyer::ConnectionEvent;
using Calls = std::vector<std::string>;
using Times = std::vector<std::int64_t>;

TEST(RigModeChange, FollowsCwAndTheSidebandModesOnly) {
  for (const char* mode : {"CW", "CWR"}) EXPECT_EQ(ModeChangeFor(mode), RigModeChange::Cw);
  for (const char* mode : {"USB", "LSB", "PKTUSB", "PKTLSB"}) {
    EXPECT_EQ(ModeChangeFor(mode), RigModeChange::Ssb) << mode;
  }
  for (const char* mode : {"AM", "FM", "RTTY", "PKTFM", ""}) {
    EXPECT_EQ(ModeChangeFor(mode), RigModeChange::None) << mode;
  }
}

TEST(RigMessage, TextWithoutSpeedTagsAndTheConvertersDuration) {
  // "cq" at 20 wpm: lead-in 50, -.-. 660, space 180, --.- 780, tail 50.
  EXPECT_EQ(PrepareRigMessage("cq", 20)->durationMs, 1720);
  // The slow tags of the Farnsworth exchange neither reach the rig nor stretch the duration: the
  // rig keys everything at its keyer speed.
  const auto tagged = PrepareRigMessage("hb9abc/p gm 5nn  <9>rote rosen<18> +", 18);
  EXPECT_EQ(tagged->text, "HB9ABC/P GM 5NN  ROTE ROSEN +");
  EXPECT_EQ(tagged->durationMs, PrepareRigMessage(tagged->text, 18)->durationMs);
  EXPECT_EQ(PrepareRigMessage("\xC4rger [bt]<25>", 25)->text, "AERGER =");
  EXPECT_FALSE(PrepareRigMessage("<9>[]<18>", 18).has_value());
}

class RigKeyerTest : public ::testing::Test {
 protected:
  RigKeyerTest() {
    keyer.SetConnectionHandler([this](Event event, const std::string& reason) {
      events.push_back(event);
      lastReason = reason;
    });
    keyer.SetModeHandler([this](RigModeChange change) { modes.push_back(change); });
    keyer.SetMessageEndHandler([this](MessageKeying::MessageEnd how) {
      EXPECT_EQ(how, MessageKeying::MessageEnd::Stopped);
      EXPECT_FALSE(keyer.MessageRunning());
      ends.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(timers.Now()).count());
    });
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
  std::vector<Event> events;
  std::string lastReason;
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
  EXPECT_EQ(events, std::vector{Event::Connected});

  client.Answer(Call::Open, RigReply::Failed("localhost:4532: Connection refused"));
  keyer.Connect("localhost:4532");
  Run();
  EXPECT_EQ(events, (std::vector{Event::Connected, Event::Refused}));
  EXPECT_EQ(lastReason, "localhost:4532: Connection refused");
  EXPECT_FALSE(keyer.TransmitText("cq"));
  EXPECT_FALSE(keyer.PollMode());
}

TEST_F(RigKeyerTest, KeySpeedGoesToTheRigWheneverTheSpeedChanges) {
  ConnectNow();
  for (const auto& [requested, set] : {std::pair{26, 26}, {26, 26}, {45, 40}}) {
    EXPECT_EQ(keyer.SetSpeed(requested), set);
    Run();
  }
  EXPECT_EQ(keyer.SlowTag(), "<20>");
  ASSERT_TRUE(keyer.TransmitText("5nn <20>test<40> +"));
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"keyspd 26", "keyspd 40", "send 5NN TEST +"}));
}

TEST_F(RigKeyerTest, AMessageEndsWhenWaitMorseReturnsOrElseAtItsComputedDuration) {
  ConnectNow();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  EXPECT_FALSE(keyer.TransmitText("qrz?"));  // one message at a time
  Run();
  runner.Hold();  // the rig still keys when the computed 1720 ms have passed
  At(1900);
  EXPECT_TRUE(ends.empty());
  runner.Release();
  Run();
  EXPECT_EQ(ends, (Times{1900}));

  client.Answer(Call::Wait, RigReply::NotAvailable());
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(1900 + 1719);
  EXPECT_EQ(ends.size(), 1u);
  At(1900 + 1720);
  ASSERT_TRUE(keyer.TransmitText("cq"));  // known now: ends when computed, without asking
  At(1900 + 2 * 1720);
  EXPECT_EQ(ends, (Times{1900, 3620, 5340}));
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait", "send CQ", "wait", "send CQ"}));
  EXPECT_EQ(keyer.MessagesEnded(), 3u);
}

TEST_F(RigKeyerTest, AStopFollowsTheTextOrPreventsIt) {
  ConnectNow();
  keyer.AbortMessage();  // nothing runs: nothing to stop
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(300);
  keyer.AbortMessage();
  Run();
  EXPECT_EQ(ends, (Times{300}));

  runner.Hold();  // rigctld has not answered the text yet: the stop follows the answer
  ASSERT_TRUE(keyer.TransmitText("qrz?"));
  At(310);
  keyer.AbortMessage();
  Run();
  runner.Release();
  Run();
  EXPECT_EQ(ends, (Times{300, 310}));

  runner.Hold();  // a mode poll holds the text back: once stopped, it never goes out
  ASSERT_TRUE(keyer.PollMode());
  ASSERT_TRUE(keyer.TransmitText("qsl"));
  At(320);
  keyer.AbortMessage();
  Run();
  runner.Release();
  Run();
  EXPECT_EQ(ends, (Times{300, 310, 320}));
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "stop", "send QRZ?", "stop", "mode"}));
}

TEST_F(RigKeyerTest, HeldMessagesSendNothingUntilReleasedOrOneHasEnded) {
  ConnectNow();
  keyer.HoldMessages();
  ASSERT_TRUE(keyer.TransmitText("cq"));  // started, and ends at once without a word
  Run();
  EXPECT_EQ(ends, (Times{0}));
  ASSERT_TRUE(keyer.TransmitText("qrz?"));  // the end withdrew the request, as the serial keyer's
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
  Run();
  EXPECT_FALSE(keyer.TransmitText("qrz?"));  // the rig keys on: the next one waits for its end
  At(1720);
  EXPECT_EQ(ends, (Times{1720}));
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "keyspd 30", "mode", "stop", "wait"}));
  EXPECT_TRUE(modes.empty());
  EXPECT_TRUE(events.empty());
  EXPECT_TRUE(keyer.TransmitText("qrz?"));
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
  EXPECT_EQ(events, std::vector{Event::Lost});
  EXPECT_FALSE(lastReason.empty());
  EXPECT_EQ(ends.size(), 1u);
  EXPECT_EQ(client.Calls().back(), "close");
  EXPECT_FALSE(keyer.TransmitText("cq"));
  EXPECT_FALSE(keyer.PollMode());

  client.Answer(c.failing, RigReply::Ok());
  keyer.Connect("localhost:4532");
  Run();
  EXPECT_EQ(events.back(), Event::Connected);
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

TEST_F(RigKeyerTest, WithoutAnAnswerInTimeTheConnectionIsLostOrRefused) {
  ConnectNow();
  runner.Hold();
  At(1000);
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(1499);
  EXPECT_TRUE(events.empty());
  At(1500);
  EXPECT_EQ(events, std::vector{Event::Lost});
  EXPECT_EQ(lastReason, "keine Antwort von rigctld");
  EXPECT_EQ(ends, (Times{1500}));
  EXPECT_EQ(client.Interrupts(), 1);  // the hung call is made to give up

  keyer.Connect("rig:4532");  // waits for the late answer, which changes nothing
  Run();
  runner.Release();
  runner.Hold();
  Run();
  At(1500 + 1999);
  EXPECT_EQ(events.size(), 1u);
  At(1500 + 2000);
  EXPECT_EQ(events, (std::vector{Event::Lost, Event::Refused}));
  EXPECT_EQ(lastReason, "rig:4532: keine Antwort innerhalb von 2000 ms");
  runner.Release();  // connected after all, too late: closed again, and not reported
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "open rig:4532", "close"}));
  EXPECT_EQ(events.size(), 2u);
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
  runner.Release();  // the PTT dropped: the next message goes out
  ASSERT_TRUE(keyer.TransmitText("cq"));
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "wait", "send CQ"}));

  runner.Hold();  // this time it never drops
  At(2220 + 1720 + RigKeyer::kWaitMorseLimit.count() - 1);
  EXPECT_TRUE(events.empty());
  At(2220 + 1720 + RigKeyer::kWaitMorseLimit.count());
  EXPECT_EQ(events, std::vector{Event::Lost});
  EXPECT_EQ(ends, (Times{2220, 2220 + 1720 + 500}));
}

TEST_F(RigKeyerTest, TheModePollReportsWhatTheRigModeAsksForOnePollAtATime) {
  ConnectNow();
  client.SetMode("PKTUSB");
  runner.Hold();
  EXPECT_TRUE(keyer.PollMode());
  EXPECT_TRUE(keyer.PollMode());
  Run();
  runner.Release();
  Run();
  client.SetMode("CWR");
  EXPECT_TRUE(keyer.PollMode());
  Run();
  EXPECT_EQ(client.Calls(), (Calls{"mode", "mode"}));
  EXPECT_EQ(modes, (std::vector{RigModeChange::Ssb, RigModeChange::Cw}));
  keyer.Disconnect();
  EXPECT_FALSE(keyer.PollMode());
}

TEST_F(RigKeyerTest, DisconnectingStopsTheRigsMessageAndClosesQuietly) {
  ConnectNow();
  ASSERT_TRUE(keyer.TransmitText("cq"));
  At(300);
  keyer.Disconnect();
  At(5000);
  EXPECT_EQ(client.Calls(), (Calls{"send CQ", "stop", "close"}));
  EXPECT_EQ(ends, (Times{300}));
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(keyer.TransmitText("cq"));
}

}  // namespace
