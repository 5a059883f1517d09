#include "live/keying_controls.h"

#include <algorithm>
#include <utility>

#include "common/text_file.h"
#include "keyer/keyer.h"
#include "keyer/rig_settings.h"
#include "keyer/serial_port.h"
#include "live/entry_key_filters.h"
#include "live/live_view.h"
#include "live/message_controls.h"
#include "services/app_context.h"

namespace {

constexpr int kSpeedWhenEmpty = 16;
constexpr int kLastPortIndex = 19;  // port 20
constexpr int kRigModeIntervalMs = 1000;
// Mode following without a connection tries again every so many ticks of TimerRigMode.
constexpr int kReconnectTicks = 5;
const char* const kRigLostWarning = "Tastung aus: rigctld antwortet nicht";

}  // namespace

KeyingControls::KeyingControls(const AppContext& ctx, Keyer& keyer, RigKeyer& rig, LiveView& view,
                               MessageControls& messages)
    : ctx_(ctx), keyer_(keyer), view_(view), messages_(messages), rig_(rig) {
  view_.rigAddress.text = kDefaultRigAddress;
  view_.rigModeTimer.intervalMs = kRigModeIntervalMs;
}

bool KeyingControls::CheckedInCw() const {
  return view_.tastung.checked && ctx_.cwMode;
}

// ---------------------------------------------------------------------------------------------
// Click actions

void KeyingControls::KeyingSwitch() {
  if (view_.tastung.checked) view_.keyingWarning.clear();
  active_ = CheckedInCw();
  if (!view_.tastung.checked) view_.ssb.enabled = true;
  view_.achtungFrameVisible = view_.tastung.checked;
  ApplyKeyingState();
}

void KeyingControls::LineSwitch() {
  keyer_.SetRtsKeys(view_.rts.checked);
  if (active_) ApplyKeyingState();
}

void KeyingControls::OrientationSwitch() {
  keyer_.SetReversed(view_.reverse.checked);
}

void KeyingControls::ModeChanged() {
  active_ = CheckedInCw();
  view_.achtungFrameVisible = active_;
  ApplyKeyingState();
  view_.keyerGroupVisible = ctx_.cwMode;
}

void KeyingControls::SetKeyingChecked(bool checked) {
  // A check box changed by the program runs its click action, as a click would.
  if (view_.tastung.checked == checked) return;
  view_.tastung.checked = checked;
  KeyingSwitch();
}

void KeyingControls::ShowKeyingControls(bool visible) {
  view_.msgLabel.visible = visible;
  view_.keyingHintsVisible = visible;
  view_.functionKeysVisible = visible;
  view_.msg.visible = visible;
}

void KeyingControls::ApplyKeyingState() {
  if (active_ && view_.viaRigctld.checked && rigLink_ != RigLink::Open) {
    // Keying goes on once rigctld has answered (RigConnection).
    active_ = false;
    awaitingRig_ = true;
    if (rigLink_ == RigLink::Closed) ConnectRig();
  } else if (!view_.tastung.checked || !ctx_.cwMode) {
    awaitingRig_ = false;
  }
  UpdateRigControls();
  ShowKeyingControls(active_);
  messages_.KeyingSwitched(active_);
  if (active_ && view_.viaRigctld.checked) {
    ApplyRigKeying();
    return;
  }
  if (active_) {
    view_.portEnabled = false;
    keyer_.SetRtsKeys(view_.rts.checked);
    keyer_.SetReversed(view_.reverse.checked);
    try {
      keyer_.ApplyKeyingState(true, view_.portIndex + 1);
      if (view_.callsign.text.empty()) view_.achtungVisible = view_.tastung.checked;
    } catch (const SerialPortError& error) {
      // Nothing is keyed through a port that did not open; the operator chooses another one.
      active_ = false;
      ShowKeyingControls(false);
      view_.portEnabled = true;
      portFailure_ = error.what();
    }
    return;
  }
  view_.achtungVisible = false;
  view_.portEnabled = true;
  keyer_.ApplyKeyingState(false, 0);
  ReleaseRigIfUnused();
}

