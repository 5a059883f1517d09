#include "live/live_entry_model.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "app/app_context.h"
#include "app/startup.h"  // AsciiUpper
#include "common/clock.h"
#include "common/text_file.h"
#include "contest/classification.h"
#include "contest/home_completion.h"
#include "contest/prefix_lookup.h"
#include "contest/report_completion.h"
#include "contest/scoring.h"
#include "db/sqlite_database.h"
#include "keyer/keyer.h"
#include "keyer/keyer_settings.h"
#include "keyer/serial_port.h"
#include "live/candidate_queries.h"
#include "live/dupe_check.h"
#include "live/entry_key_filters.h"
#include "live/operating_messages.h"
#include "live/record_qso.h"
#include "live/text_suggestions.h"
#include "prep/text_rules.h"

namespace {

using namespace live_colour;

constexpr int kClockIntervalMs = 1000;
constexpr int kWatchDogIntervalMs = 30000;
constexpr int kAutoCqIntervalMs = 2000;
constexpr int kReplaceWaitMs = 1000;
constexpr int kSpeedWhenEmpty = 16;

const char* const kSuffixHint = "Bei KTD-Stationen : Nur das Suffix eintippen";
const char* const kGoOnHint = "Weiter : [Space] oder [Enter]";

// "hhnn" of a time.
std::string Hhnn(const DateTime& t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", t.hour % 100, t.minute % 100);
  return text;
}

// The clock is black from 06:00 to 09:59 and grey outside (a comparison of the texts).
std::uint32_t ClockColour(const std::string& hhnn) {
  return hhnn < "06" || hhnn > "10" ? kGrey : kBlack;
}

// The callsign without a trailing "/P" (either case), in upper case.
std::string WithoutPortableSuffix(const std::string& callsign) {
  std::string upper = AsciiUpper(callsign);
  if (upper.size() >= 2 && upper.compare(upper.size() - 2, 2, "/P") == 0)
    upper.resize(upper.size() - 2);
  return upper;
}

bool EndsInPortable(const std::string& text) {
  return text.size() >= 2 && AsciiUpper(text.substr(text.size() - 2)) == "/P";
}

bool IsEntryField(LiveField field) {
  switch (field) {
    case LiveField::Callsign:
    case LiveField::RstSent:
    case LiveField::TextSent:
    case LiveField::RstRcvd:
    case LiveField::TextRcvd:
      return true;
    default:
      return false;
  }
}

// Keys whose repetition while held is ordinary editing; every other held key types nothing more.
bool RepeatsWhileHeld(LiveKey::Code code) {
  switch (code) {
    case LiveKey::Code::Backspace:
    case LiveKey::Code::Delete:
    case LiveKey::Code::Left:
    case LiveKey::Code::Right:
    case LiveKey::Code::Home:
    case LiveKey::Code::End:
    case LiveKey::Code::Up:
    case LiveKey::Code::Down:
      return true;
    default:
      return false;
  }
}

// Keys that reach a field as a typed character (on the desktop: a key press, not only a key-down).
bool TypesCharacter(LiveKey::Code code) {
  return code == LiveKey::Code::Character || code == LiveKey::Code::Space ||
         code == LiveKey::Code::Enter || code == LiveKey::Code::Backspace;
}

char TypedChar(const LiveKey& key) {
  if (key.code == LiveKey::Code::Space) return ' ';
  return key.text.size() == 1 ? key.text[0] : '\0';
}

}  // namespace

LiveEntryModel::LiveEntryModel(AppContext& ctx, Keyer& keyer, WaitForMessageStop wait)
    : ctx_(ctx), keyer_(keyer), waitForStop_(std::move(wait)) {
  if (!waitForStop_) {
    waitForStop_ = [&keyer](std::uint64_t endedBefore, int maxMs) {
      keyer.WaitForMessageEnd(endedBefore, std::chrono::milliseconds(maxMs));
    };
  }
  view_.rstSent.text = view_.rstRcvd.text = "599";
  view_.rstSent.maxLength = view_.rstRcvd.maxLength = 3;
  view_.rstSent.tabStop = true;
  view_.textSent.enabled = false;
  view_.textSent.background = kButtonFace;
  view_.textRcvd.maxLength = 255;
  view_.msg.visible = false;
  view_.wpm.text = "18";
  view_.wpm.maxLength = 3;
  view_.vorname.visible = false;
  view_.dupe.visible = false;
  view_.lengthSent.visible = false;
  view_.utc.visible = false;
  view_.utc.background = kLightRed;
  view_.msgLabel = {"Modus : S+P", false, kWhite, kBlue};
  view_.texte.checked = true;
  view_.rts.checked = true;
  view_.half = "1. Halbzeit";
  view_.score = "0";
  Hint(24).text = kSuffixHint;
  for (int n : {22, 23, 25, 26}) Hint(n).visible = false;
  view_.clockTimer.intervalMs = kClockIntervalMs;
}

// ---------------------------------------------------------------------------------------------
// Fields and focus

LiveEdit& LiveEntryModel::Edit(LiveField field) {
  return const_cast<LiveEdit&>(static_cast<const LiveEntryModel*>(this)->Edit(field));
}

const LiveEdit& LiveEntryModel::Edit(LiveField field) const {
  switch (field) {
    case LiveField::RstSent:
      return view_.rstSent;
    case LiveField::TextSent:
      return view_.textSent;
    case LiveField::RstRcvd:
      return view_.rstRcvd;
    case LiveField::TextRcvd:
      return view_.textRcvd;
    case LiveField::Msg:
      return view_.msg;
    case LiveField::WpM:
      return view_.wpm;
    case LiveField::Callsign:
    case LiveField::None:
      break;
  }
  return view_.callsign;
}

void LiveEntryModel::SetText(LiveField field, const std::string& text) {
  if (field == LiveField::None) return;
  LiveEdit& edit = Edit(field);
  if (edit.text == text) return;
  edit.text = text;
  TextChanged(field);
}

void LiveEntryModel::MoveCursor(LiveField field, int position) {
  cursorMoves_.emplace_back(field, position);
}

void LiveEntryModel::TextEdited(LiveField field, const std::string& text) {
  SetText(field, SanitizeFieldText(field, text));
}

