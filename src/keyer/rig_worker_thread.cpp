#include "keyer/rig_worker_thread.h"

#include <utility>

RigWorkerThread::RigWorkerThread() {
  thread_ = std::thread([this] { Loop(); });
}

RigWorkerThread::~RigWorkerThread() {
  Stop();
}

void RigWorkerThread::Run(std::function<void()> exchange) {
  {
    std::lock_guard lock(mutex_);
    if (stopping_) return;
    queue_.push_back(std::move(exchange));
  }
  wake_.notify_one();
}

void RigWorkerThread::Stop() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    queue_.clear();
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();
}

void RigWorkerThread::Loop() {
  std::unique_lock lock(mutex_);
  while (true) {
    wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
    if (stopping_) return;
    std::function<void()> exchange = std::move(queue_.front());
    queue_.pop_front();
    lock.unlock();
    exchange();
    exchange = nullptr;  // release what it captured outside the lock
    lock.lock();
  }
}
