#pragma once
// The keying controls of the live window: the keying switch (CheckBoxTastung, F6), the keyer port
// (ComboBoxCOM) with the retry or cancel after a port that did not open, the keying line
// (CheckBoxRTS), the paddle orientation (CheckBoxreverse), the speed (EditWpM, UpDownWpM) and the
// keyer settings kept in the log database. What keys the transmitter is decided here alone: the
// CW keyer on its serial port.
//
// Keying is active when CheckBoxTastung is checked in CW and the port opened: the keying hints,
// LabelMSG, the F-key buttons and EditMSG show only then.

#include <optional>
#include <string>

#include "keyer/keyer_settings.h"
#include "live/live_key.h"

class Keyer;
class MessageControls;
struct AppContext;
struct LiveView;

class KeyingControls {
 public:
  // ctx gives the CW mode flag and the log database; all four outlive this.
  KeyingControls(const AppContext& ctx, Keyer& keyer, LiveView& view, MessageControls& messages);

  // Keying switched on in CW: port open, paddle live, messages keyed.
  bool Active() const { return active_; }
  // CheckBoxTastung checked in CW (the port may still have failed to open).
  bool CheckedInCw() const;

  // --- Click actions ---
  void KeyingSwitch();       // CheckBoxTastung
  void LineSwitch();         // CheckBoxRTS: the line roles change at once
  void OrientationSwitch();  // CheckBoxreverse
  // The CW/SSB switch changed the CW mode flag: keying only in CW, the keyer group only in CW.
  void ModeChanged();
  // CheckBoxTastung changed by the program, with its click action.
  void SetKeyingChecked(bool checked);

  // --- Port ---
  void PortIndexChosen(int index);  // ComboBoxCOM, only while keying is off
  // The reason the port could not be opened when keying was switched on, once.
  std::optional<std::string> TakePortFailure();
  // The operator chose another port in the port dialog: it is selected and keying tried again.
  void RetryKeyingOnPort(int portIndex);
  // The operator cancelled the port dialog: keying stays off.
  void CancelKeying();

  // --- Speed ---
  // Clamped to 10 ... 40: the keyer's speed, the speed tags, UpDownWpM and EditWpM.
  void SetSpeed(int wpm);
  // What was typed into EditWpM, 16 when it is empty.
  void TakeTypedSpeed();
  // A key in EditWpM other than Enter: Up and Down step, Backspace empties, digits are typed.
  KeyOutcome SpeedKeyPress(const LiveKey& key);

  // --- Settings and closing ---
  // Reads the settings row (if the log database has one) and applies the keying part: line,
  // keying off, port, orientation, speed. The caller applies the message and text options.
  std::optional<KeyerSettings> LoadSettings();
  void SaveSettings() const;
  // The window closes: keying off and the port closed, CheckBoxTastung unchecked.
  void Close();

 private:
  void ApplyKeyingState();
  void ShowKeyingControls(bool visible);

  const AppContext& ctx_;
  Keyer& keyer_;
  LiveView& view_;
  MessageControls& messages_;
  bool active_ = false;
  std::optional<std::string> portFailure_;
};
