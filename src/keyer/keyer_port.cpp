#include "keyer/keyer_port.h"

#include <utility>

PaddleEvent PaddleEventFor(StatusLine line, bool on, bool reversed) {
  const bool dit = (line == StatusLine::Dsr) != reversed;
  if (dit) return on ? PaddleEvent::DitPressed : PaddleEvent::DitReleased;
  return on ? PaddleEvent::DahPressed : PaddleEvent::DahReleased;
}

KeyerPort::KeyerPort(SerialPort& port, PaddleHandler paddleHandler)
    : port_(port), paddleHandler_(std::move(paddleHandler)) {}

void KeyerPort::ApplyKeyingState(bool keyingActive, int portNumber) {
  if (!keyingActive) {
    port_.SetControlLine(ControlLine::Rts, false);
    port_.SetControlLine(ControlLine::Dtr, false);
    port_.StopStatusEvents();
    port_.Close();
    return;
  }
  appliedKeyLine_ = KeyLineRole();
  port_.SetControlLine(KeyLineRole(), false);
  port_.SetControlLine(HeldLineRole(), true);
  try {
    port_.Open(portNumber);
  } catch (...) {
    port_.Close();
    throw;
  }
  port_.StartStatusEvents([this](StatusLine line, bool on) { OnStatusTrigger(line, on); });
}

void KeyerPort::SetKeyDown(bool down) {
  port_.SetControlLine(appliedKeyLine_.load(), down);
}

void KeyerPort::OnStatusTrigger(StatusLine line, bool on) {
  if (paddleHandler_) paddleHandler_(PaddleEventFor(line, on, reversed_.load()));
}
