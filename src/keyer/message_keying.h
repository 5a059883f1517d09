#pragma once
// What the live window's message logic needs of a keyer, whichever path keys the transmitter: the
// serial port's own Morse timing (Keyer) or the rig's keyer through rigctld (RigKeyer).
//
// Threads: every method is for the window's thread, except the queries marked "any thread". The
// end handler runs on the keyer's timer thread; the window hands it over to its own thread.

#include <chrono>
#include <cstdint>
#include <string>

#include "keyer/message_player.h"

class MessageKeying {
 public:
  using MessageEnd = MessagePlayer::MessageEnd;
  using EndHandler = MessagePlayer::EndHandler;

  virtual ~MessageKeying() = default;

  // Starts keying the text (Windows-1252, with speed tags). False when a message is running or
  // the text holds nothing to key.
  virtual bool TransmitText(const std::string& text) = 0;
  // A message is being keyed. Any thread.
  virtual bool MessageRunning() const = 0;

  // The running message stops (the serial keyer at its next key-down step); nothing changes while
  // none runs.
  virtual void AbortMessage() = 0;
  // The abort request whether or not a message runs: a message started before ReleaseMessages()
  // sends nothing.
  virtual void HoldMessages() = 0;
  virtual void ReleaseMessages() = 0;

  // The automatic CQ is to go on after the running message. Any thread for the query.
  virtual void ArmAutoCq() = 0;
  virtual void CancelAutoCq() = 0;
  virtual bool AutoCqPending() const = 0;
  // How often the paddle has taken over a running message (0 where the rig keys its own paddle).
  // Any thread.
  virtual unsigned PaddleInterruptions() const = 0;

  // Clamps to 10 ... 40 and makes it the keying speed; returns the clamped speed.
  virtual int SetSpeed(int wpm) = 0;
  // The speed tags the messages carry: "<" + (w + 1) div 2 + ">" and "<" + w + ">".
  virtual const std::string& SlowTag() const = 0;
  virtual const std::string& NormalTag() const = 0;

  // Called on the timer thread when a message has ended. Set it before the first message.
  virtual void SetMessageEndHandler(EndHandler handler) = 0;
  // Messages ended so far, counted before the end handler runs, and how the last one ended. Any
  // thread.
  virtual std::uint64_t MessagesEnded() const = 0;
  virtual MessageEnd LastMessageEnd() const = 0;
  // Blocks until more than `endedBefore` messages have ended, at most `timeout`; true when they
  // have.
  virtual bool WaitForMessageEnd(std::uint64_t endedBefore, std::chrono::milliseconds timeout) = 0;
};
