#include "keyer/message_player.h"

#include <gtest/gtest.h>

#include "keyer/keyer_state.h"
#include "keyer/virtual_timer_service.h"
#include "recording_key_line.h"

namespace {

using Pulses = std::vector<KeyPulse>;
using MessageEnd = MessagePlayer::MessageEnd;

class MessagePlayerTest : public ::testing::Test {
 protected:
  MessagePlayerTest() {
    player.SetEndHandler([this](MessageEnd how) {
      ends.push_back(how);
      endTimes.push_back(ToMilliseconds(timers.Now()));
      EXPECT_FALSE(state.MessageRunning());  // counters are reset before the window hears of it
    });
  }
  void At(std::int64_t ms) { timers.Advance(Milliseconds(ms) - timers.Now()); }

  VirtualTimerService timers;
  RecordingKeyLine line{timers};
  KeyerState state;
  MessagePlayer player{timers, line, state};
  std::vector<MessageEnd> ends;
  std::vector<double> endTimes;
};

TEST_F(MessagePlayerTest, KeysTheListOnItsScheduleAndEndsFiftyMsAfterTheLastElement) {
  // "cq" at 20 wpm
  const ElementList cq{-50, 180, -60, 60,  -60, 180, -60, 60, -180,
                       180, -60, 180, -60, 60,  -60, 180, -50};
  At(1000);
  ASSERT_TRUE(player.Start(cq).has_value());
  EXPECT_TRUE(state.MessageRunning());
  EXPECT_EQ(state.messageLastIndex, 16);
  At(3000);
  EXPECT_EQ(line.Pulses(), (Pulses{{1050, 1230},
                                   {1290, 1350},
                                   {1410, 1590},
                                   {1650, 1710},
                                   {1890, 2070},
                                   {2130, 2310},
                                   {2370, 2430},
                                   {2490, 2670}}));
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::Stopped}));
  EXPECT_EQ(endTimes, (std::vector<double>{2720}));
  EXPECT_FALSE(state.MessageRunning());
  EXPECT_EQ(state.messageCurrentIndex, 0);
}

TEST_F(MessagePlayerTest, AbortDuringADahLetsItFinishAndSendsNothingMore) {
  const ElementList tt{-50, 200, -200, 200, -50};  // "tt" at 18 wpm
  state.autoCqPending = true;
  ASSERT_TRUE(player.Start(tt));
  At(150);
  state.abortRequest = true;
  At(2000);
  EXPECT_EQ(line.Pulses(), (Pulses{{50, 250}}));
  EXPECT_FALSE(line.IsDown());
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::Stopped}));
  EXPECT_EQ(endTimes, (std::vector<double>{450}));  // the next key-down step
  EXPECT_FALSE(state.abortRequest);
  EXPECT_TRUE(state.autoCqPending);  // the player leaves auto-CQ to whoever aborted
}

TEST_F(MessagePlayerTest, AnAbortRequestBeforeTheFirstStepSendsNothing) {
  state.abortRequest = true;
  ASSERT_TRUE(player.Start({-50, 60, -50}));
  At(500);
  EXPECT_TRUE(line.Pulses().empty());
  EXPECT_EQ(ends.size(), 1u);
  EXPECT_FALSE(state.abortRequest);
}

TEST_F(MessagePlayerTest, ASecondMessageIsRefusedWhileOneRuns) {
  ASSERT_TRUE(player.Start({-50, 60, -50}));
  At(20);
  EXPECT_FALSE(player.Start({-50, 180, -50}));
  At(500);
  EXPECT_EQ(line.Pulses(), (Pulses{{50, 110}}));
  ASSERT_TRUE(player.Start({-50, 180, -50}));  // accepted again once the first has ended
  At(1000);
  EXPECT_EQ(line.Pulses(), (Pulses{{50, 110}, {550, 730}}));
  EXPECT_EQ(ends.size(), 2u);
}

TEST_F(MessagePlayerTest, AListEndingKeyDownEndsAtTheKeyUpStepWithoutTheModeLabel) {
  ASSERT_TRUE(player.Start({-50, 60, -60, 180}));
  At(1000);
  EXPECT_EQ(line.Pulses(), (Pulses{{50, 110}, {170, 350}}));
  EXPECT_EQ(ends, (std::vector<MessageEnd>{MessageEnd::LastElementKeyed}));
  EXPECT_EQ(endTimes, (std::vector<double>{350}));
}

TEST_F(MessagePlayerTest, RefusesListsThatAreNotElementLists) {
  for (const ElementList& bad : std::vector<ElementList>{
           {}, {-50}, {60, -50}, {-50, 60, 60, -50}, {-50, -60, 60}, {-50, 0, -50}}) {
    EXPECT_FALSE(player.Start(bad));
    EXPECT_FALSE(state.MessageRunning());
  }
  EXPECT_EQ(timers.PendingCount(), 0u);
}

}  // namespace
