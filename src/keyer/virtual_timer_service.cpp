#include "keyer/virtual_timer_service.h"

#include <algorithm>
#include <utility>

bool VirtualTimerService::Later(const Entry& a, const Entry& b) {
  if (a.deadline != b.deadline) return a.deadline > b.deadline;
  return a.sequence > b.sequence;
}

void VirtualTimerService::ScheduleAt(KeyerTime deadline, Callback callback) {
  queue_.push_back(Entry{deadline, nextSequence_++, std::move(callback)});
  std::push_heap(queue_.begin(), queue_.end(), Later);
}

void VirtualTimerService::Post(Callback callback) {
  ScheduleAt(now_, std::move(callback));
}

void VirtualTimerService::Advance(KeyerTime step) {
  const KeyerTime end = now_ + step;
  while (!queue_.empty() && queue_.front().deadline <= end) {
    std::pop_heap(queue_.begin(), queue_.end(), Later);
    Entry entry = std::move(queue_.back());
    queue_.pop_back();
    // A deadline already in the past runs at the current time; the clock never goes backwards.
    now_ = std::max(now_, entry.deadline);
    entry.callback(entry.deadline);
  }
  now_ = end;
}