void LiveEntryModel::TextChanged(LiveField field) {
  switch (field) {
    case LiveField::Callsign:
      CallsignChanged();
      break;
    case LiveField::TextSent:
      TextSentChanged();
      break;
    case LiveField::TextRcvd:
      TextRcvdChanged();
      break;
    default:
      break;
  }
}

void LiveEntryModel::FocusTo(LiveField field) {
  if (field == view_.focus) return;
  if (field != LiveField::None && !Edit(field).enabled) return;  // a disabled field takes no focus
  const LiveField old = view_.focus;
  view_.focus = field;
  Leave(old);
  Enter(field);
}

void LiveEntryModel::FocusMovedTo(LiveField field) {
  FocusTo(field);
}

void LiveEntryModel::ReturnFocus() {
  FocusTo(lastInput_);
}

void LiveEntryModel::LeaveForClick() {
  // A click takes the focus out of the field; the control's action brings it back. Modifiers
  // held for an earlier key do not make the click a long or a silent one.
  ctrlFlag_ = shiftFlag_ = false;
  const LiveField old = view_.focus;
  view_.focus = LiveField::None;
  Leave(old);
}

void LiveEntryModel::Enter(LiveField field) {
  const bool achtung = view_.tastung.checked && keyingActive_;
  switch (field) {
    case LiveField::Callsign:
      lastInput_ = field;
      view_.ssb.enabled = true;
      LoadCandidates();
      view_.highlight = -1;
      candidateActive_ = false;
      suggestionsLookup_ = true;
      Hint(24) = {kSuffixHint, true};
      for (int n : {22, 23, 25, 26}) Hint(n).visible = false;
      if (view_.callsign.text.empty()) ShowRunningClock();
      break;
    case LiveField::RstSent:
      lastInput_ = field;
      view_.ssb.enabled = false;
      Hint(22) = {"Eine Ziffer  :  S", true};
      Hint(23) = {"Zwei Ziffern : RS", true};
      Hint(24) = {"", true};
      Hint(25) = {
          "Text sent \xFC"
          "berschreiben : [Tabulator]",
          ktdStation_};
      Hint(26) = {kGoOnHint, true};
      if (achtung) view_.achtungVisible = true;
      break;
    case LiveField::TextSent:
      Hint(25) = {"Feld verlassen : [Shift]+[Tabluator]", true};
      break;
    case LiveField::RstRcvd:
      lastInput_ = field;
      Hint(26) = {ktdStation_ ? kGoOnHint : "Loggen : [Space] oder [Enter]", true};
      if (ktdStation_) view_.achtungVisible = false;
      break;
    case LiveField::TextRcvd:
      lastInput_ = field;
      view_.suggestionsVisible = view_.texte.checked;
      for (int n = 22; n <= 25; ++n) Hint(n).visible = false;
      Hint(25).text = "Oberster Text kopieren : [Space][Space]";
      Hint(25).visible = view_.texte.checked && !view_.suggestions.empty();
      Hint(26) = {"Loggen : [Space][Space][Space] od. [Enter]", true};
      inReceivedText_ = true;
      if (view_.qrzEnabled) {
        view_.qrzCaption = "[F2] AGN";
        qrzMessage_ = "PSE AGN";
      }
      if (view_.textRcvd.text.empty()) view_.textRcvd.background = kWhite;
      if (achtung) view_.achtungVisible = true;
      break;
    default:
      break;
  }
}

void LiveEntryModel::Leave(LiveField field) {
  switch (field) {
    case LiveField::Callsign: {
      lastInput_ = field;
      SetText(LiveField::TextSent, "");
      candidateActive_ = false;
      Hint(23).visible = false;
      if (view_.callsign.text.empty()) break;
      // A callsign the operator never confirmed (moving on with the mouse) is completed as Space
      // would, and gets the time it was left, not the time of the previous QSO.
      if (!timeFrozen_) {
        FreezeQsoTime();
        if (!CompleteCallsignOrClearOwn()) break;
      }
      const std::string callsign = view_.callsign.text;
      keyer_.State().abortRequest = false;
      workedCallsign_ = callsign;
      ktdStation_ = IsKtdStation(callsign);
      const bool haveLog = LogFileExists();
      if (ktdStation_) {
        view_.textSent.tabStop = true;
        if (haveLog) {
          if (const auto name = LookupFirstName(ctx_.logDbFile, callsign, ctx_.cwMode)) {
            view_.vorname.text = *name;
            view_.vorname.visible = !name->empty();
          }
          ShowDupeState(CheckDupeOrRepeat(ctx_.logDbFile, callsign, true, half_ == 1, ctx_.cwMode));
        }
        view_.textSent.enabled = true;
        SetText(LiveField::TextSent,
                haveLog ? ProposeSentText(ctx_.logDbFile, callsign, view_.tastung.checked) : "");
      } else {
        view_.textSent.tabStop = false;
        view_.textSent.background = kButtonFace;
        view_.textSent.enabled = false;
        view_.lengthSent = {"", false, kWhite, kBlack};
        if (haveLog) {
          ShowDupeState(
              CheckDupeOrRepeat(ctx_.logDbFile, callsign, false, half_ == 1, ctx_.cwMode));
        }
      }
      break;
    }
    case LiveField::RstSent:
      SetText(field, CompleteReport(view_.rstSent.text, ctx_.cwMode));
      keyer_.State().abortRequest = false;
      Hint(24).visible = false;
      Hint(25).visible = false;
      break;
    case LiveField::TextSent:
      Hint(25).visible = false;
      break;
    case LiveField::RstRcvd:
      SetText(field, CompleteReport(view_.rstRcvd.text, ctx_.cwMode));
      break;
    case LiveField::TextRcvd:
      view_.suggestionsVisible = false;
      inReceivedText_ = false;
      if (view_.qrzEnabled) {
        view_.qrzCaption = "[F2] QRZ?";
        qrzMessage_ = "QRZ? de " + ctx_.ownCallsign;
      }
      break;
    case LiveField::WpM:
      TakeTypedSpeed();
      break;
    default:
      break;
  }
}

// ---------------------------------------------------------------------------------------------
// Keys

