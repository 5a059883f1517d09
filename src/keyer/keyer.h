#pragma once
// The CW keyer as the live window uses it: paddle keyer, message player, message converter and
// port roles wired together on one timer service.
// Its message part is MessageKeying, which the rig keyer (RigKeyer) offers as well.
//
// Threads:
// - Window thread: every method below.
// - Timer thread (the service's): key timing, paddle decisions, message steps, the end handler.
// - Port thread: status changes of the paddle contacts, handed to the timer thread at once.
// The flags that the window and the timer thread share are the atomics of State(), which the
// window reads only; it changes them through the methods that say what it wants:
// - the abort request (AbortMessage, HoldMessages, ReleaseMessages): the running message stops at
//   its next key-down step (the element being keyed is finished); the player clears it when the
//   message stops.
// - the automatic CQ (ArmAutoCq, CancelAutoCq); the paddle cancels it when it interrupts a message.
// - keyingActive: kept by ApplyKeyingState.
// - MessageRunning(): a message is being keyed (TransmitText refuses a second one).
//
// Lifetime: callbacks on the timer service refer to this object. Stop the service (KeyerThread::
// Stop) before the keyer is destroyed; LiveKeyer does this in the right order.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "keyer/iambic_keyer.h"
#include "keyer/keyer_port.h"
#include "keyer/keyer_state.h"
#include "keyer/message_keying.h"
#include "keyer/message_player.h"
#include "keyer/morse_converter.h"

class SerialPort;
class TimerService;

class Keyer : public MessageKeying {
 public:
  static constexpr int kMinWpm = 10;
  static constexpr int kMaxWpm = 40;

  // The converter is set up as the live window uses it: Farnsworth on, speed and character speed
  // both the keying speed (18 wpm until SetSpeed).
  Keyer(SerialPort& port, TimerService& timers);
  ~Keyer() override;
  Keyer(const Keyer&) = delete;
  Keyer& operator=(const Keyer&) = delete;

  const KeyerState& State() const { return state_; }

  // --- The running message and the automatic CQ ---
  // Stops the running message at its next key-down step; nothing changes while none runs.
  void AbortMessage() override;
  // Sets the abort request whether or not a message runs: the running message stops at its next
  // step, and a message started before ReleaseMessages() stops at its first, keying nothing.
  void HoldMessages() override;
  // Withdraws the abort request: a running message goes on, the next one is keyed.
  void ReleaseMessages() override;
  // The automatic CQ is to go on after the running message (until cancelled, also by the paddle).
  void ArmAutoCq() override;
  void CancelAutoCq() override;
  bool AutoCqPending() const override { return state_.autoCqPending.load(); }
  unsigned PaddleInterruptions() const override { return state_.paddleInterruptions.load(); }

  // --- Speed ---
  // Clamps to 10 ... 40 and makes it the speed of the paddle keyer (from its next element), of the
  // converter (speed and character speed) and of the two speed tags. Returns the clamped speed.
  int SetSpeed(int wpm) override;
  int Speed() const { return state_.speedWpm.load(); }
  // "<" + (w + 1) div 2 + ">": the exchange text's overall speed with Farnsworth spacing.
  const std::string& SlowTag() const override { return slowTag_; }
  // "<" + w + ">": back to the keying speed.
  const std::string& NormalTag() const override { return normalTag_; }

  // --- Port ---
  void SetRtsKeys(bool rtsKeys) { port_.SetRtsKeys(rtsKeys); }
  void SetReversed(bool reversed) { port_.SetReversed(reversed); }
  // Sets State().keyingActive and brings the port in line (see KeyerPort::ApplyKeyingState).
  // On SerialPortError keying is left off and the error passed on. Whenever keying ends up off,
  // the paddle keyer takes both contacts as open (the port reports no release any more).
  void ApplyKeyingState(bool keyingActive, int portNumber);

  // --- Messages ---
  TMorse& Converter() { return converter_; }
  // Converts text (Windows-1252) with the converter and starts keying it. False when a message
  // is running or the text yields nothing to key (then nothing starts).
  bool TransmitText(const std::string& text) override;
  bool MessageRunning() const override { return state_.MessageRunning(); }
  // Starts keying an element list made by Converter(). Returns the start time on the timer
  // service's clock (the lead-in runs from there), or nothing when a message is running.
  std::optional<KeyerTime> StartMessage(const ElementList& elements);
  // Called on the timer thread when a message has ended (see MessagePlayer::MessageEnd). Set it
  // before the first message.
  void SetMessageEndHandler(MessagePlayer::EndHandler handler) override;
  // How many messages have ended so far, counted before the end handler is called; and how the
  // last one ended. Any thread.
  std::uint64_t MessagesEnded() const override { return messagesEnded_.load(); }
  MessagePlayer::MessageEnd LastMessageEnd() const override { return lastEnd_.load(); }
  // Blocks until more than `endedBefore` messages have ended, at most `timeout`; true when they
  // have. For the window thread, while the timer thread runs the keyer.
  bool WaitForMessageEnd(std::uint64_t endedBefore, std::chrono::milliseconds timeout) override;

 private:
  // Once the port no longer reports the contacts, the paddle keyer takes them as open.
  void ReleasePaddlesAfterEvents();

  TimerService& timers_;
  KeyerState state_;
  KeyerPort port_;
  IambicKeyer paddle_;
  MessagePlayer player_;
  MessagePlayer::EndHandler endHandler_;
  std::atomic<std::uint64_t> messagesEnded_{0};
  std::atomic<MessagePlayer::MessageEnd> lastEnd_{MessagePlayer::MessageEnd::Stopped};
  std::mutex endMutex_;
  std::condition_variable endWake_;
  TMorse converter_;
  ElementList elements_;
  std::string slowTag_;
  std::string normalTag_;
};

class KeyerThread;

// The keyer on real hardware: the serial port, the keyer thread and the keyer, created and torn
// down in an order that never leaves a callback pointing at a destroyed object. Destruction
// switches both lines off and closes the port. Given a timer service of its own (tests), it runs
// on that instead of a keyer thread.
class LiveKeyer {
 public:
  explicit LiveKeyer(std::unique_ptr<SerialPort> port, TimerService* timers = nullptr);
  ~LiveKeyer();
  LiveKeyer(const LiveKeyer&) = delete;
  LiveKeyer& operator=(const LiveKeyer&) = delete;

  Keyer& keyer() { return *keyer_; }
  SerialPort& port() { return *port_; }
  bool IsRealTime() const;

 private:
  std::unique_ptr<SerialPort> port_;
  std::unique_ptr<KeyerThread> thread_;
  std::unique_ptr<Keyer> keyer_;
};
