#pragma once
// Flags and counters that the live window, the paddle keyer and the message player share across
// threads. Each is a single atomic value: none of them needs to change together with another.

#include <atomic>

struct KeyerState {
  // Keying speed in words per minute (the window's speed control, 10 ... 40). The paddle keyer
  // reads it afresh at the start of every element.
  std::atomic<int> speedWpm{18};

  // CW keying is switched on (port open, paddle live). Set by the window.
  std::atomic<bool> keyingActive{false};

  // The automatic CQ is to continue. Cleared by the paddle when it interrupts a message.
  std::atomic<bool> autoCqPending{false};

  // The running message is to stop at its next key-down step. Set by the window and by the
  // paddle; cleared by the player when the message stops.
  std::atomic<bool> abortRequest{false};

  // How often the paddle has taken over from a running message (counted when it requests the
  // abort), so the window can tell that a message it queued must not start after all.
  std::atomic<unsigned> paddleInterruptions{0};

  // Message steps: index of the last element and of the current one, both 0 while idle.
  std::atomic<int> messageLastIndex{0};
  std::atomic<int> messageCurrentIndex{0};

  bool MessageRunning() const { return messageLastIndex.load() > 0; }
};