KeyOutcome LiveEntryModel::KeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  // A modifier pressed alone says nothing yet: the flags describe the key it is held for.
  if (key.code == Code::Modifier) return KeyOutcome::Pass();
  ctrlFlag_ = key.ctrl && !key.shift && !key.alt;
  shiftFlag_ = key.shift && !key.ctrl && !key.alt;
  // A held key types once; only editing and cursor keys repeat.
  if (key.autoRepeat && !RepeatsWhileHeld(key.code)) return KeyOutcome::Consumed();

  if (key.shift && key.ctrl && (key.code == Code::Up || key.code == Code::Down)) {
    SetSpeed(view_.speed + (key.code == Code::Up ? 1 : -1));
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Function) {
    if (keyingActive_ && FunctionKey(key.function)) return KeyOutcome::Consumed();
    switch (key.function) {
      case 6:
        SetCheck(CheckBox::Tastung, !view_.tastung.checked);
        ReturnFocus();
        break;
      case 7:
        if (view_.texte.enabled) SetCheck(CheckBox::Texte, !view_.texte.checked);
        ReturnFocus();
        break;
      case 8:
        SetCheck(CheckBox::Farnsworth, !view_.farnsworth.checked);
        ReturnFocus();
        break;
      default:
        break;
    }
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Escape) {
    Escape();
    return KeyOutcome::Consumed();
  }

  // With an empty callsign field Space and Enter start the entry (a CQ while keying) from any
  // entry field. The message and speed fields keep their own Space and Enter.
  if ((key.code == Code::Space || key.code == Code::Enter) && view_.callsign.text.empty() &&
      (IsEntryField(view_.focus) || view_.focus == LiveField::None)) {
    if (view_.focus == LiveField::Callsign) view_.highlight = -1;
    StartCallsignSpaceOrEnter();
    FocusTo(LiveField::Callsign);
    return KeyOutcome::Consumed();
  }
  return FieldKeyPress(key);
}

KeyOutcome LiveEntryModel::FieldKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  const LiveField field = view_.focus;
  // Tab moves only between the report sent and the text sent of a KTD station.
  if (key.code == Code::Tab || key.code == Code::Backtab) {
    if (field == LiveField::RstSent && key.code == Code::Tab && ktdStation_ &&
        view_.textSent.enabled) {
      FocusTo(LiveField::TextSent);
    } else if (field == LiveField::TextSent) {
      FocusTo(LiveField::RstSent);
    }
    return KeyOutcome::Consumed();
  }
  switch (field) {
    case LiveField::Callsign:
      return CallsignKeyPress(key);
    case LiveField::RstSent:
    case LiveField::RstRcvd:
      return ReportKeyPress(field, key);
    case LiveField::TextSent:
      return TextSentKeyPress(key);
    case LiveField::TextRcvd:
      return TextRcvdKeyPress(key);
    case LiveField::WpM:
      return SpeedKeyPress(key);
    case LiveField::Msg:
      return MessageKeyPress(key);
    case LiveField::None:
      break;
  }
  return KeyOutcome::Consumed();
}

KeyOutcome LiveEntryModel::CallsignKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  const bool empty = view_.callsign.text.empty();
  if (empty) view_.highlight = -1;  // with an empty field any key removes the highlight
  if (key.ctrl && key.letter == 'M') {
    if (empty) {
      SetCheck(CheckBox::Ssb, !view_.ssb.checked);
      ModeSwitch();
    }
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Up || key.code == Code::Down) {
    if (!empty) MoveCandidate(key.code == Code::Down ? 1 : -1);
    return KeyOutcome::Consumed();
  }
  if (!TypesCharacter(key.code)) return KeyOutcome::Pass();

  if (key.code == Code::Backspace) {
    view_.vorname = {"", false, kWhite, kBlack};
  } else {
    view_.dupe.visible = false;
  }
  keyer_.State().autoCqPending = false;

  if (key.code == Code::Space && candidateActive_ && view_.highlight >= 0) {
    CopyCandidate();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Space || key.code == Code::Enter) {
    ConfirmCallsign();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::Callsign, FilterCallsignCharacter(TypedChar(key)));
}

KeyOutcome LiveEntryModel::ReportKeyPress(LiveField field, const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Up || key.code == Code::Down) {
    ReportDigitStep(field, key.code == Code::Up ? 1 : -1);
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Space || key.code == Code::Enter) {
    SetText(field, CompleteReport(Edit(field).text, ctx_.cwMode));
    if (field == LiveField::RstSent) {
      if (keyingActive_ && !workedCallsign_.empty()) SendReport();
      FocusTo(LiveField::RstRcvd);
    } else if (ktdStation_) {
      FocusTo(LiveField::TextRcvd);
    } else {
      CompleteQso();
    }
    return KeyOutcome::Consumed();
  }
  if (!TypesCharacter(key.code)) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(field, FilterReportCharacter(TypedChar(key)));
}

KeyOutcome LiveEntryModel::Typed(LiveField field, const TypedCharacter& typed) {
  switch (typed.action) {
    case TypedCharacter::Action::Insert:
      return KeyOutcome::InsertText(typed.text);
    case TypedCharacter::Action::Append:
      SetText(field, Edit(field).text + typed.text);
      MoveCursor(field, static_cast<int>(Edit(field).text.size()));
      break;
    case TypedCharacter::Action::Drop:
      break;
  }
  return KeyOutcome::Consumed();
}

void LiveEntryModel::ReportDigitStep(LiveField field, int step) {
  std::string text = Edit(field).text;
  if (text.size() < 2) return;
  const char digit = text[1];
  if (step > 0 && digit >= '0' && digit < '9') text[1] = static_cast<char>(digit + 1);
  if (step < 0 && digit > '1' && digit <= '9') text[1] = static_cast<char>(digit - 1);
  SetText(field, text);
  MoveCursor(field, 1);
}

KeyOutcome LiveEntryModel::TextSentKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Enter) {
    FocusTo(LiveField::RstSent);
    return KeyOutcome::Consumed();
  }
  if (!TypesCharacter(key.code)) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::TextSent, FilterSentTextCharacter(TypedChar(key), view_.textSent.text));
}

