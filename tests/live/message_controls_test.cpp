// The operating messages on their own: a keyer on virtual time and a fake port, the view as the
// live window starts with it, and a script of actions; then what was keyed and what the window
// shows.

#include "live/message_controls.h"

#include <gtest/gtest.h>

#include <vector>

#include "keyer/fake_serial_port.h"
#include "keyer/keyer.h"
#include "keyer/virtual_timer_service.h"
#include "live/live_view.h"

namespace {

using namespace live_colour;

enum class Do {
  ToggleCq,      // F10
  AutoCqOn,      // F9: the CQ starts at once
  Cq,            // Space in the empty callsign field
  SlowMessage,   // EditMSG "E  E" at 10 wpm: a pause of 1680 ms between the two letters
  Qrz,           // F2
  Wait300,       // 300 ms
  Paddle,        // the dit contact closed and opened
  Finish,        // the running message plays to its end
  UntilStopped,  // until the running message has stopped
  WatchDogTick,
};

// What is going on at the end: a message being keyed, the watchdog counting (30 s), the automatic
// CQ to go on (Timer2, 2 s).
enum EndState : unsigned { kIdle = 0, kRunning = 1, kWatchDog = 2, kAutoCq = 4 };

struct Script {
  const char* name;
  std::vector<Do> steps;
  const char* keyed;  // the text last handed to the converter
  const char* label;  // LabelMSG and its font colour
  std::uint32_t labelFont;
  unsigned state;
};

void PrintTo(const Script& s, std::ostream* os) {
  *os << s.name;
}

class MessageScript : public ::testing::TestWithParam<Script> {
 protected:
  MessageScript() {
    keyer.SetMessageEndHandler([this](MessagePlayer::MessageEnd how) {
      controls.MessageEnded(how, keyer.MessagesEnded());
    });
    keyer.ApplyKeyingState(true, 1);
    view.msgLabel = {"Modus : S+P", true, kWhite, kBlue};
    controls.Show();
  }

  void Run(Do step) {
    switch (step) {
      case Do::ToggleCq:
        view.cq.checked = !view.cq.checked;
        controls.OperatingModeSwitch();
        break;
      case Do::AutoCqOn:
        view.autoCq.checked = true;
        controls.AutoCqClicked(true);
        break;
      case Do::Cq:
        controls.SendCq();
        break;
      case Do::SlowMessage:
        view.speed = keyer.SetSpeed(10);
        view.msg.text = "E  E";
        controls.MessageAction(true);
        break;
      case Do::Qrz:
        controls.FunctionKey(2, "", false);
        break;
      case Do::Wait300:
        timers.AdvanceMs(300);
        break;
      case Do::Paddle:
        port.SetStatusLine(StatusLine::Dsr, true);
        port.SetStatusLine(StatusLine::Dsr, false);
        break;
      case Do::Finish:
        for (int ms = 0; ms < 60000 && keyer.State().MessageRunning(); ms += 10) {
          timers.AdvanceMs(10);
        }
        timers.AdvanceMs(1);
        break;
      case Do::UntilStopped:
        for (const auto ended = keyer.MessagesEnded(); keyer.MessagesEnded() == ended;) {
          timers.AdvanceMs(1);
        }
        break;
      case Do::WatchDogTick:
        controls.WatchDogTick();
        break;
    }
  }

  VirtualTimerService timers;
  FakeSerialPort port{timers, 1};
  Keyer keyer{port, timers};
  LiveView view;
  const std::string own = "HB9XYZ/P";
  MessageControls controls{keyer, view, own, [this](std::uint64_t endedBefore, int maxMs) {
                             for (int ms = 0; ms < maxMs && keyer.MessagesEnded() <= endedBefore;
                                  ++ms) {
                               timers.AdvanceMs(1);
                             }
                           }};
};

TEST_P(MessageScript, KeysAndShows) {
  const Script& s = GetParam();
  for (Do step : s.steps) Run(step);
  EXPECT_EQ(keyer.Converter().Text(), s.keyed);
  EXPECT_EQ(view.msgLabel.text, s.label);
  EXPECT_EQ(view.msgLabel.font, s.labelFont);
  EXPECT_EQ(keyer.State().MessageRunning(), (s.state & kRunning) != 0);
  EXPECT_EQ(view.watchDog.running, (s.state & kWatchDog) != 0);
  EXPECT_EQ(view.watchDog.intervalMs, (s.state & kWatchDog) != 0 ? 30000 : 0);
  EXPECT_EQ(keyer.State().autoCqPending, (s.state & kAutoCq) != 0);
  EXPECT_EQ(view.autoCqTimer.running, (s.state & kAutoCq) != 0);
}

const char* const kQrz = "qrz? de hb9xyz/p";

INSTANTIATE_TEST_SUITE_P(
    Messages, MessageScript,
    ::testing::Values(
        Script("CqModeRunsTheWatchdog", {Do::ToggleCq}, "", "Modus : CQ", kWhite, kWatchDog),
        Script("AnIdleWatchdogSwitchesToSearchAndPounce", {Do::ToggleCq, Do::WatchDogTick}, "",
               "Modus : S+P", kBlue, kIdle),
        // The replaced message's end leaves the label alone.
        Script("F2ReplacesTheRunningCq", {Do::Cq, Do::Wait300, Do::Qrz}, kQrz, "QRZ? DE HB9XYZ/P",
               kWhite, kRunning),
        Script("TheReplacingMessageEndsInCqMode", {Do::Cq, Do::Wait300, Do::Qrz, Do::Finish}, kQrz,
               "Modus : CQ", kWhite, kWatchDog),
        // The wait of 1000 ms ends before the pause does: F2 waits for the stop.
        Script("F2InALongSpaceWaits", {Do::SlowMessage, Do::Wait300, Do::Qrz}, "e  e", "E  E",
               kBlue, kRunning),
        Script("F2InALongSpaceIsSentOnceTheRunningMessageStops",
               {Do::SlowMessage, Do::Wait300, Do::Qrz, Do::UntilStopped}, kQrz, "QRZ? DE HB9XYZ/P",
               kBlue, kRunning),
        Script("ThePaddleStopsAMessageAndTheAutomaticCq",
               {Do::AutoCqOn, Do::Wait300, Do::Paddle, Do::Finish}, "test de hb9xyz/p",
               "Modus : CQ", kWhite, kWatchDog)),
    [](const auto& info) { return info.param.name; });

}  // namespace
