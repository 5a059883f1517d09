#include "live/live_entry_model.h"

#include <gtest/gtest.h>

#include "keyer/keyer_settings.h"
#include "live/live_model_driver.h"

namespace {

using Code = LiveKey::Code;

class LiveEntry : public ::testing::Test {
 protected:
  LiveEntry() {
    live.AddStations("stns1", {"HB9AAA/P", "HB9XYZ/P", "HE3XYZ/P"});
    live.AddStations("stns2", {"HB9XYZ/P", "HB9BBB/P"});
    live.AddStations("stns1ssb", {"HB9SSB/P"});
    live.model->Show();
  }
  LiveModelDriver live;
};

TEST_F(LiveEntry, ShowingFocusesTheCallsignWithTheWholeListAndNoHighlight) {
  EXPECT_EQ(live.View().title, "VORLAX KTD-Log: KTD live loggen - HB9OWN/P");
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  EXPECT_EQ(live.View().candidates, (std::vector<std::string>{"HB9AAA/P", "HB9XYZ/P", "HE3XYZ/P"}));
  EXPECT_EQ(live.View().highlight, -1);
  EXPECT_FALSE(live.model->CandidateListActive());
  EXPECT_EQ(live.View().half, "1. Halbzeit");
  EXPECT_EQ(live.View().score, "0");
  EXPECT_EQ(live.View().hints[2].text, "Bei KTD-Stationen : Nur das Suffix eintippen");
}

struct CandidateCase {
  const char* name;
  const char* typed;
  std::vector<std::string> candidates;
  int highlight;
  bool active;  // Space copies the highlight
};

class Candidates : public LiveEntry, public ::testing::WithParamInterface<CandidateCase> {};

TEST_P(Candidates, FollowWhatIsTyped) {
  const CandidateCase& c = GetParam();
  live.Type(c.typed);
  EXPECT_EQ(live.View().candidates, c.candidates);
  EXPECT_EQ(live.View().highlight, c.highlight);
  EXPECT_EQ(live.model->CandidateListActive(), c.active);
}

INSTANTIATE_TEST_SUITE_P(
    LiveEntry, Candidates,
    ::testing::Values(
        CandidateCase{"SuffixUnderAnySwissPrefix", "XYZ", {"HB9XYZ/P", "HE3XYZ/P"}, 0, true},
        CandidateCase{"LoneDigitIsHB", "9", {"HB9AAA/P", "HB9XYZ/P"}, 0, true},
        // No query once the text ends in /P: the list of "HB9XYZ/" stays.
        CandidateCase{"NoQueryAfterPortable", "HB9XYZ/P", {"HB9XYZ/P"}, 0, true},
        CandidateCase{"NothingMatches", "QQ", {}, -1, false}),
    [](const auto& info) { return info.param.name; });

TEST_F(LiveEntry, HintsAndFlagAreDecidedFromTheListBeforeTheChange) {
  live.Type("XYZQ");
  EXPECT_TRUE(live.View().candidates.empty());
  EXPECT_TRUE(live.View().hints[4].visible);
  EXPECT_EQ(live.View().hints[4].text, "Weiter : [Space] oder [Enter]");
  live.Press(Code::Backspace);  // "XYZ" matches again, but the list was empty before
  EXPECT_EQ(live.View().candidates.size(), 2u);
  EXPECT_EQ(live.View().highlight, 0);
  EXPECT_FALSE(live.model->CandidateListActive());
  EXPECT_FALSE(live.View().hints[2].visible);
  EXPECT_FALSE(live.View().hints[3].visible);
  live.Press(Code::Down);  // an arrow makes Space copy again
  EXPECT_TRUE(live.model->CandidateListActive());
  live.Press(Code::Space);
  EXPECT_EQ(live.View().callsign.text, "HE3XYZ/P");
}

TEST_F(LiveEntry, UpWithoutHighlightTakesTheLastCandidate) {
  live.Type("XYZ");
  live.Press(Code::Space);  // copies HB9XYZ/P
  EXPECT_EQ(live.View().callsign.text, "HB9XYZ/P");
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  live.model->FocusMovedTo(LiveField::RstSent);
  live.model->FocusMovedTo(LiveField::Callsign);  // entering clears the highlight
  EXPECT_EQ(live.View().highlight, -1);
  live.Press(Code::Up);
  EXPECT_EQ(live.View().highlight, 2);
  EXPECT_TRUE(live.model->CandidateListActive());
}

struct ConfirmCase {
  const char* name;
  const char* typed;
  Code key;
  const char* callsign;  // the field afterwards
  LiveField focus;
};

class Confirmation : public LiveEntry, public ::testing::WithParamInterface<ConfirmCase> {};

TEST_P(Confirmation, CompletesTheCallsignOrRefusesTheOwn) {
  const ConfirmCase& c = GetParam();
  live.Type(c.typed);
  live.Press(c.key);
  EXPECT_EQ(live.View().callsign.text, c.callsign);
  EXPECT_EQ(live.Focus(), c.focus);
}

INSTANTIATE_TEST_SUITE_P(
    LiveEntry, Confirmation,
    ::testing::Values(
        ConfirmCase{"DigitAndSuffixBecomeSwiss", "9XYZ", Code::Enter, "HB9XYZ", LiveField::RstSent},
        ConfirmCase{"BareSuffixBecomesHb9", "QRS/P", Code::Space, "HB9QRS/P", LiveField::RstSent},
        ConfirmCase{"ForeignCallStays", "dl1abc", Code::Enter, "DL1ABC", LiveField::RstSent},
        ConfirmCase{"HomeStationByEnter", "HB9XY", Code::Enter, "HB9XY", LiveField::RstSent},
        ConfirmCase{"OwnCallWithoutPortable", "HB9OWN", Code::Enter, "", LiveField::Callsign},
        ConfirmCase{"OwnCallWithPortable", "hb9own/p", Code::Enter, "", LiveField::Callsign}),
    [](const auto& info) { return info.param.name; });

TEST_F(LiveEntry, KtdStationBySuffixWithPersonalTextIsRecordedWholly) {
  {
    TSQLiteDatabase db(live.ctx.logDbFile);
    db.ExecSQL("INSERT INTO ptxt VALUES ('HB9XYZ/P', 'HB9XYZ', 'PERSOENLICHER GRUSS')");
    db.ExecSQL("INSERT INTO txt VALUES ('ALLGEMEINER TEXT FUER ALLE')");
    InsertQsoRow(db, {"0700", "HB9XYZ/P", "599", "T", "599", "R", "0", "1", "1", "0", "0"});
  }
  live.Type("XYZ  ");  // copy, confirm
  EXPECT_EQ(live.Focus(), LiveField::RstSent);
  EXPECT_EQ(live.model->QsoTime(), "0710");
  EXPECT_EQ(live.View().vorname.text, "Anna");
  EXPECT_FALSE(live.View().dupe.visible);  // worked in SSB only
  EXPECT_EQ(live.View().textSent.text, "PERSOENLICHER GRUSS");
  EXPECT_EQ(live.View().lengthSent.text, "18");
  EXPECT_EQ(live.View().textSent.background, live_colour::kLightGreen);
  live.Type("7 ");  // report sent 579
  EXPECT_EQ(live.Focus(), LiveField::RstRcvd);
  live.Type("5 ");  // report received 559
  EXPECT_EQ(live.Focus(), LiveField::TextRcvd);
  live.Type("ROTE ROSEN");
  live.Press(Code::Enter);

  EXPECT_EQ(live.LogRows().back(),
            "0710|HB9XYZ/P|579|PERSOENLICHER GRUSS|559|ROTE ROSEN|0|0|1|0|0");
  TSQLiteDatabase db(live.ctx.logDbFile);
  EXPECT_EQ(QueryText(db, "SELECT count(*) FROM stns1 WHERE rufz = 'HB9XYZ/P'"), "0");
  EXPECT_EQ(QueryText(db, "SELECT count(*) FROM ptxt"), "0");
  EXPECT_EQ(live.View().score, "8");  // the SSB QSO before and this one in CW
  EXPECT_EQ(live.model->TakeGridRows()->size(), 2u);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  EXPECT_EQ(live.View().callsign.text, "");
  EXPECT_EQ(live.View().rstSent.text, "599");
  EXPECT_FALSE(live.View().textSent.enabled);
}

TEST_F(LiveEntry, OtherStationIsLoggedFromTheReportReceived) {
  live.Type("DL1ABC ");
  EXPECT_FALSE(live.View().textSent.enabled);
  live.Type(" ");
  EXPECT_EQ(live.View().hints[4].text, "Loggen : [Space] oder [Enter]");
  live.Type("8");
  live.Press(Code::Enter);
  EXPECT_EQ(live.LogRows(), (std::vector<std::string>{"0710|DL1ABC|599||589||0|0|0|0|1"}));
  live.Type("DL1ABC ");
  EXPECT_EQ(live.View().dupe.text, "DUPE");
  EXPECT_TRUE(live.View().dupe.visible);
}

struct ReceivedTextCase {
  const char* name;
  bool suggestions;
  const char* typed;  // into the received text; the last key records
  const char* recorded;
};

class ReceivedText : public LiveEntry, public ::testing::WithParamInterface<ReceivedTextCase> {};

TEST_P(ReceivedText, SpacesCompleteAndRecord) {
  const ReceivedTextCase& c = GetParam();
  if (c.suggestions) {
    live.AddSuggestions({"ROTE ROSEN IM GARTEN"});
    live.model->CheckBoxClicked(LiveEntryModel::CheckBox::Texte, true);
  }
  live.Type("XYZ    ");  // copy, confirm, report sent, report received
  ASSERT_EQ(live.Focus(), LiveField::TextRcvd);
  live.Type(c.typed);
  if (std::string(c.typed).back() != ' ') live.Press(Code::Enter);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  TSQLiteDatabase db(live.ctx.logDbFile);
  EXPECT_EQ(QueryRows(db, "SELECT rtxt FROM ktd"), std::vector<std::string>{c.recorded});
}

INSTANTIATE_TEST_SUITE_P(
    LiveEntry, ReceivedText,
    ::testing::Values(
        // The second Space completes the typed word with the top suggestion, the third records.
        ReceivedTextCase{"TopSuggestionCopied", true, "rot   ", "ROTE ROSEN IM GARTEN"},
        ReceivedTextCase{"ThreeSpacesWithoutSuggestions", false, "ROT   ", "ROT"},
        ReceivedTextCase{"EnterAtOnce", true, "ro", "ro"}),
    [](const auto& info) { return info.param.name; });

TEST_F(LiveEntry, SuggestionsFollowTheReceivedText) {
  live.AddSuggestions({"ROTE ROSEN IM GARTEN", "ROTES KREUZ"});
  live.Type("XYZ    rot");
  EXPECT_FALSE(live.View().suggestionsVisible);  // F7 is off
  live.Function(7);
  EXPECT_TRUE(live.View().suggestionsVisible);
  EXPECT_EQ(live.View().suggestions,
            (std::vector<std::string>{"ROTE ROSEN IM GARTEN", "ROTES KREUZ"}));
  EXPECT_TRUE(live.View().hints[3].visible);
  live.Type("q");  // nothing begins with it: the list stays, the hint goes
  EXPECT_EQ(live.View().suggestions.size(), 2u);
  EXPECT_FALSE(live.View().hints[3].visible);
}

TEST_F(LiveEntry, SpaceWithAnEmptyCallsignFromAnotherFieldGoesToTheCallsign) {
  live.Type("DL1ABC ");
  ASSERT_EQ(live.Focus(), LiveField::RstSent);
  live.model->TextEdited(LiveField::Callsign, "");  // emptied with the mouse
  live.Press(Code::Space);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  EXPECT_TRUE(live.LogRows().empty());
}

TEST_F(LiveEntry, EscapeMidQsoResetsWithoutRecording) {
  live.Type("XYZ  7");
  live.Press(Code::Escape);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  EXPECT_EQ(live.View().callsign.text, "");
  EXPECT_EQ(live.View().rstSent.text, "599");
  EXPECT_FALSE(live.View().vorname.visible);
  EXPECT_EQ(live.View().highlight, -1);
  EXPECT_TRUE(live.View().ssb.enabled);
  EXPECT_TRUE(live.LogRows().empty());
}

TEST_F(LiveEntry, HalfSwitchesAtEightWhileTheClockRuns) {
  live.clock.utc.hour = 7;
  live.clock.utc.minute = 59;
  live.model->ClockTick();
  EXPECT_EQ(live.View().half, "1. Halbzeit");
  live.clock.utc.hour = 8;
  live.clock.utc.minute = 0;
  live.model->ClockTick();
  EXPECT_EQ(live.View().half, "2. Halbzeit");
  EXPECT_EQ(live.View().candidates, (std::vector<std::string>{"HB9XYZ/P", "HB9BBB/P"}));
  EXPECT_EQ(live.View().utcClock.text, "0800");
  EXPECT_EQ(live.View().utcClock.font, live_colour::kBlack);
  live.clock.utc.hour = 10;
  live.model->ClockTick();
  EXPECT_EQ(live.View().utcClock.font, live_colour::kGrey);
}

TEST_F(LiveEntry, AtEightAWholeTypedCallsignIsNotSwappedForAnother) {
  live.clock.utc.minute = 59;
  live.Type("HB9AAA/P");
  live.clock.utc = {2024, 7, 21, 8, 0, 0};
  live.model->ClockTick();  // the second half's list, with nothing highlighted
  EXPECT_EQ(live.View().highlight, -1);
  live.Press(Code::Space);
  EXPECT_EQ(live.View().callsign.text, "HB9AAA/P");
  EXPECT_EQ(live.Focus(), LiveField::RstSent);
}

TEST_F(LiveEntry, ACallsignNeverConfirmedTakesTheTimeItWasLeft) {
  live.Type("DL1ABC ");  // confirmed at 0710 and recorded
  live.Type(" ");
  live.Press(Code::Enter);
  live.clock.utc.minute = 42;
  live.Type("F5XYZ");
  live.model->FocusMovedTo(LiveField::RstRcvd);  // moved on with the mouse
  live.Press(Code::Enter);
  EXPECT_EQ(live.LogRows().back().substr(0, 11), "0742|F5XYZ|");
  // Leaving is a confirmation in all else too: the suffix is completed, the own call refused.
  live.Type("9ABC");
  live.model->FocusMovedTo(LiveField::RstRcvd);
  EXPECT_EQ(live.View().callsign.text, "HB9ABC");
  live.Press(Code::Escape);
  live.Type("HB9OWN");
  live.model->FocusMovedTo(LiveField::RstRcvd);
  EXPECT_EQ(live.View().callsign.text, "");
  live.Press(Code::Enter);
  EXPECT_EQ(live.LogRows().size(), 2u);
}

TEST_F(LiveEntry, CtrlMSwitchesTheModeInTheEmptyCallsignField) {
  live.CtrlLetter('M');
  EXPECT_TRUE(live.View().ssb.checked);
  EXPECT_FALSE(live.ctx.cwMode);
  EXPECT_EQ(live.View().rstSent.text, "59");
  EXPECT_EQ(live.View().rstSent.maxLength, 2);
  EXPECT_FALSE(live.View().keyerGroupVisible);
  live.Type("S");
  EXPECT_EQ(live.View().candidates, (std::vector<std::string>{"HB9SSB/P"}));
  live.Type("SB  5 ");
  live.Press(Code::Enter);
  live.Press(Code::Enter);
  EXPECT_EQ(live.LogRows().back(), "0710|HB9SSB/P|55||59||0|1|0|1|0");
}

TEST_F(LiveEntry, HeldKeysTypeOnceButCursorKeysRepeat) {
  LiveKey held;
  held.code = Code::Character;
  held.text = "A";
  live.Press(held);
  held.autoRepeat = true;
  EXPECT_EQ(live.Press(held).kind, KeyOutcome::Kind::Consumed);
  EXPECT_EQ(live.View().callsign.text, "A");
  LiveKey backspace;
  backspace.code = Code::Backspace;
  backspace.autoRepeat = true;
  EXPECT_EQ(live.Press(backspace).kind, KeyOutcome::Kind::PassToField);
}

TEST_F(LiveEntry, FieldsKeepOnlyWhatTheirFiltersAllow) {
  live.model->TextEdited(LiveField::Callsign, "hb9 a;bc\xE4");  // a paste
  EXPECT_EQ(live.View().callsign.text, "HB9ABC");
  live.Type(" ");
  ASSERT_EQ(live.Focus(), LiveField::RstSent);
  live.model->TextEdited(LiveField::RstSent, "5a0");
  EXPECT_EQ(live.View().rstSent.text, "5");
  live.Press(Code::Up);
  EXPECT_EQ(live.View().rstSent.text, "5");  // one digit: no S digit to raise
  live.model->TextEdited(LiveField::RstSent, "589");
  live.Press(Code::Up);
  EXPECT_EQ(live.View().rstSent.text, "599");
  live.Press(Code::Down);
  EXPECT_EQ(live.View().rstSent.text, "589");
}

TEST_F(LiveEntry, SentTextTransliteratesAndStaysUsableWhenEmptied) {
  live.Type("XYZ  ");
  live.Press(Code::Tab);
  ASSERT_EQ(live.Focus(), LiveField::TextSent);
  live.model->TextEdited(LiveField::TextSent, "");
  EXPECT_TRUE(live.View().textSent.enabled);  // the operator keeps typing here
  live.Type("Gr\xFCsse  aus Z\xE9rich d'Or");
  EXPECT_EQ(live.View().textSent.text, "Gruesse aus Zerich d Or");
  EXPECT_EQ(live.View().textSent.background, live_colour::kLightGreen);
  live.Press(Code::Enter);
  EXPECT_EQ(live.Focus(), LiveField::RstSent);
}

TEST_F(LiveEntry, SpeedPathsClampAndEndInTheKeyer) {
  struct Step {
    const char* typed;
    int speed;
  };
  live.model->FocusMovedTo(LiveField::WpM);
  for (const Step& step : {Step{"5", 10}, Step{"45", 40}, Step{"", 16}, Step{"22", 22}}) {
    live.Press(Code::Backspace);
    live.Type(step.typed);
    live.Press(Code::Enter);
    EXPECT_EQ(live.View().speed, step.speed) << step.typed;
    EXPECT_EQ(live.View().wpm.text, std::to_string(step.speed));
    EXPECT_EQ(live.keyer.Speed(), step.speed);
    live.model->FocusMovedTo(LiveField::WpM);
  }
  live.model->SpeedArrowClicked(+1);
  EXPECT_EQ(live.keyer.Speed(), 23);
  for (int i = 0; i < 20; ++i) live.Press(Code::Up, true, true);
  EXPECT_EQ(live.keyer.Speed(), 40);
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
}

TEST(LiveKeying, OnOffRolesAndAFailingPort) {
  LiveModelDriver live(2);
  live.model->Show();
  live.Function(6);
  ASSERT_TRUE(live.model->KeyingActive());
  EXPECT_TRUE(live.port.IsOpen());
  EXPECT_EQ(live.port.PortNumber(), 1);
  // A fresh log has rts 0: DTR keys, RTS is held on.
  EXPECT_TRUE(live.port.ControlLineOn(ControlLine::Rts));
  EXPECT_FALSE(live.port.ControlLineOn(ControlLine::Dtr));
  EXPECT_FALSE(live.View().portEnabled);
  EXPECT_TRUE(live.View().functionKeysVisible);
  EXPECT_TRUE(live.View().achtungVisible);
  live.model->CheckBoxClicked(LiveEntryModel::CheckBox::Rts, true);  // roles swap at once
  EXPECT_FALSE(live.port.ControlLineOn(ControlLine::Rts));
  EXPECT_TRUE(live.port.ControlLineOn(ControlLine::Dtr));
  EXPECT_EQ(live.Focus(), LiveField::Callsign);
  live.CtrlLetter('M');  // SSB switches keying off
  EXPECT_FALSE(live.port.IsOpen());
  live.CtrlLetter('M');  // back to CW: on again
  EXPECT_TRUE(live.port.IsOpen());
  live.Function(6);
  EXPECT_FALSE(live.port.IsOpen());
  EXPECT_FALSE(live.port.ControlLineOn(ControlLine::Dtr));

  live.model->PortIndexChosen(4);  // port 5 does not exist
  live.Function(6);
  EXPECT_FALSE(live.model->KeyingActive());
  EXPECT_FALSE(live.port.IsOpen());
  ASSERT_TRUE(live.model->TakePortFailure().has_value());
  live.model->RetryKeyingOnPort(1);
  EXPECT_TRUE(live.model->KeyingActive());
  EXPECT_EQ(live.port.PortNumber(), 2);
  live.Function(6);
  live.model->PortIndexChosen(6);
  live.Function(6);
  ASSERT_TRUE(live.model->TakePortFailure().has_value());
  live.model->CancelKeying();
  EXPECT_FALSE(live.View().tastung.checked);
  EXPECT_FALSE(live.View().functionKeysVisible);
  EXPECT_FALSE(live.port.IsOpen());
  EXPECT_FALSE(live.model->KeyingActive());
}

TEST(LiveKeying, SettingsComeBackAtTheNextShowWithKeyingOff) {
  LiveModelDriver live;
  live.model->Show();
  live.model->CheckBoxClicked(LiveEntryModel::CheckBox::Reverse, true);
  live.model->CheckBoxClicked(LiveEntryModel::CheckBox::AutoCq, true);
  live.model->PortIndexChosen(2);
  live.model->SpeedArrowClicked(+1);
  live.model->CheckBoxClicked(LiveEntryModel::CheckBox::ViaRigctld, true);
  live.model->CheckBoxClicked(LiveEntryModel::CheckBox::FollowRig, true);
  live.model->FocusMovedTo(LiveField::RigAddress);
  live.model->TextEdited(LiveField::RigAddress, "shack:4533");
  live.Function(6);
  live.model->Close();
  const KeyerSettings saved = *LoadKeyerSettings(live.ctx.logDbFile);
  EXPECT_TRUE(saved.reversed);
  EXPECT_FALSE(saved.autoCq);  // the automatic CQ is off after every show
  EXPECT_EQ(saved.portIndex, 2);
  EXPECT_EQ(saved.wpm, 20);

  LiveEntryModel again(live.ctx, live.keyer, live.rig);
  again.Show();
  EXPECT_TRUE(again.View().viaRigctld.checked);
  EXPECT_TRUE(again.View().followRig.checked);
  EXPECT_EQ(again.View().rigAddress.text, "shack:4533");
  EXPECT_TRUE(again.View().reverse.checked);
  EXPECT_EQ(again.View().portIndex, 2);
  EXPECT_EQ(again.View().speed, 20);
  EXPECT_FALSE(again.View().tastung.checked);
  EXPECT_FALSE(again.KeyingActive());
}

}  // namespace