KeyOutcome LiveEntryModel::TextRcvdKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  const std::string& text = view_.textRcvd.text;
  if (key.code == Code::Enter) {
    CompleteQso();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Space) {
    const bool suggesting = view_.texte.checked && !view_.suggestions.empty();
    if (text.find("  ") != std::string::npos || suggestionCopied_) {
      CompleteQso();
      return KeyOutcome::Consumed();
    }
    if (suggesting && !text.empty() && text.back() == ' ' &&
        TrimText(text) != view_.suggestions.front()) {
      // The top suggestion completes what was typed; the next Space records it.
      SetText(LiveField::TextRcvd, view_.suggestions.front() + " ");
      MoveCursor(LiveField::TextRcvd, static_cast<int>(view_.textRcvd.text.size()));
      suggestionCopied_ = true;
      return KeyOutcome::Consumed();
    }
  }
  if (!TypesCharacter(key.code)) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::TextRcvd, FilterReceivedTextCharacter(TypedChar(key)));
}

KeyOutcome LiveEntryModel::MessageKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Enter) {
    MessageAction();
    return KeyOutcome::Consumed();
  }
  if (!TypesCharacter(key.code) || key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::Msg, FilterMessageCharacter(TypedChar(key)));
}

KeyOutcome LiveEntryModel::SpeedKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Up || key.code == Code::Down) {
    SetSpeed(view_.speed + (key.code == Code::Up ? 1 : -1));
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Backspace) {
    SetText(LiveField::WpM, "");
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Enter) {
    TakeTypedSpeed();
    ReturnFocus();
    return KeyOutcome::Consumed();
  }
  if (!TypesCharacter(key.code)) return KeyOutcome::Pass();
  return Typed(LiveField::WpM, FilterSpeedCharacter(TypedChar(key)));
}

// ---------------------------------------------------------------------------------------------
// The entry flow

void LiveEntryModel::CallsignChanged() {
  const bool empty = view_.callsign.text.empty();
  view_.label14Visible = empty;
  view_.ssb.enabled = empty;
  view_.label1Visible = !empty;
  if (!empty) {
    // Decided from the list as it stands before this change.
    const bool listed = !view_.candidates.empty();
    Hint(25) = {"KTD-Station kopieren : [Space]", listed};
    Hint(24) = {"Heimstation : [Enter]", listed};
    candidateActive_ = listed;
    view_.achtungVisible = false;
    SetText(LiveField::Msg, "");
    if (keyer_.State().MessageRunning()) {
      keyer_.State().abortRequest = true;
      keyer_.State().autoCqPending = false;
      pendingReplacement_.reset();
    }
  } else {
    Hint(24) = {kSuffixHint, true};
    Hint(25).visible = false;
    Hint(26).visible = false;
    timeFrozen_ = false;
    ShowRunningClock();
    if (WatchDogRunning()) RestartWatchDog();
    if (KeyingCheckedInCw() && view_.tastung.checked) view_.achtungVisible = true;
  }
  FilterCandidates();
}

void LiveEntryModel::TextSentChanged() {
  const int length = TextLengthWithoutSpaces(view_.textSent.text);
  view_.lengthSent.text = std::to_string(length);
  const TextLengthShade shade = ShadeOfTextLength(length);
  if (shade == TextLengthShade::Empty) {
    view_.lengthSent.visible = false;
    view_.textSent.background = kButtonFace;
    // The field keeps working while the operator empties it to type another text.
    if (view_.focus != LiveField::TextSent) view_.textSent.enabled = false;
  } else if (shade == TextLengthShade::Short && !ktdStation_) {
    view_.lengthSent.visible = false;
    view_.textSent.background = kButtonFace;
  } else {
    view_.textSent.background = view_.lengthSent.background = TextLengthColour(shade);
    view_.lengthSent.visible = true;
  }
}

void LiveEntryModel::TextRcvdChanged() {
  suggestionCopied_ = false;
  const TextLengthShade shade = ShadeOfTextLength(TextLengthWithoutSpaces(view_.textRcvd.text));
  view_.textRcvd.background = TextLengthColour(shade);
  if (shade == TextLengthShade::Empty) {
    view_.suggestions.clear();
    Hint(25).visible = false;
    return;
  }
  RefreshSuggestions();
}

void LiveEntryModel::RefreshSuggestions() {
  if (!view_.texte.enabled || ctx_.suggestionDb == nullptr) return;
  std::vector<std::string> found = FindTextSuggestions(*ctx_.suggestionDb, view_.textRcvd.text);
  if (found.empty()) {
    Hint(25).visible = false;
    return;
  }
  view_.suggestions = std::move(found);
  Hint(25).visible = view_.texte.checked;
}

void LiveEntryModel::ShowDupeState(DupeLabelState state) {
  if (state == DupeLabelState::Unchanged) return;
  view_.dupe = {DupeLabelCaption(state), state != DupeLabelState::Hidden, DupeLabelColour(state),
                kWhite};
}

void LiveEntryModel::StartCallsignSpaceOrEnter() {
  if (keyingActive_) SendCq();
}

void LiveEntryModel::ConfirmCallsign() {
  FreezeQsoTime();
  if (CompleteCallsignOrClearOwn()) {
    FocusTo(LiveField::RstSent);
  } else if (KeyingCheckedInCw() && view_.tastung.checked) {
    view_.achtungVisible = true;
  }
}

bool LiveEntryModel::CompleteCallsignOrClearOwn() {
  const std::string typed = view_.callsign.text;
  if (ctx_.prefixDb != nullptr && LookupPrefix(*ctx_.prefixDb, typed).empty()) {
    SetText(LiveField::Callsign, CompleteHomeCallsign(*ctx_.prefixDb, typed));
  }
  if (WithoutPortableSuffix(view_.callsign.text) != WithoutPortableSuffix(ctx_.ownCallsign)) {
    return true;
  }
  // The own station cannot be logged.
  SetText(LiveField::Callsign, "");
  return false;
}

void LiveEntryModel::CopyCandidate() {
  SetText(LiveField::Callsign, view_.candidates[static_cast<size_t>(view_.highlight)]);
  MoveCursor(LiveField::Callsign, static_cast<int>(view_.callsign.text.size()));
  candidateActive_ = false;
  Hint(23).visible = false;
  Hint(26) = {kGoOnHint, true};
}

void LiveEntryModel::MoveCandidate(int step) {
  const int count = static_cast<int>(view_.candidates.size());
  if (count == 0) return;
  if (step > 0) {
    candidateActive_ = true;
    if (view_.highlight < count - 1) ++view_.highlight;
  } else if (view_.highlight < 0) {
    candidateActive_ = true;
    view_.highlight = count - 1;
  } else if (view_.highlight > 0) {
    --view_.highlight;
  }
}

