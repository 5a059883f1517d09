#include "keyer/keyer.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <condition_variable>
#include <mutex>
#include <thread>

#include "keyer/fake_serial_port.h"
#include "keyer/keyer_thread.h"
#include "keyer/virtual_timer_service.h"

namespace {

using MessageEnd = MessagePlayer::MessageEnd;

class KeyerTest : public ::testing::Test {
 protected:
  KeyerTest() {
    keyer.SetMessageEndHandler([this](MessageEnd how) { ends.push_back(how); });
  }
  void At(std::int64_t ms) { timers.Advance(Milliseconds(ms) - timers.Now()); }
  // Times (ms) at which the line went on and off, alternately.
  std::vector<std::int64_t> EdgeTimes(ControlLine line) const {
    std::vector<std::int64_t> times;
    for (const auto& edge : port.EdgesOf(line)) {
      times.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(edge.time).count());
    }
    return times;
  }

  VirtualTimerService timers;
  FakeSerialPort port{timers};
  Keyer keyer{port, timers};
  std::vector<MessageEnd> ends;
};

struct SpeedCase {
  int requested;
  int speed;
  std::string slowTag;
  std::string normalTag;
};

void PrintTo(const SpeedCase& c, std::ostream* os) {
  *os << c.requested << " wpm";
}

class KeyerSpeed : public ::testing::TestWithParam<SpeedCase> {};

TEST_P(KeyerSpeed, ClampsAndSetsConverterAndTags) {
  VirtualTimerService timers;
  FakeSerialPort port{timers};
  Keyer keyer{port, timers};
  const SpeedCase& c = GetParam();
  EXPECT_EQ(keyer.SetSpeed(c.requested), c.speed);
  EXPECT_EQ(keyer.Speed(), c.speed);
  EXPECT_EQ(keyer.State().speedWpm, c.speed);
  EXPECT_EQ(keyer.Converter().Speed(), c.speed);
  // The converter's character speed cannot go below 12: at 10 and 11 wpm its elements stay at
  // 12 wpm and only the spaces stretch.
  EXPECT_EQ(keyer.Converter().CharacterSpeed(), std::max(c.speed, 12));
  EXPECT_TRUE(keyer.Converter().Farnsworth());
  EXPECT_EQ(keyer.SlowTag(), c.slowTag);
  EXPECT_EQ(keyer.NormalTag(), c.normalTag);
}

INSTANTIATE_TEST_SUITE_P(Speeds, KeyerSpeed,
                         ::testing::Values(SpeedCase{25, 25, "<13>", "<25>"},
                                           SpeedCase{24, 24, "<12>", "<24>"},
                                           SpeedCase{18, 18, "<9>", "<18>"},
                                           SpeedCase{5, 10, "<5>", "<10>"},
                                           SpeedCase{45, 40, "<20>", "<40>"}));

TEST_F(KeyerTest, StartsAtEighteenWpm) {
  EXPECT_EQ(keyer.Speed(), 18);
  EXPECT_EQ(keyer.SlowTag(), "<9>");
}

TEST_F(KeyerTest, PaddleContactKeysTheRtsLineForOneDit) {
  keyer.SetSpeed(20);
  keyer.SetRtsKeys(true);
  keyer.ApplyKeyingState(true, 1);
  EXPECT_TRUE(keyer.State().keyingActive);
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Rts));
  EXPECT_TRUE(port.ControlLineOn(ControlLine::Dtr));
  At(100);
  port.SetStatusLine(StatusLine::Dsr, true);  // dit contact closed
  timers.RunDue();
  At(110);
  port.SetStatusLine(StatusLine::Dsr, false);
  At(500);
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{100, 160}));
  EXPECT_TRUE(port.ControlLineOn(ControlLine::Dtr));
}

