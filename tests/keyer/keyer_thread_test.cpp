#include "keyer/keyer_thread.h"
#include "keyer/virtual_timer_service.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <vector>

namespace {

// Collects what the callbacks saw; the test thread waits for a given number of them.
struct Log {
  std::mutex mutex;
  std::condition_variable changed;
  std::vector<int> order;
  std::vector<KeyerTime> lateness;  // run time minus deadline

  void Add(int id, KeyerTime late) {
    std::lock_guard lock(mutex);
    order.push_back(id);
    lateness.push_back(late);
    changed.notify_all();
  }
  void WaitFor(std::size_t count) {
    std::unique_lock lock(mutex);
    ASSERT_TRUE(
        changed.wait_for(lock, std::chrono::seconds(5), [&] { return order.size() >= count; }));
  }
};

TEST(KeyerThread, RunsCallbacksInDeadlineOrderNeverEarly) {
  KeyerThread thread(KeyerThread::Scheduling::Normal);
  Log log;
  const KeyerTime base = thread.Now() + Milliseconds(20);
  const int offsets[] = {15, 5, 10, 5, 0};  // the two 5s run in the order they were scheduled
  for (int id = 0; id < 5; ++id) {
    thread.ScheduleAt(base + Milliseconds(offsets[id]), [&thread, &log, id](KeyerTime deadline) {
      log.Add(id, thread.Now() - deadline);
    });
  }
  log.WaitFor(5);
  EXPECT_EQ(log.order, (std::vector<int>{4, 1, 3, 2, 0}));
  for (KeyerTime late : log.lateness) EXPECT_GE(late.count(), 0);
}

TEST(KeyerThread, ChainsOnDeadlinesAndPostedEventsRunBetween) {
  KeyerThread thread;
  Log log;
  std::vector<KeyerTime> deadlines;
  std::function<void(KeyerTime)> step = [&](KeyerTime deadline) {
    deadlines.push_back(deadline);
    log.Add(1, KeyerTime::zero());
    if (deadlines.size() < 5) thread.ScheduleAt(deadline + Milliseconds(3), step);
  };
  const KeyerTime start = thread.Now();
  thread.ScheduleAt(start + Milliseconds(3), step);
  thread.Post([&](KeyerTime) { log.Add(2, KeyerTime::zero()); });
  log.WaitFor(6);
  thread.Stop();
  ASSERT_EQ(deadlines.size(), 5u);
  for (std::size_t i = 0; i < deadlines.size(); ++i) {
    EXPECT_EQ(deadlines[i], start + Milliseconds(3 * static_cast<std::int64_t>(i + 1)));
  }
  EXPECT_EQ(log.order.front(), 2);  // the posted event did not wait for the timers
}

TEST(KeyerThread, StopDropsCallbacksThatHaveNotRun) {
  bool ran = false;
  {
    KeyerThread thread;
    thread.ScheduleAt(thread.Now() + Milliseconds(10000), [&](KeyerTime) { ran = true; });
    thread.Stop();
    thread.ScheduleAt(thread.Now(), [&](KeyerTime) { ran = true; });
  }
  EXPECT_FALSE(ran);
}

TEST(VirtualTimerService, RunsDueCallbacksAtTheirDeadlinesAndThoseTheySchedule) {
  VirtualTimerService timers;
  std::vector<std::int64_t> seen;
  auto record = [&](KeyerTime deadline) {
    seen.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(timers.Now()).count());
    EXPECT_EQ(timers.Now(), deadline);
  };
  timers.ScheduleAt(Milliseconds(30), record);
  timers.ScheduleAt(Milliseconds(10), [&](KeyerTime deadline) {
    record(deadline);
    timers.ScheduleAt(deadline + Milliseconds(5), record);
  });
  timers.AdvanceMs(20);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{10, 15}));
  timers.AdvanceMs(20);
  EXPECT_EQ(seen, (std::vector<std::int64_t>{10, 15, 30}));
  EXPECT_EQ(timers.Now(), Milliseconds(40));
  EXPECT_EQ(timers.PendingCount(), 0u);
}

}  // namespace
