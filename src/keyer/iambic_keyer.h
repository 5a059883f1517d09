#pragma once
// The iambic paddle keyer: turns dit and dah contact events into elements on the key line.
//
// Holding one paddle repeats its element with one dit of space; squeezing both alternates,
// beginning with the paddle closed first; a paddle closed and opened while an element runs (a tap),
// or released while the other is held, is remembered and sent once after the running element.
//
// Threading: every method runs on the timer service's thread. Paddle events come in through
// TimerService::Post (KeyerPort does this), the element timers are callbacks of the same service,
// so events and decisions never interleave and the state needs no locks.

#include "keyer/keyer_time.h"
#include "keyer/paddle_event.h"

class KeyLine;
class TimerService;
struct KeyerState;

class IambicKeyer {
 public:
  enum class Element { None = 0, Dit = 1, Dah = 2 };

  IambicKeyer(TimerService& timers, KeyLine& keyLine, KeyerState& state);

  void DitPressed();
  void DitReleased();
  void DahPressed();
  void DahReleased();
  void Handle(PaddleEvent event);

  // Both contacts count as open and nothing is remembered; the running element still finishes.
  // For when the port stops reporting the contacts (keying switched off): a contact held at that
  // moment would otherwise stay closed here and repeat its element without end, keying the
  // transmitter again as soon as the port reopens.
  void ReleasePaddles();

  // The element that is running (None while idle).
  Element Running() const { return running_; }

 private:
  void StartElement(Element element, KeyerTime start);
  void ElementEnd(KeyerTime deadline);

  TimerService& timers_;
  KeyLine& keyLine_;
  KeyerState& state_;

  Element running_ = Element::None;
  bool ditPaddle_ = false;
  bool dahPaddle_ = false;
  bool ditMemory_ = false;  // the dit contact was released since the last element end
  bool dahMemory_ = false;
};
