#pragma once
// The transceiver's CAT connection through rigctld, Hamlib's network daemon, as the rig keyer uses
// it. Free of Qt and of Hamlib's headers, so that tests put a fake in its place.
//
// Every call but Interrupt blocks until rigctld has answered or the client's own time limit has
// passed; the rig keyer makes them one at a time on its worker thread, never on the window's.

#include <string>
#include <utility>

enum class RigStatus {
  Ok,
  // Hamlib's -RIG_ENAVAIL: rigctld answered, but the rig (or its Hamlib backend) lacks the
  // feature. Not a lost connection.
  NotAvailable,
  // Anything else: no answer in time, connection closed, an error reported by rigctld.
  Failed,
};

struct RigReply {
  RigStatus status = RigStatus::Ok;
  // Failed: why, for the operator (Windows-1252). GetMode answered Ok: the mode by Hamlib's name
  // ("CW", "USB").
  std::string detail;

  static RigReply Ok(std::string detail = {}) { return {RigStatus::Ok, std::move(detail)}; }
  static RigReply NotAvailable() { return {RigStatus::NotAvailable, {}}; }
  static RigReply Failed(std::string why) { return {RigStatus::Failed, std::move(why)}; }
};

class RigClient {
 public:
  virtual ~RigClient() = default;

  // Connects to rigctld at `address` (see ParseRigAddress), trying every address of the host
  // name in turn, after closing any connection left open. Failed names the address and the
  // system's reason.
  virtual RigReply Open(const std::string& address) = 0;
  virtual void Close() = 0;

  // Hands the text to the rig, which keys it itself at its keyer speed.
  virtual RigReply SendMorse(const std::string& text) = 0;
  // Stops the text being keyed.
  virtual RigReply StopMorse() = 0;
  // Returns once the rig has finished keying.
  virtual RigReply WaitMorse() = 0;
  // The rig's keyer speed (Hamlib's level KEYSPD) in words per minute.
  virtual RigReply SetKeySpeed(int wpm) = 0;
  // The rig's operating mode, by Hamlib's name, in RigReply::detail.
  virtual RigReply GetMode() = 0;

  // Any thread, while another call may be running: makes that call fail soon (the connection is
  // given up). Does nothing when no connection is open.
  virtual void Interrupt() = 0;
};
