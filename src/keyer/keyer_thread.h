#pragma once
// The real timer service: one thread that runs every keyer callback at its absolute deadline on
// the monotonic clock. It sleeps while nothing is due (no busy waiting), asks for real-time
// scheduling (SCHED_FIFO) when the system allows it and runs without it otherwise.
//
// Objects whose callbacks are queued must outlive the thread or call Stop() first; Stop() drops
// callbacks that have not run.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

#include "keyer/timer_service.h"

class KeyerThread : public TimerService {
 public:
  enum class Scheduling { TryRealTime, Normal };

  explicit KeyerThread(Scheduling scheduling = Scheduling::TryRealTime);
  ~KeyerThread() override;
  KeyerThread(const KeyerThread&) = delete;
  KeyerThread& operator=(const KeyerThread&) = delete;

  KeyerTime Now() const override;
  void ScheduleAt(KeyerTime deadline, Callback callback) override;
  void Post(Callback callback) override;

  // Ends the thread after the callback that is running; safe to call twice.
  void Stop();

  // True when the thread got SCHED_FIFO.
  bool IsRealTime() const { return realTime_; }

 private:
  struct Entry {
    KeyerTime deadline;
    std::uint64_t sequence;
    Callback callback;
  };
  static bool Later(const Entry& a, const Entry& b);
  void Run(Scheduling scheduling);
  void Push(KeyerTime deadline, Callback callback);

  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<Entry> queue_;  // min-heap by (deadline, sequence), guarded by mutex_
  std::uint64_t nextSequence_ = 0;
  bool stopping_ = false;
  bool started_ = false;
  std::atomic<bool> realTime_{false};
  std::thread thread_;
};
