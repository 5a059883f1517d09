#include "live/live_entry_model.h"

#include <stdexcept>
#include <utility>

#include "common/ascii_text.h"
#include "common/text_file.h"
#include "contest/classification.h"
#include "contest/home_completion.h"
#include "contest/prefix_lookup.h"
#include "contest/report_completion.h"
#include "contest/text_rules.h"
#include "db/sqlite_database.h"
#include "keyer/keyer.h"
#include "live/candidate_queries.h"
#include "live/dupe_check.h"
#include "live/entry_key_filters.h"
#include "live/record_qso.h"
#include "live/text_suggestions.h"
#include "services/app_context.h"

namespace {

using namespace live_colour;

constexpr int kClockIntervalMs = 1000;

const char* const kSuffixHint = "Bei KTD-Stationen : Nur das Suffix eintippen";
const char* const kGoOnHint = "Weiter : [Space] oder [Enter]";
constexpr LiveHint kAllButCallsignHint[] = {LiveHint::OneDigit, LiveHint::TwoDigits,
                                            LiveHint::Shortcut, LiveHint::GoOn};

// The callsign without a trailing "/P" (either case), in upper case.
std::string WithoutPortableSuffix(const std::string& callsign) {
  std::string upper = AsciiUpper(callsign);
  if (upper.size() >= 2 && upper.compare(upper.size() - 2, 2, "/P") == 0)
    upper.resize(upper.size() - 2);
  return upper;
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

}  // namespace

LiveEntryModel::LiveEntryModel(AppContext& ctx, Keyer& keyer, RigKeyer& rig,
                               WaitForMessageStop wait)
    : ctx_(ctx),
      keyer_(keyer),
      messages_(keyer, view_, ctx.ownCallsign, std::move(wait)),
      keying_(ctx, keyer, rig, view_, messages_),
      clock_(ctx.clock, view_),
      candidates_(ctx, view_),
      texts_(ctx, view_) {
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
  Hint(LiveHint::Callsign).text = kSuffixHint;
  for (LiveHint line : kAllButCallsignHint) Hint(line).visible = false;
  view_.clockTimer.intervalMs = kClockIntervalMs;
}

// ---------------------------------------------------------------------------------------------
// Fields and focus

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
      texts_.SentTextChanged(ktdStation_);
      break;
    case LiveField::TextRcvd:
      texts_.ReceivedTextChanged();
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

void LiveEntryModel::ReturnFocus() {
  FocusTo(lastInput_);
}

void LiveEntryModel::LeaveForClick() {
  // A click takes the focus out of the field; the control's action brings it back. Modifiers
  // held for an earlier key do not make the click a long or a silent one.
  messages_.SetSendOptions({});
  const LiveField old = view_.focus;
  view_.focus = LiveField::None;
  Leave(old);
}

void LiveEntryModel::Enter(LiveField field) {
  const bool achtung = view_.tastung.checked && keying_.Active();
  switch (field) {
    case LiveField::Callsign:
      lastInput_ = field;
      view_.ssb.enabled = true;
      LoadCandidates();
      candidates_.Reset();
      candidates_.StartLookup();
      Hint(LiveHint::Callsign) = {kSuffixHint, true};
      for (LiveHint line : kAllButCallsignHint) Hint(line).visible = false;
      if (view_.callsign.text.empty()) clock_.ShowRunning();
      break;
    case LiveField::RstSent:
      lastInput_ = field;
      view_.ssb.enabled = false;
      Hint(LiveHint::OneDigit) = {"Eine Ziffer  :  S", true};
      Hint(LiveHint::TwoDigits) = {"Zwei Ziffern : RS", true};
      Hint(LiveHint::Callsign) = {"", true};
      Hint(LiveHint::Shortcut) = {
          "Text sent \xFC"
          "berschreiben : [Tabulator]",
          ktdStation_};
      Hint(LiveHint::GoOn) = {kGoOnHint, true};
      if (achtung) view_.achtungVisible = true;
      break;
    case LiveField::TextSent:
      Hint(LiveHint::Shortcut) = {"Feld verlassen : [Shift]+[Tabluator]", true};
      break;
    case LiveField::RstRcvd:
      lastInput_ = field;
      Hint(LiveHint::GoOn) = {ktdStation_ ? kGoOnHint : "Loggen : [Space] oder [Enter]", true};
      if (ktdStation_) view_.achtungVisible = false;
      break;
    case LiveField::TextRcvd:
      lastInput_ = field;
      texts_.EnterReceivedText();
      messages_.ReceivedTextEntered();
      if (view_.textRcvd.text.empty()) view_.textRcvd.background = kWhite;
      if (achtung) view_.achtungVisible = true;
      break;
    default:
      break;
  }
}

void LiveEntryModel::Leave(LiveField field) {
  switch (field) {
    case LiveField::Callsign:
      LeaveCallsign();
      break;
    case LiveField::RstSent:
      SetText(field, CompleteReport(view_.rstSent.text, ctx_.cwMode));
      messages_.ReleaseMessages();
      Hint(LiveHint::Callsign).visible = false;
      Hint(LiveHint::Shortcut).visible = false;
      break;
    case LiveField::TextSent:
      Hint(LiveHint::Shortcut).visible = false;
      break;
    case LiveField::RstRcvd:
      SetText(field, CompleteReport(view_.rstRcvd.text, ctx_.cwMode));
      break;
    case LiveField::TextRcvd:
      texts_.LeaveReceivedText();
      messages_.ReceivedTextLeft();
      break;
    case LiveField::WpM:
      keying_.TakeTypedSpeed();
      break;
    case LiveField::RigAddress:
      keying_.RigAddressLeft();
      break;
    default:
      break;
  }
}

void LiveEntryModel::LeaveCallsign() {
  lastInput_ = LiveField::Callsign;
  SetText(LiveField::TextSent, "");
  candidates_.SetActive(false);
  Hint(LiveHint::TwoDigits).visible = false;
  if (view_.callsign.text.empty()) return;
  // A callsign the operator never confirmed (moving on with the mouse) is completed as Space
  // would, and gets the time it was left, not the time of the previous QSO.
  if (!clock_.Frozen()) {
    clock_.Freeze();
    if (!CompleteCallsignOrClearOwn()) return;
  }
  const std::string callsign = view_.callsign.text;
  messages_.ReleaseMessages();
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
      ShowDupeState(
          CheckDupeOrRepeat(ctx_.logDbFile, callsign, true, clock_.Half() == 1, ctx_.cwMode));
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
          CheckDupeOrRepeat(ctx_.logDbFile, callsign, false, clock_.Half() == 1, ctx_.cwMode));
    }
  }
}

