#include "keyer/keyer_port.h"

#include <gtest/gtest.h>

#include "keyer/fake_serial_port.h"
#include "keyer/virtual_timer_service.h"

namespace {

struct LineRoleCase {
  bool rtsKeys;
  ControlLine key;
  ControlLine held;
};

void PrintTo(const LineRoleCase& c, std::ostream* os) {
  *os << (c.rtsKeys ? "RTS keys" : "DTR keys");
}

class KeyerPortLineRoles : public ::testing::TestWithParam<LineRoleCase> {
 protected:
  VirtualTimerService clock;
  FakeSerialPort port{clock};
  KeyerPort keyerPort{port, nullptr};
};

TEST_P(KeyerPortLineRoles, KeyLineIdlesOffTheOtherIsHeldOn) {
  const LineRoleCase& c = GetParam();
  keyerPort.SetRtsKeys(c.rtsKeys);
  keyerPort.ApplyKeyingState(true, 3);
  EXPECT_EQ(port.PortNumber(), 3);
  EXPECT_FALSE(port.ControlLineOn(c.key));
  EXPECT_TRUE(port.ControlLineOn(c.held));
  keyerPort.SetKeyDown(true);
  EXPECT_TRUE(port.ControlLineOn(c.key));
  EXPECT_TRUE(port.ControlLineOn(c.held));
  keyerPort.SetKeyDown(false);
  EXPECT_FALSE(port.ControlLineOn(c.key));
  // the key line never went on before the port was set up: its only edges are the keying
  const auto keyEdges = port.EdgesOf(c.key);
  ASSERT_EQ(keyEdges.size(), 2u);
  EXPECT_TRUE(keyEdges[0].on);

  keyerPort.ApplyKeyingState(false, 3);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Rts));
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Dtr));
}

INSTANTIATE_TEST_SUITE_P(Roles, KeyerPortLineRoles,
                         ::testing::Values(LineRoleCase{true, ControlLine::Rts, ControlLine::Dtr},
                                           LineRoleCase{false, ControlLine::Dtr,
                                                        ControlLine::Rts}));

TEST(KeyerPort, ChangingTheLineRoleWhileKeyingSwapsAtOnce) {
  VirtualTimerService clock;
  FakeSerialPort port{clock};
  KeyerPort keyerPort{port, nullptr};
  keyerPort.SetRtsKeys(true);
  keyerPort.ApplyKeyingState(true, 1);
  keyerPort.SetRtsKeys(false);
  keyerPort.ApplyKeyingState(true, 1);
  EXPECT_TRUE(port.ControlLineOn(ControlLine::Rts));
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Dtr));
  keyerPort.SetKeyDown(true);
  EXPECT_TRUE(port.ControlLineOn(ControlLine::Dtr));
}

struct PaddleRoleCase {
  bool reversed;
  StatusLine line;
  bool on;
  PaddleEvent event;
};

void PrintTo(const PaddleRoleCase& c, std::ostream* os) {
  *os << (c.reversed ? "reversed " : "") << (c.line == StatusLine::Cts ? "CTS " : "DSR ")
      << (c.on ? "on" : "off");
}

class KeyerPortPaddleRoles : public ::testing::TestWithParam<PaddleRoleCase> {};

TEST_P(KeyerPortPaddleRoles, MapStatusLinesToDitAndDah) {
  const PaddleRoleCase& c = GetParam();
  VirtualTimerService clock;
  FakeSerialPort port{clock};
  std::vector<PaddleEvent> events;
  KeyerPort keyerPort{port, [&](PaddleEvent e) { events.push_back(e); }};
  keyerPort.SetReversed(c.reversed);
  keyerPort.ApplyKeyingState(true, 1);
  if (!c.on) port.SetStatusLine(c.line, true);
  events.clear();
  port.SetStatusLine(c.line, c.on);
  EXPECT_EQ(events, (std::vector<PaddleEvent>{c.event}));
  EXPECT_EQ(PaddleEventFor(c.line, c.on, c.reversed), c.event);
}

INSTANTIATE_TEST_SUITE_P(
    Roles, KeyerPortPaddleRoles,
    ::testing::Values(PaddleRoleCase{false, StatusLine::Cts, true, PaddleEvent::DahPressed},
                      PaddleRoleCase{false, StatusLine::Cts, false, PaddleEvent::DahReleased},
                      PaddleRoleCase{false, StatusLine::Dsr, true, PaddleEvent::DitPressed},
                      PaddleRoleCase{false, StatusLine::Dsr, false, PaddleEvent::DitReleased},
                      PaddleRoleCase{true, StatusLine::Cts, true, PaddleEvent::DitPressed},
                      PaddleRoleCase{true, StatusLine::Cts, false, PaddleEvent::DitReleased},
                      PaddleRoleCase{true, StatusLine::Dsr, true, PaddleEvent::DahPressed},
                      PaddleRoleCase{true, StatusLine::Dsr, false, PaddleEvent::DahReleased}));

TEST(KeyerPort, NoPaddleEventsOnceKeyingIsOff) {
  VirtualTimerService clock;
  FakeSerialPort port{clock};
  int events = 0;
  KeyerPort keyerPort{port, [&](PaddleEvent) { ++events; }};
  keyerPort.ApplyKeyingState(true, 1);
  keyerPort.ApplyKeyingState(false, 1);
  port.SetStatusLine(StatusLine::Cts, true);
  EXPECT_EQ(events, 0);
}

TEST(KeyerPort, APortThatCannotBeOpenedIsReportedAndLeftClosed) {
  VirtualTimerService clock;
  FakeSerialPort port{clock, 2};
  KeyerPort keyerPort{port, nullptr};
  EXPECT_THROW(keyerPort.ApplyKeyingState(true, 7), SerialPortError);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_FALSE(port.ControlLineOn(ControlLine::Dtr));
  keyerPort.ApplyKeyingState(true, 2);  // a valid choice afterwards works
  EXPECT_TRUE(port.ControlLineOn(ControlLine::Dtr));
}

}  // namespace