void KeyingControls::ApplyRigKeying() {
  // The rig keys; the serial port stays closed.
  keyer_.ApplyKeyingState(false, 0);
  view_.keyingWarning.clear();
  view_.portEnabled = false;
  if (view_.callsign.text.empty()) view_.achtungVisible = view_.tastung.checked;
}

void KeyingControls::UpdateRigControls() {
  const bool viaRig = view_.viaRigctld.checked;
  view_.farnsworth.enabled = !viaRig;
  view_.reverse.enabled = !viaRig;
  const bool keyingOff = !view_.tastung.checked;
  view_.viaRigctld.enabled = keyingOff;
  view_.rigAddress.enabled = keyingOff;
  view_.rigModeTimer.running = view_.followRig.checked;
}

// ---------------------------------------------------------------------------------------------
// rigctld

bool KeyingControls::KeyingViaRig() const {
  return view_.viaRigctld.checked;
}

void KeyingControls::RigctldSwitch() {
  if (view_.tastung.checked) return;
  if (view_.viaRigctld.checked) {
    messages_.UseKeying(rig_);
  } else {
    messages_.UseKeying(keyer_);
  }
  UpdateRigControls();
}

void KeyingControls::FollowSwitch() {
  if (view_.followRig.checked) {
    ++view_.rigModeTimer.generation;
    if (rigLink_ == RigLink::Closed) ConnectRig();
  }
  UpdateRigControls();
  ReleaseRigIfUnused();
}

void KeyingControls::RigAddressLeft() {
  if (rigLink_ != RigLink::Closed && view_.rigAddress.text != rigAddressInUse_) ConnectRig();
}

void KeyingControls::ConnectRig() {
  rigLink_ = RigLink::Connecting;
  ticksSinceAttempt_ = 0;
  rigAddressInUse_ = view_.rigAddress.text;
  rig_.SetSpeed(view_.speed);
  rig_.Connect(rigAddressInUse_);
}

void KeyingControls::ReleaseRigIfUnused() {
  const bool keying = view_.viaRigctld.checked && (active_ || awaitingRig_);
  if (keying || view_.followRig.checked || rigLink_ == RigLink::Closed) return;
  rig_.Disconnect();
  rigLink_ = RigLink::Closed;
}

void KeyingControls::RigConnection(RigKeyer::ConnectionEvent event, const std::string& reason) {
  using Event = RigKeyer::ConnectionEvent;
  switch (event) {
    case Event::Connected:
      if (rigLink_ != RigLink::Connecting) return;  // given up meanwhile
      rigLink_ = RigLink::Open;
      if (awaitingRig_) {
        awaitingRig_ = false;
        active_ = CheckedInCw() && view_.viaRigctld.checked;
        ApplyKeyingState();
      }
      return;
    case Event::Refused:
      if (rigLink_ != RigLink::Connecting) return;
      rigLink_ = RigLink::Closed;
      ticksSinceAttempt_ = 0;
      if (awaitingRig_) {
        awaitingRig_ = false;
        keyingFailure_ = reason;
        SetKeyingChecked(false);
      }
      return;
    case Event::Lost:
      if (rigLink_ != RigLink::Open) return;
      rigLink_ = RigLink::Closed;
      ticksSinceAttempt_ = 0;
      if (view_.tastung.checked && view_.viaRigctld.checked) {
        SetKeyingChecked(false);
        view_.keyingWarning = kRigLostWarning;
      }
      return;
  }
}

void KeyingControls::RigModeTimerTick() {
  if (!view_.followRig.checked) return;
  if (rigLink_ == RigLink::Open) {
    rig_.PollMode();
  } else if (rigLink_ == RigLink::Closed && ++ticksSinceAttempt_ >= kReconnectTicks) {
    ConnectRig();
  }
}