void LiveEntryModel::CandidateClicked(int index) {
  if (view_.focus != LiveField::Callsign || index < 0 ||
      index >= static_cast<int>(view_.candidates.size())) {
    return;
  }
  view_.highlight = index;
  CopyCandidate();
}

void LiveEntryModel::CompleteQso() {
  if (view_.callsign.text.empty()) {
    workedCallsign_.clear();
    FocusTo(LiveField::Callsign);
    return;
  }
  const std::string sentText(TrimText(view_.textSent.text));
  SetText(LiveField::TextRcvd, std::string(TrimText(view_.textRcvd.text)));
  if (keyingActive_ && !ctrlFlag_) SendFinal();
  ctrlFlag_ = false;
  // Without the log database nothing is recorded: that is reported and the entry stays.
  if (!LogFileExists()) throw std::runtime_error("Die Logdatenbank fehlt: " + ctx_.logDbFile);
  RecordQso(ctx_.logDbFile, qsoTime_, view_.callsign.text, view_.rstSent.text, sentText,
            view_.rstRcvd.text, view_.textRcvd.text);
  RefreshGridAndScore();
  EntryReset();
}

void LiveEntryModel::EntryReset() {
  SetText(LiveField::Callsign, "");
  const char* report = ctx_.cwMode ? "599" : "59";
  const int length = ctx_.cwMode ? 3 : 2;
  for (LiveEdit* edit : {&view_.rstSent, &view_.rstRcvd}) {
    edit->maxLength = length;
    edit->text = report;
  }
  SetText(LiveField::TextSent, "");
  view_.textSent.background = kButtonFace;
  view_.textSent.enabled = false;
  view_.lengthSent = {"", false, kWhite, kBlack};
  SetText(LiveField::TextRcvd, "");
  view_.vorname = {"", false, kWhite, kBlack};
  view_.dupe = {"", false, kWhite, kBlack};
  if (view_.cq.checked) RestartWatchDog();
  FocusTo(LiveField::Callsign);
}

void LiveEntryModel::Escape() {
  if (keyer_.State().MessageRunning()) keyer_.State().abortRequest = true;
  keyer_.State().autoCqPending = false;
  pendingReplacement_.reset();
  EntryReset();
  SetText(LiveField::Msg, "QRL?");
  exchangeInMessage_ = false;
  Hint(25).visible = false;
  candidateActive_ = false;
  view_.highlight = -1;
  view_.ssb.enabled = true;
}

// ---------------------------------------------------------------------------------------------
// Clock, half and candidates

std::string LiveEntryModel::UtcNow() const {
  if (ctx_.clock != nullptr) return Hhnn(ctx_.clock->UtcNow());
  return Hhnn(SystemClock().UtcNow());
}

void LiveEntryModel::FreezeQsoTime() {
  qsoTime_ = UtcNow();
  timeFrozen_ = true;
  SetHalf(qsoTime_ < "0800" ? 0 : 1);
  view_.utc.text = qsoTime_;
  view_.utc.font = ClockColour(qsoTime_);
  view_.utc.visible = true;
  view_.utcClock.visible = false;
  view_.clockTimer.running = false;
}

void LiveEntryModel::ShowRunningClock() {
  view_.utc.visible = false;
  view_.utcClock.text = UtcNow();
  view_.utcClock.font = ClockColour(view_.utcClock.text);
  view_.utcClock.visible = true;
  view_.clockTimer.running = true;
  ++view_.clockTimer.generation;
}

void LiveEntryModel::SetHalf(int half) {
  half_ = half;
  view_.half = half == 0 ? "1. Halbzeit" : "2. Halbzeit";
}

void LiveEntryModel::ClockTick() {
  const std::string now = UtcNow();
  view_.utcClock.text = now;
  view_.utcClock.font = ClockColour(now);
  if (view_.utcClock.visible && half_ == 0 && now >= "0800") {
    LoadCandidates();
    // With a callsign typed, the list shows its matches among the second half's stations, so that
    // Space cannot copy a station the operator never saw highlighted.
    if (EndsInPortable(view_.callsign.text)) {
      view_.highlight = -1;
      candidateActive_ = false;
    } else if (!view_.callsign.text.empty()) {
      FilterCandidates();
    }
  }
}

void LiveEntryModel::LoadCandidates() {
  SetHalf(UtcNow() < "08" ? 0 : 1);
  candidateActive_ = false;
  if (!LogFileExists()) return;
  std::vector<std::string> rows = LoadCandidateList(ctx_.logDbFile, half_, ctx_.cwMode);
  if (rows.empty()) {
    view_.candidates.clear();
    view_.highlight = -1;
    return;
  }
  // Replaced whenever it differs: a list of the same length may hold another half's or mode's
  // stations.
  if (rows != view_.candidates) view_.candidates = std::move(rows);
  view_.highlight = 0;
  candidateActive_ = true;
}

void LiveEntryModel::FilterCandidates() {
  const std::string& text = view_.callsign.text;
  if (!suggestionsLookup_ || EndsInPortable(text) || !LogFileExists()) return;
  std::vector<std::string> rows = FilterCandidateList(ctx_.logDbFile, half_, ctx_.cwMode, text);
  if (!rows.empty()) {
    Hint(26).visible = false;
    view_.candidates = std::move(rows);
    view_.highlight = 0;
    return;
  }
  view_.candidates.clear();
  view_.highlight = -1;
  Hint(25).visible = false;
  Hint(24).visible = false;
  candidateActive_ = false;
  Hint(26) = {kGoOnHint, true};
}

// ---------------------------------------------------------------------------------------------
// Grid and score

bool LiveEntryModel::LogFileExists() const {
  return FileExists(ctx_.logDbFile);
}

void LiveEntryModel::RefreshGridAndScore() {
  gridRows_ = ReadLogGridRows(ctx_.logDbFile);
  ComputeScore(ctx_.logDbFile, ctx_.score);
  view_.score = std::to_string(ctx_.score.cwPoints + ctx_.score.ssbPoints);
}

std::optional<std::vector<LogGridRow>> LiveEntryModel::TakeGridRows() {
  std::optional<std::vector<LogGridRow>> rows = std::move(gridRows_);
  gridRows_.reset();
  return rows;
}

std::vector<std::pair<LiveField, int>> LiveEntryModel::TakeCursorMoves() {
  return std::exchange(cursorMoves_, {});
}

