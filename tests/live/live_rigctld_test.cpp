// The live-entry model keying through the real rigctld with Hamlib's dummy transceiver (Debian:
// libhamlib-utils), started on a free port: the texts and the stop of a CQ and a whole QSO as
// rigctld logs them (at trace level, -vvvvv), the dummy's mode followed only between QSOs, and
// rigctld killed.

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>

#include "live/live_model_driver.h"
#include "support/rigctld_process.h"

namespace {

using Code = LiveKey::Code;
using Box = LiveEntryModel::CheckBox;

TEST(LiveWithRigctld, KeysAQsoFollowsTheModeBetweenQsosAndTurnsKeyingOffWhenRigctldDies) {
  const std::string rigctld = FindProgram("rigctld");
  const std::string rigctl = FindProgram("rigctl");
  if (rigctld.empty() || rigctl.empty()) {
    GTEST_SKIP() << "rigctld is not installed (Debian: libhamlib-utils)";
  }
  LiveRigKeyer rig;
  LiveModelDriver live(20, "HB9XYZ/P", &rig.keyer());
  const std::string log = live.folder / "rigctld.log";
  const std::string port = std::to_string(FreePort());
  Child daemon({rigctld, "-m", "1", "-t", port, "-vvvvv"}, log);
  ASSERT_TRUE(daemon.Started());
  ASSERT_TRUE(Eventually([&] { return Listening(std::stoi(port)); }));
  // rigctld writes its log on its own time: what it logs is waited for, not expected at once.
  const auto logged = [&](const std::string& text) { return FileContains(log, text); };
  // The window's thread: it takes the reports while waiting.
  const auto until = [&](const std::function<bool()>& condition) {
    return Eventually([&] {
      live.Pump();
      return condition();
    });
  };
  const auto setMode = [&](const char* mode) {
    Child setter({rigctl, "-m", "2", "-r", "localhost:" + port, "M", mode, "0"},
                 live.folder / "rigctl.log");
    return setter.Wait() == 0;
  };
  const auto messageEnded = [&] { return !live.model->Keying().MessageRunning(); };

  live.AddStations("stns1", {"HB9ABC/P"});
  {
    TSQLiteDatabase db(live.ctx.logDbFile);
    db.ExecSQL("INSERT INTO stns2 VALUES ('HB9ABC/P', 'HB9ABC', 'Anna')");
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9ABC/P', 'HB9ABC', 'ROTE ROSEN IM GARTEN')");
  }
  live.model->Show();
  live.model->CheckBoxClicked(Box::ViaRigctld, true);
  live.model->FocusMovedTo(LiveField::RigAddress);
  live.model->TextEdited(LiveField::RigAddress, "localhost:" + port);
  live.model->FocusMovedTo(LiveField::WpM);
  live.model->TextEdited(LiveField::WpM, "40");
  live.model->FocusMovedTo(LiveField::Callsign);
  // A daemon that has just started listening may still turn the first connection away: F6 again,
  // as the operator would after the message.
  for (int attempt = 0; attempt < 5 && !live.model->KeyingActive(); ++attempt) {
    live.Function(6);
    std::optional<std::string> failure;
    until([&] {
      if (live.model->KeyingActive()) return true;
      failure = live.model->TakeKeyingFailure();
      return failure.has_value();
    });
    if (failure) {
      std::fprintf(stderr, "keying refused: %s\n", failure->c_str());
      std::this_thread::sleep_for(std::chrono::milliseconds(500));
    }
  }
  ASSERT_TRUE(live.model->KeyingActive());

  // A CQ, stopped by Esc: the dummy cannot stop and keys on to its computed end.
  live.Press(Code::Space);
  ASSERT_TRUE(until([&] { return logged("TEST DE HB9XYZ/P"); }));
  live.Press(Code::Escape);
  ASSERT_TRUE(until(messageEnded));
  EXPECT_TRUE(until([&] { return logged("cmd=stop_morse"); }));
  EXPECT_TRUE(until([&] { return logged("KEYSPD 40"); }));

  // A whole QSO in CQ mode.
  live.Press(Code::Space);
  ASSERT_TRUE(until(messageEnded));
  live.Type("ABC  ");
  live.Press(Code::Space);
  ASSERT_TRUE(until(messageEnded));
  EXPECT_TRUE(until([&] { return logged("HB9ABC/P GM ANNA 5NN  ROTE ROSEN IM GARTEN +"); }));
  live.Press(Code::Space);
  live.Press(Code::Enter);
  ASSERT_TRUE(until(messageEnded));
  EXPECT_TRUE(until([&] { return logged("QSL 73 GL DE HB9XYZ/P TEST"); }));
  EXPECT_EQ(live.LogRows().size(), 1u);

  // Mode following: not in the middle of a QSO, at once between QSOs.
  live.model->CheckBoxClicked(Box::FollowRig, true);
  live.Type("HB9DEF");
  ASSERT_TRUE(setMode("USB"));
  const int before = live.modeReports;
  ASSERT_TRUE(until([&] {
    live.model->RigModeTimerTick();
    return live.modeReports >= before + 2;
  }));
  EXPECT_FALSE(live.View().ssb.checked);
  live.Press(Code::Escape);
  ASSERT_TRUE(until([&] {
    live.model->RigModeTimerTick();
    return live.View().ssb.checked;
  }));
  EXPECT_FALSE(live.model->KeyingActive());  // keying is for CW only
  ASSERT_TRUE(setMode("CW"));
  ASSERT_TRUE(until([&] {
    live.model->RigModeTimerTick();
    return !live.View().ssb.checked;
  }));
  EXPECT_TRUE(live.model->KeyingActive());

  // rigctld killed: keying goes off with the warning; the model never waits for the rig.
  daemon.Kill();
  const auto start = std::chrono::steady_clock::now();
  live.Press(Code::Space);
  live.model->RigModeTimerTick();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(5));
  ASSERT_TRUE(until([&] { return !live.model->KeyingActive(); }));
  EXPECT_EQ(live.View().keyingWarning, "Tastung aus: rigctld antwortet nicht");
  EXPECT_FALSE(live.View().tastung.checked);
}

}  // namespace
