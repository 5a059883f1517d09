#pragma once
// The live logging window without its widgets: the state of one QSO entry, what each key does in
// each field, which field gets the focus, which hints and warnings show, the check boxes, the grid
// and the score, and recording. Its parts have files of their own: the operating messages
// (MessageControls), the keying controls (KeyingControls), the clock and the half (LiveClock), the
// candidate list (CandidateList) and the exchange texts (ExchangeTexts). The window (TForm1) hands
// it key presses, edits, focus moves and clicks, and copies View() onto its widgets.
//
// Entering and leaving fields: every focus move, whether the model decides it or the operator
// clicks into another field, runs the leaving rules of the old field and the entering rules of the
// new one, in that order. A click on a check box, button or the speed arrows counts as leaving the
// field and coming back to the last input field, as the focus does on the desktop.
//
// Database work opens the log database per action; a failure throws ESQLiteException, which the
// window's event loop shows in the error box. Nothing is recorded by a failed action.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "live/candidate_list.h"
#include "live/dupe_check.h"
#include "live/exchange_texts.h"
#include "live/keying_controls.h"
#include "live/live_clock.h"
#include "live/live_key.h"
#include "live/live_view.h"
#include "live/log_follower.h"
#include "live/log_grid.h"
#include "live/message_controls.h"

class Keyer;
class MessageKeying;
struct AppContext;
struct TypedCharacter;

class LiveEntryModel {
 public:
  using CheckBox = LiveCheckBox;
  using Button = MessageControls::Button;
  using MessageEnd = MessageControls::MessageEnd;
  // Waits until more than `endedBefore` messages have ended, at most maxMs.
  using WaitForMessageStop = MessageControls::WaitForMessageStop;

  // ctx gives the files, the own callsign, the CW mode flag, the clock and the reference data;
  // keyer is the CW keyer on the serial port, rig the transceiver's own keyer through rigctld.
  // All three outlive the model. `wait` is how a replaced message is waited for (by default the
  // keyer's own wait, on its thread).
  LiveEntryModel(AppContext& ctx, Keyer& keyer, RigKeyer& rig, WaitForMessageStop wait = {});

  const LiveView& View() const { return view_; }

  // --- Start-up and showing ---
  // Whether the text-suggestion database was found: CheckBoxTexte and "anzeigen" shown and usable.
  void SetTextDatabasePresent(bool present);
  // The window is shown: title, captions, keyer settings, grid, score, clock, focus to the
  // callsign.
  void Show();
  // The window closes: any message stopped, keying off and the port closed, the settings saved.
  void Close();

  // --- Operator input ---
  KeyOutcome KeyPress(const LiveKey& key);
  // The field's text after the field's own editing (typing, deleting, pasting, dropping). What
  // the field's filter refuses is removed: the field then shows the text as the model keeps it.
  void TextEdited(LiveField field, const std::string& text);
  // The operator put the focus into a field (mouse click).
  void FocusMovedTo(LiveField field) { FocusTo(field); }
  // A check box changed by a click (mouse), to `checked`.
  void CheckBoxClicked(CheckBox box, bool checked);
  // ComboBoxCOM selection.
  void PortIndexChosen(int index) { keying_.PortIndexChosen(index); }
  // The arrows of UpDownWpM: +1 or -1.
  void SpeedArrowClicked(int step);
  // A click on one of the F1 ... F4 buttons.
  void ButtonClicked(Button button);
  // A click on an entry of the candidate list: copied into the callsign field while it has the
  // focus, as Space copies the highlighted entry.
  void CandidateClicked(int index);

  // --- Timers and the keyer ---
  void ClockTick();                                        // TimerUTC2
  void AutoCqTimerTick() { messages_.AutoCqTimerTick(); }  // Timer2
  void WatchDogTick() { messages_.WatchDogTick(); }        // TimerWatchDog
  // The keyer's report that a message ended (the window hands it over to its own thread);
  // `number` counts the ended messages, so one handled already is not handled again.
  void MessageEnded(MessageEnd how, std::uint64_t number);
  // The same from the rig keyer.
  void RigMessageEnded(std::uint64_t number);

