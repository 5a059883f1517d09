#pragma once
// Runs the rig keyer's exchanges on the test's thread: at once when handed over (so on virtual
// time an answer comes at the very moment the exchange was started), or, while held, only when
// the test releases them, as a rigctld that takes its time would.

#include <cstddef>
#include <deque>
#include <functional>
#include <utility>

#include "keyer/exchange_runner.h"

class TestExchangeRunner : public ExchangeRunner {
 public:
  void Run(std::function<void()> exchange) override {
    if (holding_) {
      held_.push_back(std::move(exchange));
    } else {
      exchange();
    }
  }

  void Hold() { holding_ = true; }
  // Runs what was held, in order, and runs later exchanges at once again.
  void Release() {
    holding_ = false;
    while (!held_.empty()) {
      auto exchange = std::move(held_.front());
      held_.pop_front();
      exchange();
    }
  }
  std::size_t HeldCount() const { return held_.size(); }

 private:
  bool holding_ = false;
  std::deque<std::function<void()>> held_;
};
