#include "keyer/iambic_keyer.h"

#include <gtest/gtest.h>

#include "keyer/keyer_state.h"
#include "keyer/virtual_timer_service.h"
#include "recording_key_line.h"

namespace {

using Pulses = std::vector<KeyPulse>;

class IambicKeyerTest : public ::testing::Test {
 protected:
  VirtualTimerService timers;
  RecordingKeyLine line{timers};
  KeyerState state;
  IambicKeyer keyer{timers, line, state};

  // Runs time forward to the absolute time ms.
  void At(std::int64_t ms) { timers.Advance(Milliseconds(ms) - timers.Now()); }
  void SetWpm(int wpm) { state.speedWpm = wpm; }
};

TEST_F(IambicKeyerTest, DitTapKeysOneDitAndTheNextElementMayStartOnePeriodLater) {
  SetWpm(20);
  keyer.DitPressed();
  At(10);
  keyer.DitReleased();
  At(100);
  EXPECT_EQ(keyer.Running(), IambicKeyer::Element::Dit);  // still in the dit's space
  keyer.DitPressed();                                     // waits for the element end
  At(119);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 60}}));
  At(125);
  keyer.DitReleased();
  At(400);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 60}, {120, 180}}));
  EXPECT_EQ(keyer.Running(), IambicKeyer::Element::None);
}

TEST_F(IambicKeyerTest, APressWhileIdleStartsAtOnce) {
  SetWpm(20);
  At(37);
  keyer.DahPressed();
  EXPECT_TRUE(line.IsDown());
  keyer.DahReleased();
  At(1000);
  EXPECT_EQ(line.Pulses(), (Pulses{{37, 217}}));
}

TEST_F(IambicKeyerTest, HoldingDahRepeatsDahsWithOneDitOfSpace) {
  SetWpm(18);
  keyer.DahPressed();
  At(1000);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 200}, {267, 467}, {534, 734}, {801, -1}}));
  keyer.DahReleased();
  At(2000);
  EXPECT_EQ(line.Pulses().back(), (KeyPulse{801, 1001}));
  EXPECT_EQ(line.Pulses().size(), 4u);
}

TEST_F(IambicKeyerTest, HoldingDitRepeatsDits) {
  SetWpm(32);
  keyer.DitPressed();
  At(200);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 38}, {75, 113}, {150, 188}}));
}

TEST_F(IambicKeyerTest, SqueezeAlternatesStartingWithThePaddleClosedFirst) {
  SetWpm(25);
  keyer.DitPressed();
  At(5);
  keyer.DahPressed();
  At(600);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 48}, {96, 240}, {288, 336}, {384, 528}, {576, -1}}));
}

TEST_F(IambicKeyerTest, SqueezeBeginningWithDahStartsWithDah) {
  SetWpm(25);
  keyer.DahPressed();
  At(20);
  keyer.DitPressed();
  At(400);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 144}, {192, 240}, {288, -1}}));
}

TEST_F(IambicKeyerTest, DitTappedDuringADahFollowsOnceAfterIt) {
  SetWpm(20);
  keyer.DahPressed();
  At(50);
  keyer.DitPressed();
  At(100);
  keyer.DitReleased();
  At(150);
  keyer.DahReleased();
  At(1000);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 180}, {240, 300}}));
}

TEST_F(IambicKeyerTest, DahTappedDuringAHeldDitStreamIsInsertedOnce) {
  SetWpm(20);
  keyer.DitPressed();
  At(20);
  keyer.DahPressed();
  At(40);
  keyer.DahReleased();
  At(500);
  // dit, the remembered dah, then dits again while the dit paddle is held
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 60}, {120, 300}, {360, 420}, {480, -1}}));
}

TEST_F(IambicKeyerTest, ReleasingDitWhileDahIsHeldSendsOneMoreDit) {
  SetWpm(20);
  keyer.DahPressed();  // dah 0-180, next element at 240
  At(100);
  keyer.DitPressed();  // squeeze: dit at 240, dah at 360
  At(400);
  keyer.DitReleased();  // during the dah at 360: the dit memory is set
  At(900);
  // ... dah, the remembered dit, then dahs again while the dah paddle is held
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 180}, {240, 300}, {360, 540}, {600, 660}, {720, 900}}));
}

TEST_F(IambicKeyerTest, SpeedChangeDuringADahAppliesFromTheNextElement) {
  SetWpm(20);
  keyer.DahPressed();
  At(100);
  SetWpm(30);
  At(450);
  // 180 ms dah at 20 wpm, then 120 ms dahs every 160 ms at 30 wpm
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 180}, {240, 360}, {400, -1}}));
}

TEST_F(IambicKeyerTest, ReleaseBeforeTheEndStopsAfterTheRunningElement) {
  SetWpm(40);
  keyer.DitPressed();
  At(100);  // dits at 0 and 60
  keyer.DitReleased();
  At(500);
  EXPECT_EQ(line.Pulses(), (Pulses{{0, 30}, {60, 90}}));
  EXPECT_EQ(keyer.Running(), IambicKeyer::Element::None);
}

TEST_F(IambicKeyerTest, PaddleDuringAMessageRequestsAbortAndEndsAutoCq) {
  state.messageLastIndex = 16;
  state.messageCurrentIndex = 3;
  state.autoCqPending = true;
  keyer.DitPressed();
  EXPECT_TRUE(state.abortRequest);
  EXPECT_FALSE(state.autoCqPending);
}

TEST_F(IambicKeyerTest, PaddleWithoutAMessageLeavesAutoCqAlone) {
  state.autoCqPending = true;
  keyer.DahPressed();
  EXPECT_FALSE(state.abortRequest);
  EXPECT_TRUE(state.autoCqPending);
}

}  // namespace
