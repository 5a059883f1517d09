#pragma once
// Keys an element list (see TMorse) on the key line: a chain of timer steps, each scheduled at the
// previous step's deadline plus the element's duration. A message stops at its end or at the
// first key-down step after an abort request (KeyerState::abortRequest); the element being keyed
// is finished and the key line is left off.
//
// Threading: Start() is called on the window's thread; the steps and the end handler run on the
// timer service's thread. The end handler must hand anything that touches widgets over to the
// window's thread.

#include <functional>
#include <optional>

#include "keyer/keyer_time.h"
#include "keyer/morse_converter.h"

class KeyLine;
class TimerService;
struct KeyerState;

class MessagePlayer {
 public:
  // How a message ended, which decides what the window updates afterwards.
  enum class MessageEnd {
    // The key-down step found the list at its end or an abort request: all end actions, including
    // the mode label and the CQ watchdog.
    Stopped,
    // The key-up step keyed the last entry (a list that ends key down): end actions without the
    // mode label and watchdog update.
    LastElementKeyed,
  };
  using EndHandler = std::function<void(MessageEnd)>;

  MessagePlayer(TimerService& timers, KeyLine& keyLine, KeyerState& state);

  // Set before the first message; called on the timer thread after the step counters are reset.
  void SetEndHandler(EndHandler handler) { endHandler_ = std::move(handler); }

  // Starts keying a copy of elements. Returns the start time (the first key-down step follows
  // the lead-in), or nothing when a message is already running or the list is not an element
  // list: at least a lead-in and one key-down entry, alternating key up / key down, no zeros.
  std::optional<KeyerTime> Start(const ElementList& elements);

 private:
  void KeyDownStep(KeyerTime deadline);
  void KeyUpStep(KeyerTime deadline);
  void End(MessageEnd how);

  TimerService& timers_;
  KeyLine& keyLine_;
  KeyerState& state_;
  EndHandler endHandler_;
  ElementList elements_;  // written only while no message runs
};
