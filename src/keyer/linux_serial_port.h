#pragma once
// The serial port on Linux, through termios and the modem-control ioctls:
// - RTS and DTR switched with TIOCMBIS / TIOCMBIC; CTS and DSR read with TIOCMGET.
// - Opened with O_NOCTTY | O_NONBLOCK and CLOCAL, so a missing carrier never blocks; no hardware
//   flow control, which would move RTS by itself.
// - Linux raises DTR and RTS when a port opens: both are brought to their requested states at
//   once after opening, so the key line is on for microseconds at most. Closing switches both off.
// - The open port is locked (flock) and made exclusive (TIOCEXCL): another program opening it
//   would make Linux raise both lines again.
// - Low latency is requested (ASYNC_LOW_LATENCY): FTDI adapters otherwise report status changes
//   only every 16 ms.
// - Status changes: a watcher thread waits in TIOCMIWAIT; drivers without it (cp210x) are polled
//   on an absolute 1 ms grid. TIOCGICOUNT counts transitions, so a tap shorter than the watcher's
//   wake-up still arrives as on and off.
// - The watcher is woken for stopping by a signal (SIGRTMIN + 4, installed once with an empty
//   handler and without SA_RESTART); the program uses no other handler for it.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "keyer/serial_port.h"

class LinuxSerialPort : public SerialPort {
 public:
  // Maps a port number to a device path ("" = no such port); by default the numbering of
  // serial_port_list.h.
  using DeviceResolver = std::function<std::string(int portNumber)>;

  explicit LinuxSerialPort(DeviceResolver resolver = {});
  ~LinuxSerialPort() override;
  LinuxSerialPort(const LinuxSerialPort&) = delete;
  LinuxSerialPort& operator=(const LinuxSerialPort&) = delete;

  void Open(int portNumber) override;
  void Close() override;
  bool IsOpen() const override;
  int PortNumber() const override;
  void SetControlLine(ControlLine line, bool on) override;
  bool StatusLineOn(StatusLine line) const override;
  void StartStatusEvents(StatusHandler handler) override;
  void StopStatusEvents() override;

  // The device path of the open port ("" when closed).
  std::string DevicePath() const;

 private:
  void ApplyRequestedLines(int fd) const;
  void CloseDevice();  // both lines off, descriptor closed
  void StartWatcher();
  void StopWatcher();
  void Watch(int fd);

  DeviceResolver resolver_;
  mutable std::mutex mutex_;  // guards fd_, portNumber_, device_ against open and close
  int fd_ = -1;
  int portNumber_ = 0;
  std::string device_;
  std::atomic<bool> requested_[2] = {false, false};  // by ControlLine

  StatusHandler handler_;  // changed only while the watcher is stopped
  std::thread watcher_;
  std::atomic<bool> stopWatcher_{false};
  std::atomic<bool> watcherDone_{false};
};

// The text for a failed open: names the port, the device and the reason, and for missing
// permissions the dialout group.
std::string SerialOpenErrorMessage(int portNumber, const std::string& device, int errorNumber);
