#include "keyer/keyer.h"

#include <algorithm>
#include <utility>

#include "keyer/keyer_thread.h"
#include "keyer/serial_port.h"
#include "keyer/timer_service.h"

Keyer::Keyer(SerialPort& port, TimerService& timers)
    : timers_(timers),
      port_(port,
            [this](PaddleEvent event) {
              timers_.Post([this, event](KeyerTime) { paddle_.Handle(event); });
            }),
      paddle_(timers, port_, state_),
      player_(timers, port_, state_) {
  elements_.reserve(1000);
  player_.SetEndHandler([this](MessagePlayer::MessageEnd how) {
    lastEnd_ = how;
    {
      std::lock_guard<std::mutex> lock(endMutex_);
      ++messagesEnded_;
    }
    endWake_.notify_all();
    if (endHandler_) endHandler_(how);
  });
  converter_.SetFarnsworth(true);
  SetSpeed(state_.speedWpm.load());
}

Keyer::~Keyer() {
  port_.ApplyKeyingState(false, 0);
}

int Keyer::SetSpeed(int wpm) {
  const int w = std::clamp(wpm, kMinWpm, kMaxWpm);
  state_.speedWpm = w;
  converter_.SetSpeed(w);
  converter_.SetCharacterSpeed(w);
  slowTag_ = "<" + std::to_string((w + 1) / 2) + ">";
  normalTag_ = "<" + std::to_string(w) + ">";
  return w;
}

void Keyer::AbortMessage() {
  if (state_.MessageRunning()) state_.abortRequest = true;
}

void Keyer::HoldMessages() {
  state_.abortRequest = true;
}

void Keyer::ReleaseMessages() {
  state_.abortRequest = false;
}

void Keyer::ArmAutoCq() {
  state_.autoCqPending = true;
}

void Keyer::CancelAutoCq() {
  state_.autoCqPending = false;
}

void Keyer::ApplyKeyingState(bool keyingActive, int portNumber) {
  state_.keyingActive = keyingActive;
  try {
    port_.ApplyKeyingState(keyingActive, portNumber);
  } catch (...) {
    state_.keyingActive = false;
    ReleasePaddlesAfterEvents();
    throw;
  }
  if (!keyingActive) ReleasePaddlesAfterEvents();
}

void Keyer::ReleasePaddlesAfterEvents() {
  // Queued behind the paddle events already handed over; the port sends no more after this.
  timers_.Post([this](KeyerTime) { paddle_.ReleasePaddles(); });
}

bool Keyer::TransmitText(const std::string& text) {
  if (state_.MessageRunning()) return false;
  converter_.SetText(text);
  if (!converter_.Convert(elements_)) return false;
  return StartMessage(elements_).has_value();
}

std::optional<KeyerTime> Keyer::StartMessage(const ElementList& elements) {
  return player_.Start(elements);
}

void Keyer::SetMessageEndHandler(MessagePlayer::EndHandler handler) {
  endHandler_ = std::move(handler);
}

bool Keyer::WaitForMessageEnd(std::uint64_t endedBefore, std::chrono::milliseconds timeout) {
  std::unique_lock<std::mutex> lock(endMutex_);
  return endWake_.wait_for(lock, timeout, [&] { return messagesEnded_.load() > endedBefore; });
}

LiveKeyer::LiveKeyer(std::unique_ptr<SerialPort> port, TimerService* timers)
    : port_(std::move(port)),
      thread_(timers == nullptr ? std::make_unique<KeyerThread>() : nullptr),
      keyer_(std::make_unique<Keyer>(*port_, timers != nullptr ? *timers : *thread_)) {}

LiveKeyer::~LiveKeyer() {
  if (thread_) thread_->Stop();
  keyer_.reset();
  thread_.reset();
  port_.reset();
}

bool LiveKeyer::IsRealTime() const {
  return thread_ && thread_->IsRealTime();
}
