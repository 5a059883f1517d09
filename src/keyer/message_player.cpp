#include "keyer/message_player.h"

#include "keyer/key_line.h"
#include "keyer/keyer_state.h"
#include "keyer/timer_service.h"

namespace {

bool IsElementList(const ElementList& elements) {
  if (elements.size() < 2) return false;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    const bool keyDown = i % 2 == 1;
    if (keyDown ? elements[i] <= 0 : elements[i] >= 0) return false;
  }
  return true;
}

}  // namespace

MessagePlayer::MessagePlayer(TimerService& timers, KeyLine& keyLine, KeyerState& state)
    : timers_(timers), keyLine_(keyLine), state_(state) {
  elements_.reserve(1000);
}

std::optional<KeyerTime> MessagePlayer::Start(const ElementList& elements) {
  if (state_.MessageRunning() || !IsElementList(elements)) return std::nullopt;
  elements_ = elements;
  state_.messageCurrentIndex = 0;
  state_.messageLastIndex = static_cast<int>(elements_.size()) - 1;
  const KeyerTime start = timers_.Now();
  timers_.ScheduleAt(start + Milliseconds(-elements_[0]),
                     [this](KeyerTime deadline) { KeyDownStep(deadline); });
  return start;
}

void MessagePlayer::KeyDownStep(KeyerTime deadline) {
  const int current = state_.messageCurrentIndex.load() + 1;
  if (current > state_.messageLastIndex.load() || state_.abortRequest.load()) {
    state_.abortRequest = false;
    End(MessageEnd::Stopped);
    return;
  }
  state_.messageCurrentIndex = current;
  timers_.ScheduleAt(deadline + Milliseconds(elements_[current]),
                     [this](KeyerTime next) { KeyUpStep(next); });
  keyLine_.SetKeyDown(true);
}

void MessagePlayer::KeyUpStep(KeyerTime deadline) {
  keyLine_.SetKeyDown(false);
  const int current = state_.messageCurrentIndex.load();
  if (current == state_.messageLastIndex.load()) {
    End(MessageEnd::LastElementKeyed);
    return;
  }
  state_.messageCurrentIndex = current + 1;
  timers_.ScheduleAt(deadline + Milliseconds(-elements_[current + 1]),
                     [this](KeyerTime next) { KeyDownStep(next); });
}

void MessagePlayer::End(MessageEnd how) {
  state_.messageCurrentIndex = 0;
  state_.messageLastIndex = 0;  // last: from here on a new message may be started
  if (endHandler_) endHandler_(how);
}
