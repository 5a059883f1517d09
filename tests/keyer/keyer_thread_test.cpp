#include "keyer/keyer_thread.h"
#include "keyer/virtual_timer_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <future>
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
  // The thread waits in a posted event until all five are scheduled, so their order does not
  // depend on how quickly this thread schedules them.
  std::promise<void> scheduled;
  thread.Post([ready = scheduled.get_future().share()](KeyerTime) { ready.wait(); });
  const KeyerTime base = thread.Now() + Milliseconds(20);
  const int offsets[] = {15, 5, 10, 5, 0};  // the two 5s run in the order they were scheduled
  for (int id = 0; id < 5; ++id) {
    thread.ScheduleAt(base + Milliseconds(offsets[id]), [&thread, &log, id](KeyerTime deadline) {
      log.Add(id, thread.Now() - deadline);
    });
  }
  scheduled.set_value();
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
  // A posted event runs at the moment it was posted: after the steps already due then, before
  // the later ones, however late this thread gets to post it.
  const KeyerTime beforePost = thread.Now();
  thread.Post([&](KeyerTime) { log.Add(2, KeyerTime::zero()); });
  const KeyerTime afterPost = thread.Now();
  log.WaitFor(6);
  thread.Stop();
  ASSERT_EQ(deadlines.size(), 5u);
  std::size_t dueBefore = 0, dueAfter = 0;
  for (std::size_t i = 0; i < deadlines.size(); ++i) {
    EXPECT_EQ(deadlines[i], start + Milliseconds(3 * static_cast<std::int64_t>(i + 1)));
    if (deadlines[i] < beforePost) ++dueBefore;
    if (deadlines[i] > afterPost) ++dueAfter;
  }
  const auto posted = std::find(log.order.begin(), log.order.end(), 2) - log.order.begin();
  EXPECT_GE(posted, static_cast<std::ptrdiff_t>(dueBefore));
  EXPECT_LE(posted, static_cast<std::ptrdiff_t>(deadlines.size() - dueAfter));
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