// ---------------------------------------------------------------------------------------------
// Keys

KeyOutcome LiveEntryModel::KeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  // A modifier pressed alone says nothing yet: the flags describe the key it is held for.
  if (key.code == Code::Modifier) return KeyOutcome::Pass();
  messages_.SetSendOptions(
      {key.ctrl && !key.shift && !key.alt, key.shift && !key.ctrl && !key.alt});
  // A held key types once; only editing and cursor keys repeat.
  if (key.autoRepeat && !key.RepeatsWhileHeld()) return KeyOutcome::Consumed();

  if (key.shift && key.ctrl && (key.code == Code::Up || key.code == Code::Down)) {
    keying_.SetSpeed(view_.speed + (key.code == Code::Up ? 1 : -1));
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Function) {
    if (keying_.Active() && FunctionKey(key.function)) return KeyOutcome::Consumed();
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
        if (view_.farnsworth.enabled) SetCheck(CheckBox::Farnsworth, !view_.farnsworth.checked);
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
    if (view_.focus == LiveField::Callsign) candidates_.ClearHighlight();
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
      if (key.code != LiveKey::Code::Enter) return keying_.SpeedKeyPress(key);
      keying_.TakeTypedSpeed();
      ReturnFocus();
      return KeyOutcome::Consumed();
    case LiveField::RigAddress:
      if (key.code != LiveKey::Code::Enter) return KeyOutcome::Pass();
      ReturnFocus();
      return KeyOutcome::Consumed();
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
  if (empty) candidates_.ClearHighlight();  // with an empty field any key removes the highlight
  if (key.ctrl && key.letter == 'M') {
    if (empty) {
      SetCheck(CheckBox::Ssb, !view_.ssb.checked);
      ModeSwitch();
    }
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Up || key.code == Code::Down) {
    if (!empty) candidates_.Move(key.code == Code::Down ? 1 : -1);
    return KeyOutcome::Consumed();
  }
  if (!key.TypesCharacter()) return KeyOutcome::Pass();

  if (key.code == Code::Backspace) {
    view_.vorname = {"", false, kWhite, kBlack};
  } else {
    view_.dupe.visible = false;
  }
  messages_.CallsignKeyTyped();

  if (key.code == Code::Space && candidates_.CanCopy()) {
    CopyCandidate();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Space || key.code == Code::Enter) {
    ConfirmCallsign();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::Callsign, FilterCallsignCharacter(key.Character()));
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
      if (keying_.Active() && !workedCallsign_.empty()) messages_.SendReport(QsoForMessages());
      FocusTo(LiveField::RstRcvd);
    } else if (ktdStation_) {
      FocusTo(LiveField::TextRcvd);
    } else {
      CompleteQso();
    }
    return KeyOutcome::Consumed();
  }
  if (!key.TypesCharacter()) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(field, FilterReportCharacter(key.Character()));
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
  if (!key.TypesCharacter()) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::TextSent, FilterSentTextCharacter(key.Character(), view_.textSent.text));
}