// ---------------------------------------------------------------------------------------------
// Showing and closing

void LiveEntryModel::SetTextDatabasePresent(bool present) {
  view_.texte.enabled = present;
  view_.texte.visible = present;
  view_.label9Visible = present;
}

void LiveEntryModel::Show() {
  const std::string& own = ctx_.ownCallsign;
  view_.title = "VORLAX KTD-Log: KTD live loggen - " + own;
  qrzMessage_ = "QRZ? DE " + own;
  view_.myCallCaption = "[F1] " + own;
  view_.focus = LiveField::None;
  lastInput_ = LiveField::Callsign;
  keyer_.Converter().SetFarnsworth(true);
  LoadSettings();
  if (LogFileExists()) RefreshGridAndScore();
  CallsignChanged();
  if (keyingActive_) KeyingSwitch();
  ShowRunningClock();
  view_.utc.background = kLightRed;
  SetHalf(UtcNow() < "0800" ? 0 : 1);
  if (!timeFrozen_) qsoTime_ = UtcNow();
  FocusTo(LiveField::Callsign);
  view_.highlight = -1;
  Hint(23).visible = false;
  candidateActive_ = false;
}

void LiveEntryModel::Close() {
  keyer_.State().abortRequest = true;
  watchDogInterval_ = 0;
  UpdateTimers();
  keyingActive_ = false;
  keyer_.ApplyKeyingState(false, 0);
  SetCheck(CheckBox::Tastung, false);
  SetCheck(CheckBox::AutoCq, false);
  SetCheck(CheckBox::Cq, false);
  SaveSettings();
}

void LiveEntryModel::LoadSettings() {
  if (!LogFileExists()) return;
  const std::optional<KeyerSettings> settings = LoadKeyerSettings(ctx_.logDbFile);
  if (!settings) return;
  SetCheck(CheckBox::Rts, settings->rtsKeys);
  SetCheck(CheckBox::Tastung, false);
  view_.achtungFrameVisible = false;
  SetCheck(CheckBox::Texte, settings->texts);
  SetCheck(CheckBox::Farnsworth, settings->farnsworth);
  SetCheck(CheckBox::AutoCq, settings->autoCq);
  view_.portIndex = settings->portIndex;
  SetCheck(CheckBox::Reverse, settings->reversed);
  SetSpeed(settings->wpm);
}

void LiveEntryModel::SaveSettings() {
  KeyerSettings settings;
  settings.rtsKeys = view_.rts.checked;
  settings.texts = view_.texte.checked;
  settings.farnsworth = view_.farnsworth.checked;
  settings.autoCq = view_.autoCq.checked;
  settings.portIndex = view_.portIndex;
  settings.reversed = view_.reverse.checked;
  settings.wpm = view_.speed;
  SaveKeyerSettings(ctx_.logDbFile, settings);
}

// ---------------------------------------------------------------------------------------------
// Check boxes and the keyer

LiveCheck& LiveEntryModel::Check(CheckBox box) {
  switch (box) {
    case CheckBox::Tastung:
      return view_.tastung;
    case CheckBox::Texte:
      return view_.texte;
    case CheckBox::Farnsworth:
      return view_.farnsworth;
    case CheckBox::AutoCq:
      return view_.autoCq;
    case CheckBox::Cq:
      return view_.cq;
    case CheckBox::Ssb:
      return view_.ssb;
    case CheckBox::Rts:
      return view_.rts;
    case CheckBox::Reverse:
      break;
  }
  return view_.reverse;
}

void LiveEntryModel::SetCheck(CheckBox box, bool checked) {
  // A check box changed by the program runs its click action, as a click would.
  LiveCheck& check = Check(box);
  if (check.checked == checked) return;
  check.checked = checked;
  ClickAction(box);
}

void LiveEntryModel::CheckBoxClicked(CheckBox box, bool checked) {
  LiveCheck& check = Check(box);
  if (check.checked == checked || !check.enabled) return;
  LeaveForClick();
  check.checked = checked;
  ClickAction(box);
  if (view_.focus == LiveField::None) ReturnFocus();
}

void LiveEntryModel::ClickAction(CheckBox box) {
  switch (box) {
    case CheckBox::Tastung:
      KeyingSwitch();
      return;
    case CheckBox::Ssb:
      ModeSwitch();
      break;
    case CheckBox::Rts:
      keyer_.SetRtsKeys(view_.rts.checked);
      if (keyingActive_) ApplyKeyingState();
      break;
    case CheckBox::Reverse:
      keyer_.SetReversed(view_.reverse.checked);
      break;
    case CheckBox::Texte:
      if (inReceivedText_) {
        view_.suggestionsVisible = view_.texte.checked;
        Hint(25).visible = view_.texte.checked && !view_.suggestions.empty();
      }
      break;
    case CheckBox::Farnsworth:
    case CheckBox::AutoCq:
      // The two share one action: checking Auto-CQ with an empty callsign field starts the CQ.
      if (view_.autoCq.checked && view_.callsign.text.empty() && keyingActive_) SendCq();
      break;
    case CheckBox::Cq:
      OperatingModeSwitch();
      break;
  }
}

bool LiveEntryModel::KeyingCheckedInCw() const {
  return view_.tastung.checked && ctx_.cwMode;
}

void LiveEntryModel::KeyingSwitch() {
  keyingActive_ = KeyingCheckedInCw();
  if (!view_.tastung.checked) view_.ssb.enabled = true;
  view_.achtungFrameVisible = view_.tastung.checked;
  ApplyKeyingState();
}

void LiveEntryModel::ApplyKeyingState() {
  const auto showKeyingControls = [this](bool visible) {
    view_.msgLabel.visible = visible;
    view_.keyingHintsVisible = visible;
    view_.functionKeysVisible = visible;
    view_.msg.visible = visible;
  };
  showKeyingControls(keyingActive_);
  if (keyingActive_) {
    ctrlFlag_ = false;
    view_.portEnabled = false;
    SetText(LiveField::Msg, "QRL?");
    exchangeInMessage_ = false;
    keyer_.SetRtsKeys(view_.rts.checked);
    keyer_.SetReversed(view_.reverse.checked);
    try {
      keyer_.ApplyKeyingState(true, view_.portIndex + 1);
      if (view_.callsign.text.empty()) view_.achtungVisible = view_.tastung.checked;
    } catch (const SerialPortError& error) {
      // Nothing is keyed through a port that did not open; the operator chooses another one.
      keyingActive_ = false;
      showKeyingControls(false);
      view_.portEnabled = true;
      portFailure_ = error.what();
    }
    return;
  }
  view_.achtungVisible = false;
  view_.portEnabled = true;
  SetText(LiveField::Msg, "");
  exchangeInMessage_ = false;
  // A message still running stops at its next step, so reopening the port cannot key its rest.
  if (keyer_.State().MessageRunning()) keyer_.State().abortRequest = true;
  pendingReplacement_.reset();
  keyer_.ApplyKeyingState(false, 0);
}

