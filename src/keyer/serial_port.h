#pragma once
// The serial port as the keyer uses it: two control lines out (RTS, DTR), two status lines in
// (CTS, DSR) with change events. Implementations: LinuxSerialPort (the hardware) and
// FakeSerialPort (tests and the timing bench).

#include <functional>
#include <stdexcept>
#include <string>

enum class ControlLine { Rts, Dtr };
enum class StatusLine { Cts, Dsr };

// A port that cannot be opened or used; the message names the device and the reason.
class SerialPortError : public std::runtime_error {
 public:
  explicit SerialPortError(const std::string& message) : std::runtime_error(message) {}
};

class SerialPort {
 public:
  // A change of a status line: the line and whether it is now on (asserted).
  using StatusHandler = std::function<void(StatusLine line, bool on)>;

  virtual ~SerialPort() = default;

  // Opens port number 1 ... 20 (numbering: serial_port_list.h). The control lines are brought to
  // their requested states (SetControlLine) at once after opening, both off unless requested
  // otherwise. Throws SerialPortError; the port then stays closed. Opening the port that is open
  // already does nothing; opening another one closes the first.
  virtual void Open(int portNumber) = 0;

  // Switches both control lines off, stops status events and closes. Harmless when closed.
  virtual void Close() = 0;

  virtual bool IsOpen() const = 0;
  virtual int PortNumber() const = 0;  // of the open port, 0 when closed

  // Any thread (the keyer thread keys, the window thread opens and closes). While the port is
  // closed only the request is remembered; the hardware changes at the next Open.
  virtual void SetControlLine(ControlLine line, bool on) = 0;

  // The current state of a status line; false while closed.
  virtual bool StatusLineOn(StatusLine line) const = 0;

  // Delivers every change of CTS and DSR, in order, to handler (on a thread of the port layer)
  // while the port is open, replacing an earlier handler. A tap shorter than the port's reaction
  // time still arrives as on and off where the driver counts transitions.
  virtual void StartStatusEvents(StatusHandler handler) = 0;

  // After return the handler is not called any more.
  virtual void StopStatusEvents() = 0;
};
