#include "live/message_controls.h"

#include <chrono>
#include <utility>

#include "live/live_view.h"

namespace {

using namespace live_colour;

constexpr int kWatchDogIntervalMs = 30000;
constexpr int kAutoCqIntervalMs = 2000;
constexpr int kReplaceWaitMs = 1000;

}  // namespace

MessageControls::MessageControls(MessageKeying& keyer, LiveView& view, const std::string& own,
                                 WaitForMessageStop wait)
    : keyer_(&keyer), view_(view), own_(own), waitForStop_(std::move(wait)) {
  if (!waitForStop_) {
    waitForStop_ = [this](std::uint64_t endedBefore, int maxMs) {
      keyer_->WaitForMessageEnd(endedBefore, std::chrono::milliseconds(maxMs));
    };
  }
}

void MessageControls::UseKeying(MessageKeying& keyer) {
  if (keyer_ == &keyer) return;
  keyer_ = &keyer;
  // Each keyer counts its own ends: those it reported before are not this one's to handle.
  handledEnds_ = keyer.MessagesEnded();
  pendingReplacement_.reset();
}

bool MessageControls::FarnsworthSpacing() const {
  // Disabled where the rig keys: it keys every text at its own speed, and the spaces around the
  // exchange must stay in the text.
  return view_.farnsworth.checked && view_.farnsworth.enabled;
}

void MessageControls::Show() {
  qrzMessage_ = "QRZ? DE " + own_;
}

void MessageControls::Close() {
  keyer_->HoldMessages();
  watchDogInterval_ = 0;
  UpdateTimers();
}

void MessageControls::SetMessageField(const std::string& text, bool carriesExchange) {
  view_.msg.text = text;
  exchangeInMessage_ = carriesExchange;
}

// ---------------------------------------------------------------------------------------------
// Messages of the entry flow

MessageContext MessageControls::Complete(MessageContext qso) {
  qso.own = own_;
  qso.cqMode = view_.cq.checked;
  qso.shift = options_.longForm;
  options_.longForm = false;
  qso.farnsworth = FarnsworthSpacing();
  qso.slowTag = keyer_->SlowTag();
  qso.normalTag = keyer_->NormalTag();
  return qso;
}

void MessageControls::TransmitMessage(const std::string& message, const std::string& display) {
  if (keyer_->MessageRunning() || options_.silent) {
    options_.silent = false;
    return;
  }
  watchDogInterval_ = 0;
  watchDogEnabled_ = false;
  UpdateTimers();
  const std::string keyed = KeyedForm(message);
  if (keyed.empty()) return;
  view_.msgLabel.text = display;
  if (keyer_->TransmitText(keyed)) view_.ssb.enabled = false;  // until the message ends
}

void MessageControls::SendCq() {
  watchDogInterval_ = 0;
  UpdateTimers();
  SetMessageField("QRL?", false);
  SetCqMode(true);
  const bool longCq = options_.longForm;  // once, without repetition
  if (view_.autoCq.checked && !longCq) {
    keyer_->ArmAutoCq();
  } else {
    keyer_->CancelAutoCq();
  }
  autoCqText_ = CqMessage(own_, longCq);
  options_.longForm = false;
  TransmitMessage(autoCqText_, autoCqText_);
  if (view_.autoCq.checked && keyer_->AutoCqPending()) StartAutoCqTimer();
}

void MessageControls::SendReport(MessageContext partial) {
  const MessageContext qso = Complete(std::move(partial));
  const ComposedMessage composed = ReportMessage(qso);
  if (composed.setsEditMsg) {
    reportCopy_ = qso.report;
    SetMessageField(composed.editMsg, composed.carriesExchange);
  }
  TransmitMessage(composed.message, composed.display);
}

void MessageControls::QsoCompleted(MessageContext qso, bool keyingActive) {
  if (keyingActive && !options_.silent) SendFinal(std::move(qso));
  options_.silent = false;
}

void MessageControls::SendFinal(const MessageContext& partial) {
  const MessageContext qso = Complete(partial);
  const ComposedMessage composed = FinalMessage(qso);
  if (composed.carriesExchange) {
    SetMessageField(composed.editMsg, true);
    reportCopy_ = qso.report;
  }
  TransmitMessage(composed.message, composed.display);
  if (qso.cqMode && view_.autoCq.checked) {
    keyer_->ArmAutoCq();
    autoCqText_ = CqMessage(own_, false);
    StartAutoCqTimer();
  }
}