std::optional<std::string> LiveEntryModel::TakePortFailure() {
  return std::exchange(portFailure_, std::nullopt);
}

void LiveEntryModel::RetryKeyingOnPort(int portIndex) {
  view_.portIndex = std::clamp(portIndex, 0, 19);
  if (!view_.tastung.checked) return;
  keyingActive_ = KeyingCheckedInCw();
  ApplyKeyingState();
}

void LiveEntryModel::CancelKeying() {
  SetCheck(CheckBox::Tastung, false);
  if (view_.tastung.checked) return;
  // Unchecked already (the failure left it checked only in name): bring everything in line.
  keyingActive_ = false;
  ApplyKeyingState();
}

void LiveEntryModel::ModeSwitch() {
  ctx_.cwMode = !view_.ssb.checked;
  const char* report = ctx_.cwMode ? "599" : "59";
  const int length = ctx_.cwMode ? 3 : 2;
  for (LiveField field : {LiveField::RstSent, LiveField::RstRcvd}) {
    Edit(field).maxLength = length;
    SetText(field, report);
  }
  keyingActive_ = KeyingCheckedInCw();
  view_.achtungFrameVisible = keyingActive_;
  ApplyKeyingState();
  view_.keyerGroupVisible = ctx_.cwMode;
}

void LiveEntryModel::PortIndexChosen(int index) {
  if (!view_.portEnabled) return;
  view_.portIndex = std::clamp(index, 0, 19);
}

void LiveEntryModel::SetSpeed(int wpm) {
  view_.speed = keyer_.SetSpeed(wpm);
  view_.wpm.text = std::to_string(view_.speed);
}

void LiveEntryModel::SpeedArrowClicked(int step) {
  LeaveForClick();
  SetSpeed(view_.speed + step);
  ReturnFocus();
}

void LiveEntryModel::TakeTypedSpeed() {
  const std::string& text = view_.wpm.text;
  const int typed = text.empty() ? kSpeedWhenEmpty : std::stoi(text.substr(0, 3));
  SetSpeed(typed);
}

// ---------------------------------------------------------------------------------------------
// Operating messages

MessageContext LiveEntryModel::QsoForMessages() {
  MessageContext qso;
  qso.own = ctx_.ownCallsign;
  qso.worked = workedCallsign_;
  qso.name = view_.vorname.visible ? view_.vorname.text : "";
  qso.agn = view_.dupe.visible && view_.dupe.text == "AGN";
  qso.text = std::string(TrimText(view_.textSent.text));
  qso.report = view_.rstSent.text;
  qso.cqMode = view_.cq.checked;
  qso.shift = shiftFlag_;
  shiftFlag_ = false;
  qso.farnsworth = view_.farnsworth.checked;
  qso.slowTag = keyer_.SlowTag();
  qso.normalTag = keyer_.NormalTag();
  return qso;
}

void LiveEntryModel::TransmitMessage(const std::string& message, const std::string& display) {
  if (keyer_.State().MessageRunning() || ctrlFlag_) {
    ctrlFlag_ = false;
    return;
  }
  watchDogInterval_ = 0;
  watchDogEnabled_ = false;
  UpdateTimers();
  const std::string keyed = KeyedForm(message);
  if (keyed.empty()) return;
  view_.msgLabel.text = display;
  if (keyer_.TransmitText(keyed)) view_.ssb.enabled = false;  // until the message ends
}

void LiveEntryModel::SendCq() {
  watchDogInterval_ = 0;
  UpdateTimers();
  SetText(LiveField::Msg, "QRL?");
  exchangeInMessage_ = false;
  SetCheck(CheckBox::Cq, true);
  KeyerState& state = keyer_.State();
  state.autoCqPending = view_.autoCq.checked;
  if (shiftFlag_) state.autoCqPending = false;
  autoCqText_ = CqMessage(ctx_.ownCallsign, shiftFlag_);
  shiftFlag_ = false;
  TransmitMessage(autoCqText_, autoCqText_);
  if (view_.autoCq.checked && state.autoCqPending) StartAutoCqTimer();
}

void LiveEntryModel::SendReport() {
  const MessageContext qso = QsoForMessages();
  const ComposedMessage composed = ReportMessage(qso);
  if (composed.setsEditMsg) {
    reportCopy_ = qso.report;
    exchangeInMessage_ = composed.carriesExchange;
    SetText(LiveField::Msg, composed.editMsg);
  }
  TransmitMessage(composed.message, composed.display);
}

void LiveEntryModel::SendFinal() {
  const MessageContext qso = QsoForMessages();
  const ComposedMessage composed = FinalMessage(qso);
  if (composed.carriesExchange) {
    SetText(LiveField::Msg, composed.editMsg);
    reportCopy_ = qso.report;
    exchangeInMessage_ = true;
  }
  TransmitMessage(composed.message, composed.display);
  if (qso.cqMode && view_.autoCq.checked) {
    keyer_.State().autoCqPending = true;
    autoCqText_ = CqMessage(ctx_.ownCallsign, false);
    StartAutoCqTimer();
  }
}

bool LiveEntryModel::FunctionKey(int number) {
  switch (number) {
    case 1:
      SendMyCall(shiftFlag_);
      break;
    case 2:
    case 3:
      SendQrzOrB4(number == 2);
      break;
    case 4:
      MessageAction();
      return true;
    case 5:
      FocusTo(LiveField::Msg);
      return true;
    case 9:
      SetCheck(CheckBox::AutoCq, !view_.autoCq.checked);
      break;
    case 10:
      if (view_.cq.enabled) SetCheck(CheckBox::Cq, !view_.cq.checked);
      break;
    default:
      return false;
  }
  ReturnFocus();
  return true;
}