TEST_F(KeyerTest, ReversedPaddleSendsDitsFromCts) {
  keyer.SetSpeed(20);
  keyer.SetReversed(true);
  keyer.ApplyKeyingState(true, 1);
  port.SetStatusLine(StatusLine::Cts, true);
  timers.RunDue();
  port.SetStatusLine(StatusLine::Cts, false);
  At(500);
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{0, 60}));
}

TEST_F(KeyerTest, TransmitsAMessageAndReportsItsEnd) {
  keyer.SetSpeed(20);
  keyer.ApplyKeyingState(true, 1);
  ASSERT_TRUE(keyer.TransmitText("e"));
  EXPECT_TRUE(keyer.State().MessageRunning());
  EXPECT_FALSE(keyer.TransmitText("t"));  // refused while the first runs
  At(1000);
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{50, 110}));
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::Stopped}));
}

TEST_F(KeyerTest, ATextWithNothingToKeyStartsNothing) {
  keyer.ApplyKeyingState(true, 1);
  EXPECT_FALSE(keyer.TransmitText("[]<>"));
  EXPECT_FALSE(keyer.State().MessageRunning());
  EXPECT_EQ(timers.PendingCount(), 0u);
}

TEST_F(KeyerTest, PaddleTouchDuringAMessageStopsItAtTheNextStepAndEndsAutoCq) {
  keyer.SetSpeed(20);
  keyer.ApplyKeyingState(true, 1);
  keyer.ArmAutoCq();
  ASSERT_TRUE(keyer.TransmitText("cq"));  // c: dah 50-230, dit 290-350, ...
  At(300);
  port.SetStatusLine(StatusLine::Cts, true);  // dah contact during the message's dit
  timers.RunDue();
  EXPECT_TRUE(keyer.State().abortRequest);
  EXPECT_FALSE(keyer.State().autoCqPending);
  At(305);
  port.SetStatusLine(StatusLine::Cts, false);
  At(2000);
  // The message's dit (290-350) and the paddle's dah (300-480) share the line: on at 290, the
  // message turns it off at 350, the dah's own key-up at 480 changes nothing. The message stops
  // at its next key-down step (410) and keys nothing more.
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{50, 230, 290, 350}));
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::Stopped}));
  EXPECT_FALSE(keyer.State().MessageRunning());
  EXPECT_FALSE(keyer.State().abortRequest);
}

// A contact held while keying is switched off gets no release event from the closed port; it
// must not keep the keyer repeating its element and key the transmitter once keying is back on.
TEST_F(KeyerTest, AContactHeldWhenKeyingGoesOffIsNotKeyedAfterwards) {
  keyer.SetSpeed(20);
  keyer.ApplyKeyingState(true, 1);
  port.SetStatusLine(StatusLine::Cts, true);  // dah held: dahs at 0, 240, ...
  timers.RunDue();
  At(300);
  keyer.ApplyKeyingState(false, 1);  // during the second dah
  At(1000);
  port.SetStatusLine(StatusLine::Cts, false);  // released while the port is closed
  keyer.ApplyKeyingState(true, 1);
  At(3000);
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{0, 180, 240, 300}));
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Rts));
  // The paddle works as before.
  port.SetStatusLine(StatusLine::Dsr, true);
  timers.RunDue();
  port.SetStatusLine(StatusLine::Dsr, false);
  At(4000);
  EXPECT_EQ(EdgeTimes(ControlLine::Rts), (std::vector<std::int64_t>{0, 180, 240, 300, 3000, 3060}));
}

TEST_F(KeyerTest, AFailedOpenLeavesKeyingOff) {
  FakeSerialPort twoPorts{timers, 2};
  Keyer k{twoPorts, timers};
  EXPECT_THROW(k.ApplyKeyingState(true, 5), SerialPortError);
  EXPECT_FALSE(k.State().keyingActive);
  EXPECT_FALSE(twoPorts.IsOpen());
}

