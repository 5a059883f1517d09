#pragma once
// The transmitter's key line as the keyers see it. Which control line of the serial port it is
// (RTS or DTR) is decided by the port roles; switching it while the port is closed does nothing.

class KeyLine {
 public:
  virtual ~KeyLine() = default;
  // Called on the keyer thread for keying and on the window's thread when the port opens or
  // closes; implementations accept both.
  virtual void SetKeyDown(bool down) = 0;
};
