#pragma once
// The live logging window without its widgets: the state of one QSO entry, what each key does in
// each field, which field gets the focus, which hints and warnings show, the UTC clock and the
// half, the candidate list, the text suggestions, recording and the keyer controls. The window
// (TForm1) hands it key presses, edits, focus moves and clicks, and copies View() onto its widgets.
//
// Entering and leaving fields: every focus move, whether the model decides it or the operator
// clicks into another field, runs the leaving rules of the old field and the entering rules of the
// new one, in that order. A click on a check box, button or the speed arrows counts as leaving the
// field and coming back to the last input field, as the focus does on the desktop.
//
// Database work opens the log database per action; a failure throws ESQLiteException, which the
// window's event loop shows in the error box. Nothing is recorded by a failed action.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "keyer/message_player.h"

#include "live/dupe_check.h"
#include "live/live_key.h"
#include "live/live_view.h"
#include "live/log_grid.h"

class Keyer;
struct AppContext;
struct MessageContext;
struct TypedCharacter;

class LiveEntryModel {
 public:
  enum class CheckBox { Tastung, Texte, Farnsworth, AutoCq, Cq, Ssb, Rts, Reverse };
  enum class Button { MyCall, Qrz, B4, Msg };
  using MessageEnd = MessagePlayer::MessageEnd;
  // Waits until more than `endedBefore` messages have ended, at most maxMs.
  using WaitForMessageStop = std::function<void(std::uint64_t endedBefore, int maxMs)>;

  // ctx gives the files, the own callsign, the CW mode flag, the clock and the reference data;
  // keyer is the CW keyer on the serial port. Both outlive the model. `wait` is how a replaced
  // message is waited for (by default the keyer's own wait, on its thread).
  LiveEntryModel(AppContext& ctx, Keyer& keyer, WaitForMessageStop wait = {});

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
  void FocusMovedTo(LiveField field);
  // A check box changed by a click (mouse), to `checked`.
  void CheckBoxClicked(CheckBox box, bool checked);
  // ComboBoxCOM selection.
  void PortIndexChosen(int index);
  // The arrows of UpDownWpM: +1 or -1.
  void SpeedArrowClicked(int step);
  // A click on one of the F1 ... F4 buttons.
  void ButtonClicked(Button button);
  // A click on an entry of the candidate list: copied into the callsign field while it has the
  // focus, as Space copies the highlighted entry.
  void CandidateClicked(int index);

  // --- Timers and the keyer ---
  void ClockTick();        // TimerUTC2
  void AutoCqTimerTick();  // Timer2
  void WatchDogTick();     // TimerWatchDog
  // The keyer's report that a message ended (the window hands it over to its own thread);
  // `number` counts the ended messages, so one handled already is not handled again.
  void MessageEnded(MessageEnd how, std::uint64_t number);

  // --- Keyer port ---
  // The reason the keyer port could not be opened when keying was switched on, once; the window
  // then asks for another port.
  std::optional<std::string> TakePortFailure();
  // The operator chose another port in the port dialog: it is selected and keying tried again.
  void RetryKeyingOnPort(int portIndex);
  // The operator cancelled the port dialog: keying stays off.
  void CancelKeying();

  // --- For the window ---
  // The log rows when they changed since the last call.
  std::optional<std::vector<LogGridRow>> TakeGridRows();
  // Cursor positions the model set in fields since the last call.
  std::vector<std::pair<LiveField, int>> TakeCursorMoves();

  // For tests: the QSO time that the next recording uses, and the current half.
  const std::string& QsoTime() const { return qsoTime_; }
  int Half() const { return half_; }
  bool CandidateListActive() const { return candidateActive_; }
  bool KeyingActive() const { return keyingActive_; }

 private:
  LiveEdit& Edit(LiveField field);
  const LiveEdit& Edit(LiveField field) const;
  LiveLabel& Hint(int number) { return view_.hints[static_cast<size_t>(number - 22)]; }

