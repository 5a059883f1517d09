#include "keyer/fake_serial_port.h"

#include <string>

#include "keyer/timer_service.h"

namespace {
int Index(ControlLine line) {
  return line == ControlLine::Rts ? 0 : 1;
}
int Index(StatusLine line) {
  return line == StatusLine::Cts ? 0 : 1;
}
}  // namespace

FakeSerialPort::FakeSerialPort(const TimerService& clock, int availablePorts)
    : clock_(clock), availablePorts_(availablePorts) {}

void FakeSerialPort::Open(int portNumber) {
  std::lock_guard lock(mutex_);
  if (openPort_ == portNumber) return;
  if (portNumber < 1 || portNumber > availablePorts_) {
    throw SerialPortError("Serial port " + std::to_string(portNumber) + " does not exist.");
  }
  if (openPort_ != 0) {
    SetHardwareLine(ControlLine::Rts, false);
    SetHardwareLine(ControlLine::Dtr, false);
  }
  openPort_ = portNumber;
  SetHardwareLine(ControlLine::Rts, requested_[0]);
  SetHardwareLine(ControlLine::Dtr, requested_[1]);
}

void FakeSerialPort::Close() {
  std::lock_guard lock(mutex_);
  requested_[0] = requested_[1] = false;
  SetHardwareLine(ControlLine::Rts, false);
  SetHardwareLine(ControlLine::Dtr, false);
  handler_ = nullptr;
  openPort_ = 0;
}

bool FakeSerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return openPort_ != 0;
}

int FakeSerialPort::PortNumber() const {
  std::lock_guard lock(mutex_);
  return openPort_;
}

void FakeSerialPort::SetControlLine(ControlLine line, bool on) {
  std::lock_guard lock(mutex_);
  requested_[Index(line)] = on;
  if (openPort_ != 0) SetHardwareLine(line, on);
}

void FakeSerialPort::SetHardwareLine(ControlLine line, bool on) {
  bool& state = hardware_[Index(line)];
  if (state == on) return;
  state = on;
  edges_.push_back(Edge{clock_.Now(), line, on});
}

bool FakeSerialPort::StatusLineOn(StatusLine line) const {
  std::lock_guard lock(mutex_);
  return openPort_ != 0 && status_[Index(line)];
}

void FakeSerialPort::StartStatusEvents(StatusHandler handler) {
  std::lock_guard lock(mutex_);
  handler_ = std::move(handler);
}

void FakeSerialPort::StopStatusEvents() {
  std::lock_guard lock(mutex_);
  handler_ = nullptr;
}

void FakeSerialPort::SetStatusLine(StatusLine line, bool on) {
  StatusHandler handler;
  {
    std::lock_guard lock(mutex_);
    bool& state = status_[Index(line)];
    if (state == on) return;
    state = on;
    if (openPort_ == 0) return;
    handler = handler_;
  }
  if (handler) handler(line, on);
}

bool FakeSerialPort::ControlLineOn(ControlLine line) const {
  std::lock_guard lock(mutex_);
  return hardware_[Index(line)];
}

std::vector<FakeSerialPort::Edge> FakeSerialPort::Edges() const {
  std::lock_guard lock(mutex_);
  return edges_;
}

std::vector<FakeSerialPort::Edge> FakeSerialPort::EdgesOf(ControlLine line) const {
  std::lock_guard lock(mutex_);
  std::vector<Edge> result;
  for (const Edge& edge : edges_) {
    if (edge.line == line) result.push_back(edge);
  }
  return result;
}

void FakeSerialPort::ClearEdges() {
  std::lock_guard lock(mutex_);
  edges_.clear();
}

void FakeSerialPort::ReserveEdges(std::size_t count) {
  std::lock_guard lock(mutex_);
  edges_.reserve(count);
}