// ---------------------------------------------------------------------------------------------
// F-keys and buttons

void MessageControls::SendMyCall(const std::string& worked) {
  const std::string message = options_.longForm ? worked + " de " + own_ : own_;
  options_.longForm = false;
  if (!ReplaceRunningMessage(message)) return;
  TransmitMessage(message, message);
  labelSuppression_ = false;
}

void MessageControls::SendQrzOrB4(bool qrz) {
  SetMessageField("QRL?", false);
  if (WatchDogRunning()) RestartWatchDog();
  const std::string message = qrz ? qrzMessage_ : "QSO B4";
  if (!ReplaceRunningMessage(message)) return;
  TransmitMessage(message, message);
  labelSuppression_ = false;
}

bool MessageControls::ReplaceRunningMessage(const std::string& message) {
  if (!keyer_->MessageRunning()) return true;
  labelSuppression_ = true;
  keyer_->HoldMessages();
  keyer_->CancelAutoCq();
  // The running message stops at its next step; its end actions run before the new message.
  const std::uint64_t endedBefore = keyer_->MessagesEnded();
  waitForStop_(endedBefore, kReplaceWaitMs);
  if (keyer_->MessagesEnded() > endedBefore) {
    MessageEnded(keyer_->LastMessageEnd(), endedBefore + 1);
    keyer_->ReleaseMessages();
    return true;
  }
  // Still in a long space (Farnsworth, low speed): the abort stays requested and the new message
  // starts when the old one has stopped, instead of being lost.
  pendingReplacement_ = PendingMessage{message, keyer_->PaddleInterruptions()};
  return false;
}

std::optional<MessageControls::FocusAfter> MessageControls::FunctionKey(int number,
                                                                        const std::string& worked,
                                                                        bool inMessageField) {
  switch (number) {
    case 1:
      SendMyCall(worked);
      break;
    case 2:
    case 3:
      SendQrzOrB4(number == 2);
      break;
    case 4:
      return MessageAction(inMessageField);
    case 5:
      return FocusAfter::MessageField;
    case 9:
      view_.autoCq.checked = !view_.autoCq.checked;
      AutoCqClicked(true);
      break;
    case 10:
      if (view_.cq.enabled) SetCqMode(!view_.cq.checked);
      break;
    default:
      return std::nullopt;
  }
  return FocusAfter::LastInput;
}

MessageControls::FocusAfter MessageControls::ButtonClicked(Button button,
                                                           const std::string& worked) {
  switch (button) {
    case Button::MyCall:
      if (WatchDogRunning()) RestartWatchDog();
      SendMyCall(worked);
      break;
    case Button::Qrz:
    case Button::B4:
      SendQrzOrB4(button == Button::Qrz);
      break;
    case Button::Msg:
      return MessageAction(false);
  }
  return FocusAfter::Stay;
}

MessageControls::FocusAfter MessageControls::MessageAction(bool inMessageField) {
  const std::string text = view_.msg.text;
  if (text.empty()) return inMessageField ? FocusAfter::LastInput : FocusAfter::MessageField;
  if (keyer_->MessageRunning()) return FocusAfter::Stay;
  if (exchangeInMessage_) {
    const ComposedMessage repeat =
        RepeatExchangeMessage(reportCopy_, text, FarnsworthSpacing(), keyer_->SlowTag());
    TransmitMessage(repeat.message, repeat.display);
  } else {
    TransmitMessage(text, text);
  }
  return FocusAfter::LastInput;
}

void MessageControls::AutoCqClicked(bool keyingActive) {
  if (view_.autoCq.checked && view_.callsign.text.empty() && keyingActive) SendCq();
}

void MessageControls::SetCqMode(bool cq) {
  // A check box changed by the program runs its click action, as a click would.
  if (view_.cq.checked == cq) return;
  view_.cq.checked = cq;
  OperatingModeSwitch();
}

void MessageControls::OperatingModeSwitch() {
  if (view_.cq.checked) {
    if (view_.callsign.text.empty()) {
      RestartWatchDog();
      keyer_->ReleaseMessages();
    }
    view_.msgLabel.text = "Modus : CQ";
    view_.msgLabel.background = kBlue;
    view_.msgLabel.font = kWhite;
  } else {
    keyer_->CancelAutoCq();
    keyer_->HoldMessages();
    pendingReplacement_.reset();
    view_.msgLabel.text = "Modus : S+P";
    view_.msgLabel.background = kWhite;
    view_.msgLabel.font = kBlue;
  }
  SetMessageField("QRL?", false);
}

