#pragma once
// The thread that runs the rig keyer's exchanges: each one blocks until rigctld answered or its
// time limit passed, so the window's thread and the keyer's timer thread never wait for the rig.

#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>

#include "keyer/exchange_runner.h"

class RigWorkerThread : public ExchangeRunner {
 public:
  RigWorkerThread();
  ~RigWorkerThread() override;
  RigWorkerThread(const RigWorkerThread&) = delete;
  RigWorkerThread& operator=(const RigWorkerThread&) = delete;

  void Run(std::function<void()> exchange) override;

  // Ends the thread after the exchange that is running; those not started are dropped. Safe to
  // call twice.
  void Stop();

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> queue_;  // guarded by mutex_
  bool stopping_ = false;
  std::thread thread_;
};
