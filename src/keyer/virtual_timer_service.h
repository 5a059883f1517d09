#pragma once
// A timer service on virtual time for tests: time stands still until the test advances it, and
// every callback then runs on the test's own thread at its exact deadline, so key-line edges can be
// asserted to the nanosecond.

#include <cstdint>
#include <vector>

#include "keyer/timer_service.h"

class VirtualTimerService : public TimerService {
 public:
  KeyerTime Now() const override { return now_; }
  void ScheduleAt(KeyerTime deadline, Callback callback) override;
  void Post(Callback callback) override;

  // Runs, in deadline order, every callback due up to now + step (including callbacks that those
  // callbacks schedule within that span) and leaves the clock at now + step.
  void Advance(KeyerTime step);
  void AdvanceMs(std::int64_t ms) { Advance(Milliseconds(ms)); }
  // Runs what is due at the current time (posted events among them) without moving the clock.
  void RunDue() { Advance(KeyerTime::zero()); }

  std::size_t PendingCount() const { return queue_.size(); }

 private:
  struct Entry {
    KeyerTime deadline;
    std::uint64_t sequence;
    Callback callback;
  };
  static bool Later(const Entry& a, const Entry& b);

  KeyerTime now_{0};
  std::uint64_t nextSequence_ = 0;
  std::vector<Entry> queue_;  // min-heap by (deadline, sequence)
};