std::optional<std::string> KeyingControls::TakeKeyingFailure() {
  return std::exchange(keyingFailure_, std::nullopt);
}

// ---------------------------------------------------------------------------------------------
// Port

void KeyingControls::PortIndexChosen(int index) {
  if (!view_.portEnabled) return;
  view_.portIndex = std::clamp(index, 0, kLastPortIndex);
}

std::optional<std::string> KeyingControls::TakePortFailure() {
  return std::exchange(portFailure_, std::nullopt);
}

void KeyingControls::RetryKeyingOnPort(int portIndex) {
  view_.portIndex = std::clamp(portIndex, 0, kLastPortIndex);
  if (!view_.tastung.checked) return;
  active_ = CheckedInCw();
  ApplyKeyingState();
}

void KeyingControls::CancelKeying() {
  SetKeyingChecked(false);
  // Unchecked already (the failure left it checked only in name): bring everything in line.
  active_ = false;
  ApplyKeyingState();
}

// ---------------------------------------------------------------------------------------------
// Speed

void KeyingControls::SetSpeed(int wpm) {
  view_.speed = keyer_.SetSpeed(wpm);
  rig_.SetSpeed(view_.speed);
  view_.wpm.text = std::to_string(view_.speed);
}

void KeyingControls::TakeTypedSpeed() {
  const std::string& text = view_.wpm.text;
  SetSpeed(text.empty() ? kSpeedWhenEmpty : std::stoi(text.substr(0, 3)));
}

KeyOutcome KeyingControls::SpeedKeyPress(const LiveKey& key) {
  using Code = LiveKey::Code;
  if (key.code == Code::Up || key.code == Code::Down) {
    SetSpeed(view_.speed + (key.code == Code::Up ? 1 : -1));
    return KeyOutcome::Consumed();
  }
  if (key.code == Code::Backspace) {
    view_.wpm.text.clear();
    return KeyOutcome::Consumed();
  }
  if (!key.TypesCharacter()) return KeyOutcome::Pass();
  const TypedCharacter typed = FilterSpeedCharacter(key.Character());
  if (typed.action == TypedCharacter::Action::Insert) return KeyOutcome::InsertText(typed.text);
  return KeyOutcome::Consumed();
}

// ---------------------------------------------------------------------------------------------
// Settings and closing

std::optional<KeyerSettings> KeyingControls::LoadSettings() {
  if (!FileExists(ctx_.logDbFile)) return std::nullopt;
  std::optional<KeyerSettings> settings = LoadKeyerSettings(ctx_.logDbFile);
  if (!settings) return std::nullopt;
  if (view_.rts.checked != settings->rtsKeys) {
    view_.rts.checked = settings->rtsKeys;
    LineSwitch();
  }
  SetKeyingChecked(false);
  view_.achtungFrameVisible = false;
  view_.portIndex = settings->portIndex;
  if (view_.reverse.checked != settings->reversed) {
    view_.reverse.checked = settings->reversed;
    OrientationSwitch();
  }
  SetSpeed(settings->wpm);
  return settings;
}

void KeyingControls::LoadRigSettings() {
  const RigSettings rig = ::LoadRigSettings(ctx_.logDbFile);
  view_.rigAddress.text = rig.address;
  view_.viaRigctld.checked = rig.keyingViaRigctld;
  RigctldSwitch();
  view_.followRig.checked = rig.followRigMode;
  FollowSwitch();
}

void KeyingControls::SaveRigSettings() const {
  ::SaveRigSettings(ctx_.logDbFile, RigSettings{view_.viaRigctld.checked, view_.rigAddress.text,
                                                view_.followRig.checked});
}

void KeyingControls::SaveSettings() const {
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

void KeyingControls::Close() {
  active_ = false;
  awaitingRig_ = false;
  keyer_.ApplyKeyingState(false, 0);
  SetKeyingChecked(false);
  rig_.Disconnect();
  rigLink_ = RigLink::Closed;
  view_.rigModeTimer.running = false;
}