  // --- rigctld (the rig keyer's reports, handed over to the window's thread) ---
  void RigConnection(RigKeyer::ConnectionEvent event, const std::string& reason);
  // Mode following: the rig's mode sets CW or SSB, as Ctrl+M would, only with an empty callsign
  // field.
  void RigModeReported(RigModeChange change);
  void RigModeTimerTick() { keying_.RigModeTimerTick(); }  // TimerRigMode
  // The reason rigctld could not be reached when keying was switched on, once.
  std::optional<std::string> TakeKeyingFailure() { return keying_.TakeKeyingFailure(); }

  // --- Keyer port ---
  // The reason the keyer port could not be opened when keying was switched on, once; the window
  // then asks for another port.
  std::optional<std::string> TakePortFailure() { return keying_.TakePortFailure(); }
  // The operator chose another port in the port dialog: it is selected and keying tried again.
  void RetryKeyingOnPort(int portIndex) { keying_.RetryKeyingOnPort(portIndex); }
  // The operator cancelled the port dialog: keying stays off.
  void CancelKeying() { keying_.CancelKeying(); }

  // --- For the window ---
  // All log rows when they were read anew since the last call.
  std::optional<std::vector<LogGridRow>> TakeGridRows();
  // The rows recorded since the last call, to add after those taken before.
  std::vector<LogGridRow> TakeAddedGridRows();
  // Cursor positions the model set in fields since the last call.
  std::vector<std::pair<LiveField, int>> TakeCursorMoves();

  // For tests: the QSO time that the next recording uses, and the current half.
  const std::string& QsoTime() const { return clock_.QsoTime(); }
  int Half() const { return clock_.Half(); }
  bool CandidateListActive() const { return candidates_.Active(); }
  bool KeyingActive() const { return keying_.Active(); }
  const MessageKeying& Keying() const { return messages_.Keying(); }

 private:
  LiveEdit& Edit(LiveField field) { return view_.Field(field); }
  LiveLabel& Hint(LiveHint line) { return view_.Hint(line); }

  // Focus and fields.
  void FocusTo(LiveField field);
  void ReturnFocus();
  void LeaveForClick();
  void Enter(LiveField field);
  void Leave(LiveField field);
  void LeaveCallsign();
  void SetText(LiveField field, const std::string& text);
  void MoveCursor(LiveField field, int position);
  void TextChanged(LiveField field);

  // Keys.
  KeyOutcome FieldKeyPress(const LiveKey& key);
  KeyOutcome CallsignKeyPress(const LiveKey& key);
  KeyOutcome ReportKeyPress(LiveField field, const LiveKey& key);
  KeyOutcome TextSentKeyPress(const LiveKey& key);
  KeyOutcome TextRcvdKeyPress(const LiveKey& key);
  KeyOutcome MessageKeyPress(const LiveKey& key);
  void ReportDigitStep(LiveField field, int step);
  // What a filtered character does: inserted by the field, or appended here.
  KeyOutcome Typed(LiveField field, const TypedCharacter& typed);
  bool FunctionKey(int number);
  void MoveFocus(MessageControls::FocusAfter focus);

  // The entry flow.
  void CallsignChanged();
  void ConfirmCallsign();
  bool CompleteCallsignOrClearOwn();
  void ShowDupeState(DupeLabelState state);
  void CopyCandidate();
  void CompleteQso();
  void EntryReset();
  void Escape();
  void StartCallsignSpaceOrEnter();
  // The QSO as the report and the closing message need it.
  MessageContext QsoForMessages() const;

  // The half of now and its candidates.
  void LoadCandidates();

  // Grid and score: all read anew, or the recorded rows added.
  void RefreshGridAndScore();
  void AddRecordedToGridAndScore();
  void ShowScore();
  bool LogFileExists() const;

  // Check boxes.
  void SetCheck(CheckBox box, bool checked);
  void ClickAction(CheckBox box);
  void ModeSwitch();
  void LoadSettings();

  AppContext& ctx_;
  Keyer& keyer_;
  LiveView view_;
  MessageControls messages_;
  KeyingControls keying_;
  LiveClock clock_;
  CandidateList candidates_;
  ExchangeTexts texts_;

  bool ktdStation_ = false;
  LiveField lastInput_ = LiveField::Callsign;
  std::string workedCallsign_;

  LogFollower log_;
  std::optional<std::vector<LogGridRow>> gridRows_;
  std::vector<LogGridRow> addedGridRows_;
  std::vector<std::pair<LiveField, int>> cursorMoves_;
};
