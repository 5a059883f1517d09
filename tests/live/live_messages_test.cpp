// The operating messages in the live-entry model, keyed on virtual time through the real keyer
// and a fake port: what the converter gets, when it is keyed, the automatic CQ and the watchdog.

#include <gtest/gtest.h>

#include <cstdlib>

#include "keyer/morse_converter.h"
#include "live/live_model_driver.h"

namespace {

using Code = LiveKey::Code;
using Box = LiveEntryModel::CheckBox;

class LiveMessages : public ::testing::Test {
 protected:
  LiveMessages() : live(20, "HB9XYZ/P") {
    live.AddStations("stns1", {"HB9ABC/P"});
    TSQLiteDatabase db(live.ctx.logDbFile);
    db.ExecSQL("INSERT INTO stns2 VALUES ('HB9ABC/P', 'HB9ABC', 'Anna')");
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9ABC/P', 'HB9ABC', 'ROTE ROSEN IM GARTEN')");
    live.model->Show();
    live.Function(8);  // Farnsworth off (a fresh log has it on)
    live.Function(6);  // keying on
  }
  bool Running() const { return live.keyer.State().MessageRunning(); }
  // Durations (ms) between the edges of the key line, as keyed on the port.
  std::vector<std::int32_t> KeyedDurations() const {
    std::vector<std::int32_t> durations;
    const auto edges = live.port.EdgesOf(ControlLine::Dtr);  // a fresh log: DTR keys
    for (size_t i = 1; i < edges.size(); ++i) {
      durations.push_back(static_cast<std::int32_t>(
          std::chrono::duration_cast<std::chrono::milliseconds>(edges[i].time - edges[i - 1].time)
              .count()));
    }
    return durations;
  }
  LiveModelDriver live;
};

TEST_F(LiveMessages, AWholeCqQsoKeysCqReportAndFinalInOrder) {
  live.port.ClearEdges();
  live.Press(Code::Space);
  EXPECT_EQ(live.Keyed(), "test de hb9xyz/p");
  EXPECT_TRUE(live.View().cq.checked);
  EXPECT_FALSE(live.View().ssb.enabled);  // while the message runs
  // The key line carries exactly the converted message.
  TMorse converter;
  converter.SetFarnsworth(true);
  converter.SetSpeed(live.keyer.Speed());
  converter.SetCharacterSpeed(live.keyer.Speed());
  converter.SetText("test de hb9xyz/p");
  ElementList expected;
  ASSERT_TRUE(converter.Convert(expected));
  live.FinishMessage();
  std::vector<std::int32_t> between;  // every element and space but the lead-in and the tail
  for (size_t i = 1; i + 1 < expected.size(); ++i) between.push_back(std::abs(expected[i]));
  EXPECT_EQ(KeyedDurations(), between);
  EXPECT_EQ(live.View().msgLabel.text, "Modus : CQ");
  EXPECT_TRUE(live.View().watchDog.running);

  live.Type("ABC  ");       // copy HB9ABC/P, confirm
  live.Press(Code::Space);  // report sent: the report message
  EXPECT_EQ(live.Keyed(), "hb9abc/p gm anna 5nn  rote rosen im garten +");
  EXPECT_EQ(live.View().msg.text, "ROTE ROSEN IM GARTEN");
  live.FinishMessage();
  live.Press(Code::Space);
  live.Type("GRUESSE");
  live.Press(Code::Enter);
  EXPECT_EQ(live.Keyed(), "qsl 73 gl de hb9xyz/p test");
  EXPECT_EQ(
      live.LogRows(),
      (std::vector<std::string>{"0710|HB9ABC/P|599|ROTE ROSEN IM GARTEN|599|GRUESSE|0|0|1|0|0"}));
}

TEST_F(LiveMessages, CtrlSpaceAdvancesWithoutKeying) {
  live.Type("ABC  ");
  live.Press(Code::Space, false, true);
  EXPECT_EQ(live.Focus(), LiveField::RstRcvd);
  EXPECT_FALSE(Running());
  live.model->FocusMovedTo(LiveField::RstSent);
  live.Press(Code::Space);  // the next transmission is not affected
  EXPECT_TRUE(Running());
}

TEST_F(LiveMessages, ShiftSpaceSendsTheLongCqOnceEvenWithAutoCq) {
  live.model->CheckBoxClicked(Box::AutoCq, true);  // starts a CQ at once
  live.FinishMessage();
  ASSERT_TRUE(live.View().autoCqTimer.running);
  live.model->AutoCqTimerTick();
  live.FinishMessage();
  live.Press(Code::Space, true);
  EXPECT_EQ(live.Keyed(), "cq ktd de hb9xyz/p test");
  live.FinishMessage();
  EXPECT_FALSE(live.View().autoCqTimer.running);
}

TEST_F(LiveMessages, AutoCqRepeatsAfterEachEndUntilAKeyInTheCallsign) {
  live.Function(9);  // Auto-CQ on: the CQ starts at once
  EXPECT_EQ(live.Keyed(), "test de hb9xyz/p");
  for (int repeat = 0; repeat < 3; ++repeat) {
    live.FinishMessage();
    ASSERT_TRUE(live.View().autoCqTimer.running);
    EXPECT_EQ(live.View().autoCqTimer.intervalMs, 2000);
    live.model->AutoCqTimerTick();
    EXPECT_TRUE(Running()) << repeat;
  }
  live.Type("D");  // a key in the callsign field: no more CQs; the running one is aborted
  live.FinishMessage();
  live.model->AutoCqTimerTick();
  EXPECT_FALSE(Running());
  EXPECT_FALSE(live.View().autoCqTimer.running);
}

TEST_F(LiveMessages, SearchAndPounceAbortsTheNextMessageUntilAFieldIsLeft) {
  live.Function(10);
  live.Function(10);  // S+P leaves the abort request set: the next message keys nothing
  live.Function(1);
  live.FinishMessage();
  EXPECT_TRUE(live.port.EdgesOf(ControlLine::Dtr).empty());
  live.Type("ABC  ");  // leaving the callsign field clears it
  live.Press(Code::Space);
  EXPECT_EQ(live.Keyed(), "hb9xyz/p");  // S+P: the report message is the own call
  live.FinishMessage();
  EXPECT_FALSE(live.port.EdgesOf(ControlLine::Dtr).empty());
}

TEST_F(LiveMessages, F4WithAnEmptyMessageFieldGoesThereAndBack) {
  live.model->TextEdited(LiveField::Msg, "");
  live.Function(4);
  EXPECT_EQ(live.Focus(), LiveField::Msg);
  live.Function(4);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  live.Function(5);
  live.Type("Tu \xC4h");  // umlauts become two letters at the end of the field
  EXPECT_EQ(live.View().msg.text, "Tu Aeh");
  live.Press(Code::Enter);
  EXPECT_EQ(live.Keyed(), "tu aeh");
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
}

TEST_F(LiveMessages, EscAndTheWatchdogLeaveTheMessageFieldAndTheLoopAsTheyShould) {
  live.Function(9);  // Auto-CQ
  live.FinishMessage();
  live.Press(Code::Escape);  // between two repetitions: no more CQs
  live.model->AutoCqTimerTick();
  EXPECT_FALSE(Running());
  live.Function(5);
  live.Type("QRL");
  live.model->WatchDogTick();  // S+P, but the typing stays where it is
  EXPECT_FALSE(live.View().cq.checked);
  EXPECT_EQ(live.Focus(), LiveField::Msg);
  live.model->TextEdited(LiveField::Msg, "");
  live.Function(1);
  live.Function(4);  // an empty message field takes the focus even while a message runs
  EXPECT_EQ(live.Focus(), LiveField::Msg);
}

TEST_F(LiveMessages, F2AsksToRepeatInTheReceivedText) {
  live.Type("ABC  ");
  live.Press(Code::Space, false, true);  // no report message
  live.Press(Code::Space);
  ASSERT_EQ(live.Focus(), LiveField::TextRcvd);
  EXPECT_EQ(live.View().qrzCaption, "[F2] AGN");
  live.Function(2);
  EXPECT_EQ(live.Keyed(), "pse agn");
  EXPECT_EQ(live.View().msg.text, "QRL?");
  live.FinishMessage();
  live.model->FocusMovedTo(LiveField::RstRcvd);
  EXPECT_EQ(live.View().qrzCaption, "[F2] QRZ?");
  live.Function(2);
  EXPECT_EQ(live.Keyed(), "qrz? de hb9xyz/p");
}

}  // namespace
