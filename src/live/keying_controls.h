#pragma once
// The keying controls of the live window: the keying switch (CheckBoxTastung, F6), the keyer port
// (ComboBoxCOM) with the retry or cancel after a port that did not open, the keying line
// (CheckBoxRTS), the paddle orientation (CheckBoxreverse), the speed (EditWpM, UpDownWpM) and the
// keyer settings kept in the log database. What keys the transmitter is decided here alone: the
// CW keyer on its serial port, or with "über rigctld" (CheckBoxRigctld) the transceiver's own
// keyer, reached through rigctld at EditRigAddress. Mode following ("Betriebsart vom Funkgerät",
// CheckBoxRigMode) needs the rigctld connection as well, whichever path keys.
//
// Keying is active when CheckBoxTastung is checked in CW and the port opened, or rigctld answered:
// the keying hints, LabelMSG, the F-key buttons and EditMSG show only then. Through rigctld,
// keying goes active once the connection is there (RigConnection); a refused connection leaves
// keying off with the reason (TakeKeyingFailure), a lost one turns it off with a warning in
// LabelAchtung. The serial port stays closed, Farnsworth and the paddle's orientation are
// disabled (the rig times its own CW and keys its own paddle).

#include <optional>
#include <string>

#include "keyer/keyer_settings.h"
#include "keyer/rig_keyer.h"
#include "live/live_key.h"

class Keyer;
class MessageControls;
struct AppContext;
struct LiveView;

class KeyingControls {
 public:
  // ctx gives the CW mode flag and the log database; all five outlive this.
  KeyingControls(const AppContext& ctx, Keyer& keyer, RigKeyer& rig, LiveView& view,
                 MessageControls& messages);

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
  void RigctldSwitch();  // CheckBoxRigctld, only while keying is off
  void FollowSwitch();   // CheckBoxRigMode

  // --- rigctld ---
  // EditRigAddress left (editable only while keying is off): mode following goes on at the
  // address now shown.
  void RigAddressLeft();
  // What the rig keyer reported about its connection, handed to the window's thread.
  void RigConnection(RigKeyer::ConnectionEvent event, const std::string& reason);
  // TimerRigMode: the rig is asked for its mode; a connection for mode following that is not
  // there is tried again now and then.
  void RigModeTimerTick();
  // A message end the rig keyer reported belongs to the path that keys now.
  bool KeyingViaRig() const;

  // --- Port ---
  void PortIndexChosen(int index);  // ComboBoxCOM, only while keying is off
  // The reason the port could not be opened when keying was switched on, once.
  std::optional<std::string> TakePortFailure();
  // The reason rigctld could not be reached when keying was switched on, once: keying is off.
  std::optional<std::string> TakeKeyingFailure();
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
  // The rig settings row: the keying path, rigctld's address and mode following.
  void LoadRigSettings();
  void SaveRigSettings() const;
  // The window closes: keying off and the port closed, CheckBoxTastung unchecked.
  void Close();

 private:
  void ApplyKeyingState();
  void ApplyRigKeying();
  void ShowKeyingControls(bool visible);
  void UpdateRigControls();
  void ConnectRig();
  // Closes the rigctld connection when neither keying nor mode following needs it.
  void ReleaseRigIfUnused();

  const AppContext& ctx_;
  Keyer& keyer_;
  LiveView& view_;
  MessageControls& messages_;
  RigKeyer& rig_;
  bool active_ = false;
  std::optional<std::string> portFailure_;
  std::optional<std::string> keyingFailure_;

  enum class RigLink { Closed, Connecting, Open };
  RigLink rigLink_ = RigLink::Closed;
  bool awaitingRig_ = false;  // keying switched on through rigctld, the connection not there yet
  int ticksSinceAttempt_ = 0;
  std::string rigAddressInUse_;
};
