#include "keyer/iambic_keyer.h"

#include "keyer/iambic_timing.h"
#include "keyer/key_line.h"
#include "keyer/keyer_state.h"
#include "keyer/timer_service.h"

IambicKeyer::IambicKeyer(TimerService& timers, KeyLine& keyLine, KeyerState& state)
    : timers_(timers), keyLine_(keyLine), state_(state) {}

void IambicKeyer::DitPressed() {
  ditPaddle_ = true;
  if (running_ == Element::None) StartElement(Element::Dit, timers_.Now());
}

void IambicKeyer::DitReleased() {
  ditPaddle_ = false;
  ditMemory_ = true;
}

void IambicKeyer::DahPressed() {
  dahPaddle_ = true;
  if (running_ == Element::None) StartElement(Element::Dah, timers_.Now());
}

void IambicKeyer::DahReleased() {
  dahPaddle_ = false;
  dahMemory_ = true;
}

void IambicKeyer::ReleasePaddles() {
  ditPaddle_ = false;
  dahPaddle_ = false;
  ditMemory_ = false;
  dahMemory_ = false;
}

void IambicKeyer::Handle(PaddleEvent event) {
  switch (event) {
    case PaddleEvent::DitPressed:
      DitPressed();
      break;
    case PaddleEvent::DitReleased:
      DitReleased();
      break;
    case PaddleEvent::DahPressed:
      DahPressed();
      break;
    case PaddleEvent::DahReleased:
      DahReleased();
      break;
  }
}

void IambicKeyer::StartElement(Element element, KeyerTime start) {
  running_ = element;
  // The paddle takes over from a message: stop it at its next step and end the automatic CQ.
  if (state_.MessageRunning()) {
    state_.abortRequest = true;
    state_.autoCqPending = false;
    ++state_.paddleInterruptions;
  }
  // The speed is read afresh for every element, so a change applies from the next one.
  const IambicElementTimes& times = IambicTimesFor(state_.speedWpm.load());
  const bool dit = element == Element::Dit;
  KeyLine* keyLine = &keyLine_;
  timers_.ScheduleAt(start + Milliseconds(dit ? times.dit : times.dah),
                     [keyLine](KeyerTime) { keyLine->SetKeyDown(false); });
  keyLine_.SetKeyDown(true);
  timers_.ScheduleAt(start + Milliseconds(dit ? times.ditPeriod : times.dahPeriod),
                     [this](KeyerTime deadline) { ElementEnd(deadline); });
}

void IambicKeyer::ElementEnd(KeyerTime deadline) {
  const bool dahWanted = dahPaddle_ || dahMemory_;
  const bool ditWanted = ditPaddle_ || ditMemory_;
  // The next element starts on the schedule, not when this callback happened to run.
  if (dahWanted && ditWanted) {
    StartElement(running_ == Element::Dah ? Element::Dit : Element::Dah, deadline);
  } else if (dahPaddle_) {
    StartElement(Element::Dah, deadline);
  } else if (ditPaddle_) {
    StartElement(Element::Dit, deadline);
  } else {
    running_ = Element::None;
  }
  ditMemory_ = false;
  dahMemory_ = false;
}