void LiveEntryModel::ButtonClicked(Button button) {
  if (!keyingActive_) return;
  LeaveForClick();
  switch (button) {
    case Button::MyCall:
      if (WatchDogRunning()) RestartWatchDog();
      SendMyCall(false);
      break;
    case Button::Qrz:
    case Button::B4:
      SendQrzOrB4(button == Button::Qrz);
      break;
    case Button::Msg:
      MessageAction();
      break;
  }
  if (view_.focus == LiveField::None) ReturnFocus();
}

void LiveEntryModel::SendMyCall(bool withWorkedCall) {
  const std::string message =
      withWorkedCall ? workedCallsign_ + " de " + ctx_.ownCallsign : ctx_.ownCallsign;
  shiftFlag_ = false;
  if (!ReplaceRunningMessage(message)) return;
  TransmitMessage(message, message);
  labelSuppression_ = false;
}

void LiveEntryModel::SendQrzOrB4(bool qrz) {
  SetText(LiveField::Msg, "QRL?");
  exchangeInMessage_ = false;
  if (WatchDogRunning()) RestartWatchDog();
  const std::string message = qrz ? qrzMessage_ : "QSO B4";
  if (!ReplaceRunningMessage(message)) return;
  TransmitMessage(message, message);
  labelSuppression_ = false;
}

bool LiveEntryModel::ReplaceRunningMessage(const std::string& message) {
  KeyerState& state = keyer_.State();
  if (!state.MessageRunning()) return true;
  labelSuppression_ = true;
  state.abortRequest = true;
  state.autoCqPending = false;
  // The running message stops at its next step; its end actions run before the new message.
  const std::uint64_t endedBefore = keyer_.MessagesEnded();
  waitForStop_(endedBefore, kReplaceWaitMs);
  if (keyer_.MessagesEnded() > endedBefore) {
    MessageEnded(keyer_.LastMessageEnd(), endedBefore + 1);
    state.abortRequest = false;
    return true;
  }
  // Still in a long space (Farnsworth, low speed): the abort stays requested and the new message
  // starts when the old one has stopped, instead of being lost.
  pendingReplacement_ = PendingMessage{message, state.paddleInterruptions.load()};
  return false;
}

void LiveEntryModel::MessageAction() {
  const std::string& text = view_.msg.text;
  if (text.empty()) {
    if (view_.focus == LiveField::Msg) {
      ReturnFocus();
    } else {
      FocusTo(LiveField::Msg);
    }
    return;
  }
  if (keyer_.State().MessageRunning()) return;
  if (exchangeInMessage_) {
    const ComposedMessage repeat =
        RepeatExchangeMessage(reportCopy_, text, view_.farnsworth.checked, keyer_.SlowTag());
    TransmitMessage(repeat.message, repeat.display);
  } else {
    TransmitMessage(text, text);
  }
  ReturnFocus();
}

void LiveEntryModel::OperatingModeSwitch() {
  KeyerState& state = keyer_.State();
  if (view_.cq.checked) {
    if (view_.callsign.text.empty()) {
      RestartWatchDog();
      state.abortRequest = false;
    }
    view_.msgLabel.text = "Modus : CQ";
    view_.msgLabel.background = kBlue;
    view_.msgLabel.font = kWhite;
  } else {
    state.autoCqPending = false;
    state.abortRequest = true;
    pendingReplacement_.reset();
    view_.msgLabel.text = "Modus : S+P";
    view_.msgLabel.background = kWhite;
    view_.msgLabel.font = kBlue;
  }
  SetText(LiveField::Msg, "QRL?");
  exchangeInMessage_ = false;
}

void LiveEntryModel::MessageEnded(MessageEnd how, std::uint64_t number) {
  if (number <= handledEnds_) return;  // already handled where a message was replaced
  handledEnds_ = number;
  view_.ssb.enabled = true;
  autoCqEnabled_ = false;
  watchDogEnabled_ = true;
  keyer_.SetSpeed(view_.speed);
  if (!labelSuppression_ && how == MessageEnd::Stopped) {
    if (view_.cq.checked) {
      if (view_.callsign.text.empty()) RestartWatchDog();
      view_.msgLabel.text = "Modus : CQ";
    } else {
      view_.msgLabel.text = "Modus : S+P";
    }
  }
  if (view_.autoCq.checked && keyer_.State().autoCqPending) StartAutoCqTimer(false);
  UpdateTimers();
  if (pendingReplacement_) {
    const PendingMessage pending = *std::exchange(pendingReplacement_, std::nullopt);
    // Not when the paddle took over meanwhile: the operator is keying by hand.
    if (pending.paddleInterruptions == keyer_.State().paddleInterruptions.load()) {
      TransmitMessage(pending.text, pending.text);
    }
    labelSuppression_ = false;
  }
}

void LiveEntryModel::AutoCqTimerTick() {
  if (keyer_.State().autoCqPending && view_.autoCq.checked) {
    TransmitMessage(autoCqText_, autoCqText_);
    return;
  }
  keyer_.State().autoCqPending = false;
  autoCqInterval_ = 0;
  UpdateTimers();
}

void LiveEntryModel::WatchDogTick() {
  if (!view_.callsign.text.empty()) return;
  watchDogInterval_ = 0;
  UpdateTimers();
  SetCheck(CheckBox::Cq, false);
  keyer_.State().abortRequest = false;
}

bool LiveEntryModel::WatchDogRunning() const {
  return watchDogEnabled_ && watchDogInterval_ > 0;
}

void LiveEntryModel::RestartWatchDog() {
  watchDogInterval_ = kWatchDogIntervalMs;
  ++view_.watchDog.generation;
  UpdateTimers();
}

void LiveEntryModel::StartAutoCqTimer(bool setInterval) {
  if (setInterval) autoCqInterval_ = kAutoCqIntervalMs;
  autoCqEnabled_ = true;
  ++view_.autoCqTimer.generation;
  UpdateTimers();
}

void LiveEntryModel::UpdateTimers() {
  view_.watchDog.intervalMs = watchDogInterval_;
  view_.watchDog.running = WatchDogRunning();
  view_.autoCqTimer.intervalMs = autoCqInterval_;
  view_.autoCqTimer.running = autoCqEnabled_ && autoCqInterval_ > 0;
}