KeyOutcome LiveEntryModel::TextRcvdKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Enter) {
    CompleteQso();
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Space) {
    switch (texts_.SpaceInReceivedText()) {
      case ExchangeTexts::Space::Log:
        CompleteQso();
        return KeyOutcome::Consumed();
      case ExchangeTexts::Space::CopyTopSuggestion:
        SetText(LiveField::TextRcvd, texts_.WithTopSuggestion());
        MoveCursor(LiveField::TextRcvd, static_cast<int>(view_.textRcvd.text.size()));
        texts_.TopSuggestionCopied();
        return KeyOutcome::Consumed();
      case ExchangeTexts::Space::Type:
        break;
    }
  }
  if (!key.TypesCharacter()) return KeyOutcome::Pass();
  if (key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::TextRcvd, FilterReceivedTextCharacter(key.Character()));
}

KeyOutcome LiveEntryModel::MessageKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Enter) {
    MoveFocus(messages_.MessageAction(true));
    return KeyOutcome::Consumed();
  }
  if (!key.TypesCharacter() || key.code == Code::Backspace) return KeyOutcome::Pass();
  return Typed(LiveField::Msg, FilterMessageCharacter(key.Character()));
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
    Hint(LiveHint::Shortcut) = {"KTD-Station kopieren : [Space]", listed};
    Hint(LiveHint::Callsign) = {"Heimstation : [Enter]", listed};
    candidates_.SetActive(listed);
    view_.achtungVisible = false;
    messages_.CallsignChanged(false);
  } else {
    Hint(LiveHint::Callsign) = {kSuffixHint, true};
    Hint(LiveHint::Shortcut).visible = false;
    Hint(LiveHint::GoOn).visible = false;
    clock_.Unfreeze();
    clock_.ShowRunning();
    messages_.CallsignChanged(true);
    if (keying_.CheckedInCw()) view_.achtungVisible = true;
  }
  candidates_.Filter(view_.callsign.text, clock_.Half());
}

void LiveEntryModel::ShowDupeState(DupeLabelState state) {
  if (state == DupeLabelState::Unchanged) return;
  view_.dupe = {DupeLabelCaption(state), state != DupeLabelState::Hidden, DupeLabelColour(state),
                kWhite};
}

void LiveEntryModel::StartCallsignSpaceOrEnter() {
  if (keying_.Active()) messages_.SendCq();
}

