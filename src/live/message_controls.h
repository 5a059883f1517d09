#pragma once
// The operating messages of the live window while CW keying is on: the CQ, the report and the
// closing message of a QSO, the F-key messages, the CQ and S+P modes, the automatic CQ (Timer2),
// the CQ watchdog (TimerWatchDog) and what the end of a message changes.
//
// Inputs: a snapshot of the QSO for the report and the closing message, the send options of the
// last key (Ctrl, Shift), and from the view CheckBoxCQ, CheckBoxAutoCQ, CheckBoxFarnsworth and
// whether the callsign field is empty. Outputs, into the view: LabelMSG's text and colours, the
// QRZ caption, EditMSG's text, the two timers, CheckBoxCQ, and CheckBoxSSB held while a message is
// keyed. The keyer keys the texts (the serial keyer or the rig's, whichever KeyingControls chose);
// its shared flags change only through its intent methods.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "keyer/message_keying.h"

#include "live/operating_messages.h"

struct LiveView;

class MessageControls {
 public:
  using MessageEnd = MessageKeying::MessageEnd;
  // Waits until more than `endedBefore` messages have ended, at most maxMs.
  using WaitForMessageStop = std::function<void(std::uint64_t endedBefore, int maxMs)>;

  enum class Button { MyCall, Qrz, B4, Msg };
  // Where the focus goes after an F-key or a button: nowhere, back to the last input field, or
  // into EditMSG.
  enum class FocusAfter { Stay, LastInput, MessageField };

  // What the last key asks of a message it triggers.
  struct SendOptions {
    bool silent = false;    // Ctrl: the entry goes on, nothing is keyed ("Keine Aussendung")
    bool longForm = false;  // Shift: the long form ("Lange Aussendung")
  };

  // own is the own callsign; keyer, view and own outlive this. `wait` is how a replaced message
  // is waited for (by default the keyer's own wait, on its thread).
  MessageControls(MessageKeying& keyer, LiveView& view, const std::string& own,
                  WaitForMessageStop wait);

  // The keyer the messages go to from now on (only while keying is off); it outlives this.
  void UseKeying(MessageKeying& keyer);
  const MessageKeying& Keying() const { return *keyer_; }

  // Set at every key, cleared by a click: a click sends neither silently nor in the long form.
  void SetSendOptions(SendOptions options) { options_ = options; }

  // The window is shown: F2 asks "QRZ? DE " + own.
  void Show();
  // The window closes: any message is stopped and the watchdog too.
  void Close();

  // --- Messages of the entry flow (only while keying is on) ---
  // Space or Enter in the empty callsign field: CQ mode and the CQ, repeated with Auto-CQ.
  void SendCq();
  // `qso` holds worked, name, agn, text and report; the rest is filled in here.
  void SendReport(MessageContext qso);
  // The QSO is completed: with keying on and without Ctrl the closing message goes out; the Ctrl
  // option is used up either way.
  void QsoCompleted(MessageContext qso, bool keyingActive);

  // --- F-keys, buttons and check boxes (only while keying is on) ---
  // F1 ... F5, F9 and F10; nothing for another key. `worked` is the worked callsign.
  std::optional<FocusAfter> FunctionKey(int number, const std::string& worked, bool inMessageField);
  // A click on one of the F1 ... F4 buttons (the click took the focus out of the fields).
  FocusAfter ButtonClicked(Button button, const std::string& worked);
  // F4, ButtonMSG or Enter in EditMSG: EditMSG's text, or report and exchange again; an empty
  // EditMSG takes the focus (or gives it back). Nothing is sent while a message runs.
  FocusAfter MessageAction(bool inMessageField);
  // CheckBoxCQ's click action: CQ or S+P mode.
  void OperatingModeSwitch();
  // The click action CheckBoxAutoCQ and CheckBoxFarnsworth share: checking Auto-CQ with an empty
  // callsign field starts the CQ.
  void AutoCqClicked(bool keyingActive);

  // --- What the entry flow tells ---
  // A key typed in the callsign field: no more automatic CQs.
  void CallsignKeyTyped();
  // The callsign field's text changed (typing stops a running message) or became empty.
  void CallsignChanged(bool empty);
  // Leaving the callsign field with a callsign, or the report sent: the next message is keyed.
  void ReleaseMessages();
  // The entry is reset after a QSO or by Esc.
  void EntryReset();
  // Esc, before the entry reset: the running message and the automatic CQ stop.
  void Escape();
  // F2 asks "PSE AGN" while the received text has the focus.
  void ReceivedTextEntered();
  void ReceivedTextLeft();
  // Keying was switched on or off.
  void KeyingSwitched(bool on);

  // --- Timers and the keyer ---
  // The keyer's report that a message ended; `number` counts the ended messages, so one handled
  // already (where a message was replaced) is not handled again.
  void MessageEnded(MessageEnd how, std::uint64_t number);
  void AutoCqTimerTick();  // Timer2
  void WatchDogTick();     // TimerWatchDog

 private:
  MessageContext Complete(MessageContext qso);
  bool FarnsworthSpacing() const;
  // F1: the own callsign; with Shift worked + " de " + own.
  void SendMyCall(const std::string& worked);
  // F2 (the QRZ or repeat request) and F3 ("QSO B4").
  void SendQrzOrB4(bool qrz);
  bool WatchDogRunning() const;
  void RestartWatchDog();
  void TransmitMessage(const std::string& message, const std::string& display);
  void SendFinal(const MessageContext& partial);
  // True when `message` can be sent now; false when it waits for the running message to stop.
  bool ReplaceRunningMessage(const std::string& message);
  void SetCqMode(bool cq);
  void SetMessageField(const std::string& text, bool carriesExchange);
  void StartAutoCqTimer(bool setInterval = true);
  void UpdateTimers();

  MessageKeying* keyer_;
  LiveView& view_;
  const std::string& own_;
  WaitForMessageStop waitForStop_;

  SendOptions options_;
  std::string qrzMessage_;
  bool exchangeInMessage_ = false;  // EditMSG holds the exchange of the last report message
  std::string reportCopy_;          // the report sent with that exchange
  std::string autoCqText_;
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
};
