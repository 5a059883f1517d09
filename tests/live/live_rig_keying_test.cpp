// The live-entry model keying through rigctld (a fake one, on virtual time): whole QSOs, stops,
// the connection's failures, and mode following. The rig keyer against the real rigctld is
// tested in tests/keyer/rig_keyer_rigctld_test.cpp.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "live/live_model_driver.h"

namespace {

using Code = LiveKey::Code;
using Box = LiveEntryModel::CheckBox;
using Call = FakeRigClient::Call;

class LiveRigKeying : public ::testing::Test {
 protected:
  LiveRigKeying() : live(20, "HB9XYZ/P") {
    live.AddStations("stns1", {"HB9ABC/P"});
    TSQLiteDatabase db(live.ctx.logDbFile);
    db.ExecSQL("INSERT INTO stns2 VALUES ('HB9ABC/P', 'HB9ABC', 'Anna')");
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9ABC/P', 'HB9ABC', 'ROTE ROSEN IM GARTEN')");
    live.model->Show();
    live.model->CheckBoxClicked(Box::ViaRigctld, true);
  }
  // F6, and rigctld answers.
  void KeyingOn() {
    live.Function(6);
    live.Advance(0);
    ASSERT_TRUE(live.model->KeyingActive());
    live.rigClient.ClearCalls();
  }
  // The texts handed to the rig since the last look, and the stops asked for ("stop").
  std::vector<std::string> Sent() {
    live.Advance(0);  // what the window handed over reaches the rig
    std::vector<std::string> sent;
    for (const std::string& call : live.rigClient.Calls()) {
      if (call.rfind("send ", 0) == 0) sent.push_back(call.substr(5));
      if (call == "stop") sent.push_back(call);
    }
    live.rigClient.ClearCalls();
    return sent;
  }
  bool Running() const { return live.model->Keying().MessageRunning(); }
  LiveModelDriver live;
};

struct QsoCase {
  const char* name;
  bool cqMode;
  std::vector<std::string> sent;
};

class LiveRigQso : public LiveRigKeying, public ::testing::WithParamInterface<QsoCase> {};

TEST_P(LiveRigQso, KeysEachMessageOfTheQsoThroughTheRigAndNeverOpensThePort) {
  KeyingOn();
  EXPECT_FALSE(live.View().farnsworth.enabled);  // the rig times its own CW
  EXPECT_FALSE(live.View().reverse.enabled);     // and keys its own paddle
  if (GetParam().cqMode) {
    live.Press(Code::Space);  // the CQ
    live.FinishMessage();
  }
  live.Type("ABC  ");       // copy HB9ABC/P, confirm
  live.Press(Code::Space);  // report sent
  live.FinishMessage();
  live.Press(Code::Space);
  live.Type("GRUESSE");
  live.Press(Code::Enter);
  live.FinishMessage();
  EXPECT_EQ(Sent(), GetParam().sent);
  EXPECT_FALSE(live.port.IsOpen());
  EXPECT_EQ(live.LogRows().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Modes, LiveRigQso,
    ::testing::Values(
        QsoCase{"Cq",
                true,
                {"TEST DE HB9XYZ/P", "HB9ABC/P GM ANNA 5NN  ROTE ROSEN IM GARTEN +",
                 "QSL 73 GL DE HB9XYZ/P TEST"}},
        QsoCase{"SearchAndPounce", false, {"HB9XYZ/P", "QSL ANNA 5NN  ROTE ROSEN IM GARTEN +"}}),
    [](const auto& info) { return std::string(info.param.name); });

struct StopCase {
  const char* name;
  RigStatus stopReply;
  int function;  // 0: Esc
  std::vector<std::string> sent;
};

class LiveRigStop : public LiveRigKeying, public ::testing::WithParamInterface<StopCase> {};

TEST_P(LiveRigStop, StopsTheRunningCqAndSendsWhatReplacesIt) {
  live.rigClient.Answer(Call::Stop, {GetParam().stopReply, {}});
  KeyingOn();
  live.Press(Code::Space, true);  // the long CQ
  live.Advance(100);
  ASSERT_TRUE(Running());
  if (GetParam().function == 0) {
    live.Press(Code::Escape);
  } else {
    live.Function(GetParam().function);
  }
  live.FinishMessage();
  EXPECT_EQ(Sent(), GetParam().sent);
  EXPECT_TRUE(live.model->KeyingActive());  // "not available" is an answer, not a loss
}

INSTANTIATE_TEST_SUITE_P(
    Keys, LiveRigStop,
    ::testing::Values(
        StopCase{"Escape", RigStatus::Ok, 0, {"CQ KTD DE HB9XYZ/P TEST", "stop"}},
        StopCase{"F1", RigStatus::Ok, 1, {"CQ KTD DE HB9XYZ/P TEST", "stop", "HB9XYZ/P"}},
        // F1 on a rig that keys on: the own call follows once the CQ has had its computed time.
        StopCase{"F1OnARigThatCannotStop",
                 RigStatus::NotAvailable,
                 1,
                 {"CQ KTD DE HB9XYZ/P TEST", "stop", "HB9XYZ/P"}},
        StopCase{"SearchAndPounce", RigStatus::Ok, 10, {"CQ KTD DE HB9XYZ/P TEST", "stop"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(LiveRigKeying, ARefusedConnectionLeavesKeyingOffAndSaysWhy) {
  live.rigClient.Answer(Call::Open, RigReply::Failed("localhost:4532: Connection refused"));
  live.Function(6);
  EXPECT_FALSE(live.model->KeyingActive());  // not before rigctld has answered
  live.Advance(0);
  EXPECT_EQ(live.model->TakeKeyingFailure(), "localhost:4532: Connection refused");
  EXPECT_FALSE(live.View().tastung.checked);
  EXPECT_FALSE(live.model->KeyingActive());
  EXPECT_FALSE(live.port.IsOpen());
  EXPECT_TRUE(live.View().viaRigctld.enabled);
}

TEST_F(LiveRigKeying, ALostConnectionTurnsKeyingOffWithAWarningAndF6Reconnects) {
  KeyingOn();
  live.rigClient.Answer(Call::Wait, RigReply::Failed("rigctld: Verbindung beendet"));
  live.Press(Code::Space);
  live.FinishMessage();
  EXPECT_FALSE(Running());
  EXPECT_FALSE(live.model->KeyingActive());
  EXPECT_FALSE(live.View().tastung.checked);
  EXPECT_EQ(live.View().keyingWarning, "Tastung aus: rigctld antwortet nicht");
  EXPECT_FALSE(live.model->TakeKeyingFailure());  // no box: the label tells

  live.rigClient.Answer(Call::Wait, RigReply::Ok());
  live.rigClient.ClearCalls();
  KeyingOn();
  EXPECT_TRUE(live.View().keyingWarning.empty());
  live.Press(Code::Space);
  EXPECT_EQ(Sent(), std::vector<std::string>{"TEST DE HB9XYZ/P"});
}

TEST_F(LiveRigKeying, ModeFollowingWithoutRigctldTriesAgainNowAndThen) {
  live.model->CheckBoxClicked(Box::ViaRigctld, false);
  live.rigClient.Answer(Call::Open, RigReply::Failed("localhost:4532: Connection refused"));
  live.model->CheckBoxClicked(Box::FollowRig, true);
  live.Advance(0);
  EXPECT_FALSE(live.model->TakeKeyingFailure());  // no box for mode following
  live.rigClient.Answer(Call::Open, RigReply::Ok());
  live.rigClient.SetMode("USB");
  for (int tick = 0; tick < 6; ++tick) {
    live.model->RigModeTimerTick();
    live.Advance(0);
  }
  EXPECT_TRUE(live.View().ssb.checked);
  live.model->CheckBoxClicked(Box::FollowRig, false);  // nothing needs rigctld any more
  live.Advance(0);
  EXPECT_EQ(live.rigClient.Calls().back(), "close");
}

TEST_F(LiveRigKeying, TheRigsModeIsFollowedBetweenQsosOnly) {
  KeyingOn();
  live.model->CheckBoxClicked(Box::FollowRig, true);
  const auto poll = [&] {
    for (int tick = 0; tick < 6; ++tick) {
      live.model->RigModeTimerTick();
      live.Advance(0);
    }
  };
  live.Type("HB9DEF");
  live.rigClient.SetMode("USB");
  poll();
  EXPECT_FALSE(live.View().ssb.checked);  // not in the middle of a QSO
  live.Press(Code::Escape);
  poll();
  EXPECT_TRUE(live.View().ssb.checked);
  EXPECT_FALSE(live.model->KeyingActive());  // keying is for CW only
  live.rigClient.SetMode("CW");
  poll();
  EXPECT_FALSE(live.View().ssb.checked);
  EXPECT_TRUE(live.model->KeyingActive());
}

}  // namespace