void LiveEntryModel::ConfirmCallsign() {
  clock_.Freeze();
  if (CompleteCallsignOrClearOwn()) {
    FocusTo(LiveField::RstSent);
  } else if (keying_.CheckedInCw()) {
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
  SetText(LiveField::Callsign, candidates_.Highlighted());
  MoveCursor(LiveField::Callsign, static_cast<int>(view_.callsign.text.size()));
  candidates_.SetActive(false);
  Hint(LiveHint::TwoDigits).visible = false;
  Hint(LiveHint::GoOn) = {kGoOnHint, true};
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
  const std::string sentText = TrimBlanks(view_.textSent.text);
  SetText(LiveField::TextRcvd, TrimBlanks(view_.textRcvd.text));
  messages_.QsoCompleted(QsoForMessages(), keying_.Active());
  // Without the log database nothing is recorded: that is reported and the entry stays.
  if (!LogFileExists()) throw std::runtime_error("Die Logdatenbank fehlt: " + ctx_.logDbFile);
  RecordQso(ctx_.logDbFile, clock_.QsoTime(), view_.callsign.text, view_.rstSent.text, sentText,
            view_.rstRcvd.text, view_.textRcvd.text);
  AddRecordedToGridAndScore();
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
  messages_.EntryReset();
  FocusTo(LiveField::Callsign);
}

void LiveEntryModel::Escape() {
  messages_.Escape();
  EntryReset();
  Hint(LiveHint::Shortcut).visible = false;
  candidates_.Reset();
  view_.ssb.enabled = true;
}

// ---------------------------------------------------------------------------------------------
// Clock, half and candidates

void LiveEntryModel::ClockTick() {
  if (!clock_.Tick()) return;
  clock_.DecideHalf();
  candidates_.Reload(view_.callsign.text, clock_.Half());
}

void LiveEntryModel::LoadCandidates() {
  clock_.DecideHalf();
  candidates_.Load(clock_.Half());
}

// ---------------------------------------------------------------------------------------------
// Grid and score

bool LiveEntryModel::LogFileExists() const {
  return FileExists(ctx_.logDbFile);
}

void LiveEntryModel::RefreshGridAndScore() {
  gridRows_ = log_.ReadAll(ctx_.logDbFile).rows;
  addedGridRows_.clear();
  ShowScore();
}

void LiveEntryModel::AddRecordedToGridAndScore() {
  LogGridRead read = log_.ReadAdded(ctx_.logDbFile);
  if (read.all) {
    gridRows_ = std::move(read.rows);
    addedGridRows_.clear();
  } else {
    // Rows the window has not taken yet are added to.
    std::vector<LogGridRow>& pending = gridRows_ ? *gridRows_ : addedGridRows_;
    for (LogGridRow& row : read.rows) pending.push_back(std::move(row));
  }
  ShowScore();
}

void LiveEntryModel::ShowScore() {
  ctx_.score = log_.Score();
  view_.score = std::to_string(ctx_.score.cwPoints + ctx_.score.ssbPoints);
}

std::optional<std::vector<LogGridRow>> LiveEntryModel::TakeGridRows() {
  std::optional<std::vector<LogGridRow>> rows = std::move(gridRows_);
  gridRows_.reset();
  return rows;
}

std::vector<LogGridRow> LiveEntryModel::TakeAddedGridRows() {
  return std::exchange(addedGridRows_, {});
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
  messages_.Show();
  view_.myCallCaption = "[F1] " + own;
  view_.focus = LiveField::None;
  lastInput_ = LiveField::Callsign;
  keyer_.Converter().SetFarnsworth(true);
  LoadSettings();
  if (LogFileExists()) RefreshGridAndScore();
  CallsignChanged();
  if (keying_.Active()) keying_.KeyingSwitch();
  clock_.Show();
  FocusTo(LiveField::Callsign);
  Hint(LiveHint::TwoDigits).visible = false;
  candidates_.Reset();
}

void LiveEntryModel::Close() {
  messages_.Close();
  keying_.Close();
  SetCheck(CheckBox::AutoCq, false);
  SetCheck(CheckBox::Cq, false);
  keying_.SaveSettings();
  keying_.SaveRigSettings();
}

void LiveEntryModel::LoadSettings() {
  keying_.LoadRigSettings();
  const std::optional<KeyerSettings> settings = keying_.LoadSettings();
  if (!settings) return;
  SetCheck(CheckBox::Texte, settings->texts);
  SetCheck(CheckBox::Farnsworth, settings->farnsworth);
  SetCheck(CheckBox::AutoCq, settings->autoCq);
}

// ---------------------------------------------------------------------------------------------
// Check boxes

void LiveEntryModel::SetCheck(CheckBox box, bool checked) {
  // A check box changed by the program runs its click action, as a click would.
  LiveCheck& check = view_.Box(box);
  if (check.checked == checked) return;
  check.checked = checked;
  ClickAction(box);
}

void LiveEntryModel::CheckBoxClicked(CheckBox box, bool checked) {
  LiveCheck& check = view_.Box(box);
  if (check.checked == checked || !check.enabled) return;
  LeaveForClick();
  check.checked = checked;
  ClickAction(box);
  if (view_.focus == LiveField::None) ReturnFocus();
}

void LiveEntryModel::ClickAction(CheckBox box) {
  switch (box) {
    case CheckBox::Tastung:
      keying_.KeyingSwitch();
      break;
    case CheckBox::Ssb:
      ModeSwitch();
      break;
    case CheckBox::Rts:
      keying_.LineSwitch();
      break;
    case CheckBox::Reverse:
      keying_.OrientationSwitch();
      break;
    case CheckBox::ViaRigctld:
      keying_.RigctldSwitch();
      break;
    case CheckBox::FollowRig:
      keying_.FollowSwitch();
      break;
    case CheckBox::Texte:
      texts_.TextsOptionClicked();
      break;
    case CheckBox::Farnsworth:
    case CheckBox::AutoCq:
      messages_.AutoCqClicked(keying_.Active());
      break;
    case CheckBox::Cq:
      messages_.OperatingModeSwitch();
      break;
  }
}

void LiveEntryModel::ModeSwitch() {
  ctx_.cwMode = !view_.ssb.checked;
  const char* report = ctx_.cwMode ? "599" : "59";
  const int length = ctx_.cwMode ? 3 : 2;
  for (LiveField field : {LiveField::RstSent, LiveField::RstRcvd}) {
    Edit(field).maxLength = length;
    SetText(field, report);
  }
  keying_.ModeChanged();
}

// ---------------------------------------------------------------------------------------------
// The keyers' reports

void LiveEntryModel::MessageEnded(MessageEnd how, std::uint64_t number) {
  if (!keying_.KeyingViaRig()) messages_.MessageEnded(how, number);
}

void LiveEntryModel::RigMessageEnded(std::uint64_t number) {
  if (keying_.KeyingViaRig()) messages_.MessageEnded(MessageEnd::Stopped, number);
}

void LiveEntryModel::RigConnection(RigKeyer::ConnectionEvent event, const std::string& reason) {
  keying_.RigConnection(event, reason);
}

void LiveEntryModel::RigModeReported(RigModeChange change) {
  // Never in the middle of a QSO: its mode was settled when it began.
  if (!view_.followRig.checked || change == RigModeChange::None) return;
  if (!view_.callsign.text.empty()) return;
  const bool ssb = change == RigModeChange::Ssb;
  if (view_.ssb.checked != ssb) SetCheck(CheckBox::Ssb, ssb);
}

// ---------------------------------------------------------------------------------------------
// Speed

void LiveEntryModel::SpeedArrowClicked(int step) {
  LeaveForClick();
  keying_.SetSpeed(view_.speed + step);
  ReturnFocus();
}

// ---------------------------------------------------------------------------------------------
// Operating messages

MessageContext LiveEntryModel::QsoForMessages() const {
  MessageContext qso;
  qso.worked = workedCallsign_;
  qso.name = view_.vorname.visible ? view_.vorname.text : "";
  qso.agn = view_.dupe.visible && view_.dupe.text == "AGN";
  qso.text = TrimBlanks(view_.textSent.text);
  qso.report = view_.rstSent.text;
  return qso;
}

bool LiveEntryModel::FunctionKey(int number) {
  const std::optional<MessageControls::FocusAfter> focus =
      messages_.FunctionKey(number, workedCallsign_, view_.focus == LiveField::Msg);
  if (!focus) return false;
  MoveFocus(*focus);
  return true;
}

void LiveEntryModel::ButtonClicked(Button button) {
  if (!keying_.Active()) return;
  LeaveForClick();
  MoveFocus(messages_.ButtonClicked(button, workedCallsign_));
  if (view_.focus == LiveField::None) ReturnFocus();
}

void LiveEntryModel::MoveFocus(MessageControls::FocusAfter focus) {
  if (focus == MessageControls::FocusAfter::LastInput) ReturnFocus();
  if (focus == MessageControls::FocusAfter::MessageField) FocusTo(LiveField::Msg);
}
