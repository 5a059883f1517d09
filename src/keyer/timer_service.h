#pragma once
// The keyer's one-shot timers. Every callback of one service runs on one thread, one after the
// other, in the order of their deadlines (equal deadlines in the order they were scheduled). That
// thread is also where paddle events are handled (Post), so the keyer state needs no locks.
//
// Timing is on absolute deadlines: a callback receives the deadline it was scheduled for, and the
// next step of a chain is scheduled at that deadline plus its duration, never at "now" plus the
// duration, so a late wake-up does not shift the rest of a message.
//
// Callbacks should capture no more than a pointer or two: std::function keeps such small targets
// without allocating, and nothing in a keying step may allocate.

#include <functional>

#include "keyer/keyer_time.h"

class TimerService {
 public:
  using Callback = std::function<void(KeyerTime deadline)>;

  virtual ~TimerService() = default;

  // The current time on this service's clock. Any thread.
  virtual KeyerTime Now() const = 0;

  // Runs callback once, at deadline (at once if it has passed). Any thread.
  virtual void ScheduleAt(KeyerTime deadline, Callback callback) = 0;

  // Runs callback as soon as possible on the timer thread, after every callback already due; the
  // callback receives the time at which it was posted. Any thread.
  virtual void Post(Callback callback) = 0;
};
