#include "keyer/keyer_thread.h"

#include <pthread.h>
#include <sched.h>
#include <sys/prctl.h>

#include <algorithm>
#include <chrono>
#include <utility>

namespace {

using SteadyClock = std::chrono::steady_clock;

// Ahead of every normal thread, but below the kernel's threaded interrupt handlers (50), so the
// serial and USB interrupts that carry the paddle contacts are never held up by the keyer.
constexpr int kRealTimePriority = 40;

bool TryRealTimeScheduling() {
  sched_param param{};
  param.sched_priority = std::min(kRealTimePriority, sched_get_priority_max(SCHED_FIFO));
  return pthread_setschedparam(pthread_self(), SCHED_FIFO, &param) == 0;
}

}  // namespace

KeyerThread::KeyerThread(Scheduling scheduling) {
  queue_.reserve(64);
  thread_ = std::thread([this, scheduling] { Run(scheduling); });
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [this] { return started_; });
}

KeyerThread::~KeyerThread() {
  Stop();
}

void KeyerThread::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
  std::lock_guard lock(mutex_);
  queue_.clear();
}

KeyerTime KeyerThread::Now() const {
  return std::chrono::duration_cast<KeyerTime>(SteadyClock::now().time_since_epoch());
}

bool KeyerThread::Later(const Entry& a, const Entry& b) {
  if (a.deadline != b.deadline) return a.deadline > b.deadline;
  return a.sequence > b.sequence;
}

void KeyerThread::Push(KeyerTime deadline, Callback callback) {
  bool earliest;
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    queue_.push_back(Entry{deadline, nextSequence_++, std::move(callback)});
    std::push_heap(queue_.begin(), queue_.end(), Later);
    earliest = queue_.front().sequence == nextSequence_ - 1;
  }
  // Only a new earliest deadline changes how long the thread must sleep.
  if (earliest) wake_.notify_one();
}

void KeyerThread::ScheduleAt(KeyerTime deadline, Callback callback) {
  Push(deadline, std::move(callback));
}

void KeyerThread::Post(Callback callback) {
  Push(Now(), std::move(callback));
}

void KeyerThread::Run(Scheduling scheduling) {
  if (scheduling == Scheduling::TryRealTime) realTime_ = TryRealTimeScheduling();
  // The default timer slack of 50 us would be added to every wake-up of a normal thread.
  prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);

  std::unique_lock lock(mutex_);
  started_ = true;
  wake_.notify_all();
  while (!stopping_) {
    if (queue_.empty()) {
      wake_.wait(lock);
      continue;
    }
    const KeyerTime deadline = queue_.front().deadline;
    if (deadline > Now()) {
      wake_.wait_until(lock, SteadyClock::time_point(
                                 std::chrono::duration_cast<SteadyClock::duration>(deadline)));
      continue;
    }
    std::pop_heap(queue_.begin(), queue_.end(), Later);
    Entry entry = std::move(queue_.back());
    queue_.pop_back();
    lock.unlock();
    entry.callback(entry.deadline);
    entry.callback = nullptr;  // release captured state outside the lock
    lock.lock();
  }
}
