#pragma once
// Where the rig keyer's exchanges with rigctld run: one at a time, in the order given, off the
// window's thread. The real one is a thread of its own (RigWorkerThread); tests run them by hand.

#include <functional>

class ExchangeRunner {
 public:
  virtual ~ExchangeRunner() = default;
  // Runs the exchange after those given before. Any thread.
  virtual void Run(std::function<void()> exchange) = 0;
};