// ---------------------------------------------------------------------------------------------
// What the entry flow tells

void MessageControls::CallsignKeyTyped() {
  keyer_->CancelAutoCq();
}

void MessageControls::CallsignChanged(bool empty) {
  if (empty) {
    if (WatchDogRunning()) RestartWatchDog();
    return;
  }
  view_.msg.text.clear();
  if (keyer_->MessageRunning()) {
    keyer_->AbortMessage();
    keyer_->CancelAutoCq();
    pendingReplacement_.reset();
  }
}

void MessageControls::ReleaseMessages() {
  keyer_->ReleaseMessages();
}

void MessageControls::EntryReset() {
  if (view_.cq.checked) RestartWatchDog();
}

void MessageControls::Escape() {
  keyer_->AbortMessage();
  keyer_->CancelAutoCq();
  pendingReplacement_.reset();
  SetMessageField("QRL?", false);
}

void MessageControls::ReceivedTextEntered() {
  if (!view_.qrzEnabled) return;
  view_.qrzCaption = "[F2] AGN";
  qrzMessage_ = "PSE AGN";
}

void MessageControls::ReceivedTextLeft() {
  if (!view_.qrzEnabled) return;
  view_.qrzCaption = "[F2] QRZ?";
  qrzMessage_ = "QRZ? de " + own_;
}

void MessageControls::KeyingSwitched(bool on) {
  if (on) {
    options_.silent = false;
    SetMessageField("QRL?", false);
    return;
  }
  SetMessageField("", false);
  // A message still running stops at its next step, so reopening the port cannot key its rest.
  keyer_->AbortMessage();
  pendingReplacement_.reset();
}

// ---------------------------------------------------------------------------------------------
// Timers and the keyer

void MessageControls::MessageEnded(MessageEnd how, std::uint64_t number) {
  if (number <= handledEnds_) return;  // already handled where a message was replaced
  handledEnds_ = number;
  view_.ssb.enabled = true;
  autoCqEnabled_ = false;
  watchDogEnabled_ = true;
  keyer_->SetSpeed(view_.speed);
  if (!labelSuppression_ && how == MessageEnd::Stopped) {
    if (view_.cq.checked) {
      if (view_.callsign.text.empty()) RestartWatchDog();
      view_.msgLabel.text = "Modus : CQ";
    } else {
      view_.msgLabel.text = "Modus : S+P";
    }
  }
  if (view_.autoCq.checked && keyer_->AutoCqPending()) StartAutoCqTimer(false);
  UpdateTimers();
  if (pendingReplacement_) {
    const PendingMessage pending = *std::exchange(pendingReplacement_, std::nullopt);
    // Not when the paddle took over meanwhile: the operator is keying by hand.
    if (pending.paddleInterruptions == keyer_->PaddleInterruptions()) {
      TransmitMessage(pending.text, pending.text);
    }
    labelSuppression_ = false;
  }
}

void MessageControls::AutoCqTimerTick() {
  if (keyer_->AutoCqPending() && view_.autoCq.checked) {
    TransmitMessage(autoCqText_, autoCqText_);
    return;
  }
  keyer_->CancelAutoCq();
  autoCqInterval_ = 0;
  UpdateTimers();
}

void MessageControls::WatchDogTick() {
  if (!view_.callsign.text.empty()) return;
  watchDogInterval_ = 0;
  UpdateTimers();
  SetCqMode(false);
  keyer_->ReleaseMessages();
}

bool MessageControls::WatchDogRunning() const {
  return watchDogEnabled_ && watchDogInterval_ > 0;
}

void MessageControls::RestartWatchDog() {
  watchDogInterval_ = kWatchDogIntervalMs;
  ++view_.watchDog.generation;
  UpdateTimers();
}

void MessageControls::StartAutoCqTimer(bool setInterval) {
  if (setInterval) autoCqInterval_ = kAutoCqIntervalMs;
  autoCqEnabled_ = true;
  ++view_.autoCqTimer.generation;
  UpdateTimers();
}

void MessageControls::UpdateTimers() {
  view_.watchDog.intervalMs = watchDogInterval_;
  view_.watchDog.running = WatchDogRunning();
  view_.autoCqTimer.intervalMs = autoCqInterval_;
  view_.autoCqTimer.running = autoCqEnabled_ && autoCqInterval_ > 0;
}
