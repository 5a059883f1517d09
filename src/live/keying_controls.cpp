#include "live/keying_controls.h"

#include <algorithm>
#include <utility>

#include "common/text_file.h"
#include "keyer/keyer.h"
#include "keyer/serial_port.h"
#include "live/entry_key_filters.h"
#include "live/live_view.h"
#include "live/message_controls.h"
#include "services/app_context.h"

namespace {

constexpr int kSpeedWhenEmpty = 16;
constexpr int kLastPortIndex = 19;  // port 20

}  // namespace

KeyingControls::KeyingControls(const AppContext& ctx, Keyer& keyer, LiveView& view,
                               MessageControls& messages)
    : ctx_(ctx), keyer_(keyer), view_(view), messages_(messages) {}

bool KeyingControls::CheckedInCw() const {
  return view_.tastung.checked && ctx_.cwMode;
}

// ---------------------------------------------------------------------------------------------
// Click actions

void KeyingControls::KeyingSwitch() {
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
  ShowKeyingControls(active_);
  messages_.KeyingSwitched(active_);
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
  keyer_.ApplyKeyingState(false, 0);
  SetKeyingChecked(false);
}