  // Focus and fields.
  void FocusTo(LiveField field);
  void ReturnFocus();
  void LeaveForClick();
  void Enter(LiveField field);
  void Leave(LiveField field);
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
  KeyOutcome SpeedKeyPress(const LiveKey& key);
  void ReportDigitStep(LiveField field, int step);
  // What a filtered character does: inserted by the field, or appended here.
  KeyOutcome Typed(LiveField field, const TypedCharacter& typed);

  // The entry flow.
  void CallsignChanged();
  void TextSentChanged();
  void TextRcvdChanged();
  void ConfirmCallsign();
  bool CompleteCallsignOrClearOwn();
  void ShowDupeState(DupeLabelState state);
  void CopyCandidate();
  void MoveCandidate(int step);
  void CompleteQso();
  void EntryReset();
  void Escape();
  void StartCallsignSpaceOrEnter();

  // Clock and half.
  std::string UtcNow() const;
  void FreezeQsoTime();
  void ShowRunningClock();
  void SetHalf(int half);
  void LoadCandidates();
  void FilterCandidates();

  // Grid, score, suggestions.
  void RefreshGridAndScore();
  void RefreshSuggestions();
  bool LogFileExists() const;

  // Check boxes and the keyer.
  void SetCheck(CheckBox box, bool checked);
  LiveCheck& Check(CheckBox box);
  void ClickAction(CheckBox box);
  void KeyingSwitch();
  void ApplyKeyingState();
  void ModeSwitch();
  void SetSpeed(int wpm);
  void TakeTypedSpeed();
  void LoadSettings();
  void SaveSettings();
  bool KeyingCheckedInCw() const;

  // Operating messages.
  MessageContext QsoForMessages();
  void TransmitMessage(const std::string& message, const std::string& display);
  void SendCq();
  void SendReport();
  void SendFinal();
  bool FunctionKey(int number);
  void SendMyCall(bool withWorkedCall);
  void SendQrzOrB4(bool qrz);
  // True when `message` can be sent now; false when it waits for the running message to stop.
  bool ReplaceRunningMessage(const std::string& message);
  void MessageAction();
  void OperatingModeSwitch();
  bool WatchDogRunning() const;
  void RestartWatchDog();
  void StartAutoCqTimer(bool setInterval = true);
  void UpdateTimers();

  AppContext& ctx_;
  Keyer& keyer_;
  LiveView view_;

  std::string qsoTime_ = "0000";
  bool timeFrozen_ = false;  // frozen for the callsign now in the field
  int half_ = 0;
  bool ktdStation_ = false;
  bool candidateActive_ = false;
  bool suggestionsLookup_ = false;
  bool inReceivedText_ = false;
  bool suggestionCopied_ = false;  // the received text is the top suggestion just copied
  LiveField lastInput_ = LiveField::Callsign;
  std::string workedCallsign_;
  std::string qrzMessage_;
  bool ctrlFlag_ = false;
  bool shiftFlag_ = false;
  bool exchangeInMessage_ = false;
  bool keyingActive_ = false;  // keying switched on in CW: port open, paddle live
  WaitForMessageStop waitForStop_;
  std::string autoCqText_;
  std::string reportCopy_;
  bool labelSuppression_ = false;  // a replaced message's end leaves label and watchdog alone
  std::uint64_t handledEnds_ = 0;
  int watchDogInterval_ = 0;  // TimerWatchDog: 30000 ms while counting, 0 stopped
  bool watchDogEnabled_ = true;
  int autoCqInterval_ = 0;  // Timer2: 2000 ms once an automatic CQ is pending
  bool autoCqEnabled_ = false;
  struct PendingMessage {
    std::string text;
    unsigned paddleInterruptions = 0;
  };
  std::optional<PendingMessage> pendingReplacement_;

  std::optional<std::string> portFailure_;
  std::optional<std::vector<LogGridRow>> gridRows_;
  std::vector<std::pair<LiveField, int>> cursorMoves_;
};
