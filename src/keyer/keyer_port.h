#pragma once
// The keyer's use of the serial port: which control line keys the transmitter and which is held
// on, which status line carries the dit contact and which the dah contact, and bringing the port
// in line with the keying switch.
//
// Line roles:  RTS keys (CheckBoxRTS checked): key RTS, hold DTR on;  else: key DTR, hold RTS on.
// Paddle roles: not reversed: CTS = dah, DSR = dit;  reversed: CTS = dit, DSR = dah.
// A status line that is on means the contact is closed.

#include <atomic>
#include <functional>

#include "keyer/key_line.h"
#include "keyer/paddle_event.h"
#include "keyer/serial_port.h"

// The paddle event for a change of a status line.
PaddleEvent PaddleEventFor(StatusLine line, bool on, bool reversed);

class KeyerPort : public KeyLine {
 public:
  using PaddleHandler = std::function<void(PaddleEvent)>;

  // paddleHandler receives the paddle events on the port layer's event thread.
  KeyerPort(SerialPort& port, PaddleHandler paddleHandler);

  // CheckBoxRTS. Takes effect at the next ApplyKeyingState.
  void SetRtsKeys(bool rtsKeys) { rtsKeys_ = rtsKeys; }
  bool RtsKeys() const { return rtsKeys_; }

  // CheckBoxreverse. Read at every paddle event.
  void SetReversed(bool reversed) { reversed_ = reversed; }
  bool Reversed() const { return reversed_; }

  // Keying on: key line off and the other line on, then the port opened (portNumber 1 ... 20)
  // and its status events started (replacing earlier ones). Run again while on, it applies a
  // changed line role at once. Keying off: both lines off, events stopped, port closed.
  // Throws SerialPortError when the port cannot be opened; the port is then closed.
  void ApplyKeyingState(bool keyingActive, int portNumber);

  // The key line (keyer thread and window thread).
  void SetKeyDown(bool down) override;

  // A status line changed: the paddle event by the current roles goes to the paddle handler.
  void OnStatusTrigger(StatusLine line, bool on);

 private:
  ControlLine KeyLineRole() const { return rtsKeys_ ? ControlLine::Rts : ControlLine::Dtr; }
  ControlLine HeldLineRole() const { return rtsKeys_ ? ControlLine::Dtr : ControlLine::Rts; }

  SerialPort& port_;
  PaddleHandler paddleHandler_;
  std::atomic<bool> rtsKeys_{true};
  std::atomic<bool> reversed_{false};
  // The key line as last applied, so a role change during keying cannot strand the old line.
  std::atomic<ControlLine> appliedKeyLine_{ControlLine::Rts};
};
