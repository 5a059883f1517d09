#pragma once
// A serial port without hardware, for tests and the timing bench: records every edge of the
// control lines with its time on the given timer service's clock, and lets the caller move the
// status lines as a paddle would.

#include <mutex>
#include <string>
#include <vector>

#include "keyer/keyer_time.h"
#include "keyer/serial_port.h"

class TimerService;

class FakeSerialPort : public SerialPort {
 public:
  struct Edge {
    KeyerTime time;
    ControlLine line;
    bool on;
  };

  // clock gives the edge times; ports 1 ... availablePorts can be opened.
  explicit FakeSerialPort(const TimerService& clock, int availablePorts = 20);

  void Open(int portNumber) override;
  void Close() override;
  bool IsOpen() const override;
  int PortNumber() const override;
  void SetControlLine(ControlLine line, bool on) override;
  bool StatusLineOn(StatusLine line) const override;
  void StartStatusEvents(StatusHandler handler) override;
  void StopStatusEvents() override;

  // Moves a status line; when it changes while the port is open with events on, the handler is
  // called on the caller's thread.
  void SetStatusLine(StatusLine line, bool on);

  // The hardware state of a control line (off while closed).
  bool ControlLineOn(ControlLine line) const;

  std::vector<Edge> Edges() const;
  // Only the edges of one line.
  std::vector<Edge> EdgesOf(ControlLine line) const;
  void ClearEdges();
  // Room for this many edges, so that recording does not allocate on the keyer thread.
  void ReserveEdges(std::size_t count);

 private:
  void SetHardwareLine(ControlLine line, bool on);  // mutex_ held

  const TimerService& clock_;
  const int availablePorts_;
  mutable std::mutex mutex_;
  int openPort_ = 0;
  bool requested_[2] = {false, false};  // by ControlLine
  bool hardware_[2] = {false, false};
  bool status_[2] = {false, false};  // by StatusLine
  StatusHandler handler_;
  std::vector<Edge> edges_;
};