TEST_F(KeyerTest, KeyingOffClosesThePortWithBothLinesOff) {
  keyer.ApplyKeyingState(true, 4);
  keyer.ApplyKeyingState(false, 4);
  EXPECT_FALSE(keyer.State().keyingActive);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Rts));
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Dtr));
}

}  // namespace

// The keyer on its own thread with the window, the port and the keyer thread all taking part:
// a message started from this thread, paddle contacts arriving from another, the end reported
// back. Only the order of events is checked here; timing is measured by ktd-keyer-bench.
TEST(KeyerOnItsThread, PaddleFromAnotherThreadStopsAMessageAndTheEndIsReported) {
  KeyerThread thread;
  FakeSerialPort port{thread};
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<MessageEnd> ends;
  {
    Keyer keyer{port, thread};
    keyer.SetMessageEndHandler([&](MessageEnd how) {
      std::lock_guard lock(mutex);
      ends.push_back(how);
      changed.notify_all();
    });
    keyer.SetSpeed(40);
    keyer.ApplyKeyingState(true, 1);
    keyer.ArmAutoCq();
    ASSERT_TRUE(keyer.TransmitText("cq cq cq de hb9xyz/p hb9xyz/p test"));
    std::thread paddle([&] {
      std::this_thread::sleep_for(std::chrono::milliseconds(300));
      port.SetStatusLine(StatusLine::Dsr, true);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      port.SetStatusLine(StatusLine::Dsr, false);
    });
    {
      std::unique_lock lock(mutex);
      ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(5), [&] { return !ends.empty(); }));
    }
    paddle.join();
    // The paddle's dit ends on the keyer thread, as late as the machine's load makes it.
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while ((keyer.State().MessageRunning() || port.ControlLineOn(ControlLine::Rts)) &&
           std::chrono::steady_clock::now() < giveUp)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(keyer.State().MessageRunning());
    EXPECT_FALSE(keyer.State().autoCqPending);
    EXPECT_FALSE(keyer.State().abortRequest);
    EXPECT_TRUE(keyer.TransmitText("e"));  // a new message may start
    {
      std::unique_lock lock(mutex);
      ASSERT_TRUE(
          changed.wait_for(lock, std::chrono::seconds(5), [&] { return ends.size() == 2; }));
    }
    thread.Stop();
    keyer.ApplyKeyingState(false, 1);
  }
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::Stopped, MessageEnd::Stopped}));
  const auto edges = port.EdgesOf(ControlLine::Rts);
  ASSERT_FALSE(edges.empty());
  EXPECT_FALSE(edges.back().on);
  // The whole message has 204 edges over 11.5 s; it stopped soon after the paddle.
  EXPECT_LT(edges.size(), 60u);
}

// The live window waits on its own thread for a message it replaces to stop; the keyer thread
// keys it and reports the end.
TEST(LiveKeyerThread, AWaitForTheEndOfAnAbortedMessageReturnsWhenItStops) {
  VirtualTimerService clock;  // only stamps the fake port's edges
  LiveKeyer live(std::make_unique<FakeSerialPort>(clock));
  Keyer& keyer = live.keyer();
  keyer.SetSpeed(40);
  EXPECT_FALSE(keyer.WaitForMessageEnd(0, std::chrono::milliseconds(1)));
  // About 30 s of Morse: a wait that returned at its 20 s timeout or at the message's own end
  // would take far longer than one that returned when the aborted message stopped.
  std::string longMessage;
  for (int i = 0; i < 25; ++i) longMessage += "test ";
  ASSERT_TRUE(keyer.TransmitText(longMessage));
  keyer.AbortMessage();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_TRUE(keyer.WaitForMessageEnd(0, std::chrono::seconds(20)));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(keyer.MessagesEnded(), 1u);
  EXPECT_EQ(keyer.LastMessageEnd(), MessagePlayer::MessageEnd::Stopped);
  EXPECT_FALSE(keyer.State().MessageRunning());
}
