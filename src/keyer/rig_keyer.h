#pragma once
// The keyer for a transceiver that keys CW itself from text sent over its CAT connection, reached
// through rigctld (see RigClient), and the poll of the rig's mode for mode following.
//
// A message is handed to the rig as text with send_morse: speed tags removed, letters in upper
// case, the rig's keyer speed set with KEYSPD whenever the speed changes. Its end is known from
// wait_morse, asked once the duration the converter computes for the text has passed; a rig that
// answers "feature not available" ends its messages at that computed duration. A stop is sent
// with stop_morse; where the rig cannot stop, the message runs on to its computed end, and the
// next one waits for that. Every message that starts ends exactly once, reported as the serial
// keyer reports it (MessageEnd::Stopped), whether it was keyed, stopped, or given up.
//
// Never blocks, never lies: every exchange with rigctld runs on the exchange runner, one at a
// time, each with a time limit on the timer service's clock counted from when it is handed over
// (kExchangeTimeout; kOpenTimeout for the connection, which tries every address of the host).
// An exchange that fails or passes its limit means the connection is lost: the running message
// ends, Lost is reported, and nothing more is sent until Connect. A text is taken as sent only
// when rigctld accepted it. Two exceptions: "feature not available" to stop_morse, wait_morse,
// KEYSPD and the mode poll is an answer, not a loss; and a wait_morse still running at its limit
// (Hamlib waits for the rig's PTT, which a rig with a long break-in delay holds) ends the message
// as computed, and only a wait_morse still running at kWaitMorseLimit means the connection is
// lost.
//
// Threads:
// - Window thread: every method below except the queries marked "any thread".
// - Timer thread (the timer service's): every decision; the connection, mode and end handlers run
//   there and must hand anything that touches widgets over to the window's thread.
// - The exchange runner's thread: the client's calls.
// Lifetime: callbacks on the timer service and the runner refer to this object and the client;
// stop both before destroying it (LiveRigKeyer does this in the right order).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "keyer/keyer_time.h"
#include "keyer/message_keying.h"
#include "keyer/rig_client.h"

class ExchangeRunner;
class KeyerThread;
class RigWorkerThread;
class TimerService;

// The CQ/SSB switch a rig mode asks for: CW and CWR ask for CW; USB, LSB, PKTUSB and PKTLSB for
// SSB; any other mode (AM, FM, RTTY ...) changes nothing.
enum class RigModeChange { None, Cw, Ssb };
RigModeChange ModeChangeFor(std::string_view hamlibMode);

// A message as the rig keys it.
struct RigMessage {
  std::string text;  // speed tags removed, cleaned up as for the serial keyer, upper case
  std::int64_t durationMs = 0;  // as the converter computes it at the keying speed
};
// Nothing when the text holds nothing to key.
std::optional<RigMessage> PrepareRigMessage(const std::string& text, int wpm);

class RigKeyer : public MessageKeying {
 public:
  static constexpr std::chrono::milliseconds kExchangeTimeout{500};
  static constexpr std::chrono::milliseconds kOpenTimeout{2000};
  static constexpr std::chrono::milliseconds kWaitMorseLimit{20000};

  enum class ConnectionEvent {
    Connected,
    Refused,  // Connect did not come about; the reason names the address and the system's reason
    Lost,     // an open connection failed or did not answer in time
  };
  using ConnectionHandler = std::function<void(ConnectionEvent, const std::string& reason)>;
  using ModeHandler = std::function<void(RigModeChange)>;

  // The speed starts at 18 wpm, as the serial keyer's.
  RigKeyer(RigClient& client, TimerService& timers, ExchangeRunner& runner);
  RigKeyer(const RigKeyer&) = delete;
  RigKeyer& operator=(const RigKeyer&) = delete;

  // --- Connection ---
  // Set both handlers before the first Connect.
  void SetConnectionHandler(ConnectionHandler handler) { connectionHandler_ = std::move(handler); }
  // Connects to rigctld at address ("host:port"); Connected or Refused follows. A running message
  // ends, an open connection is closed first.
  void Connect(const std::string& address);
  // Stops a message the rig is keying (best effort) and closes the connection; nothing is
  // reported.
  void Disconnect();
  // Connected and not lost since. Any thread.
  bool Connected() const { return connected_.load(); }

  // --- Mode following ---
  void SetModeHandler(ModeHandler handler) { modeHandler_ = std::move(handler); }
  // Asks the rig for its mode; the mode handler gets the answer. Does nothing while the answer
  // to the previous poll is outstanding. False when not connected.
  bool PollMode();

  // --- MessageKeying ---
  bool TransmitText(const std::string& text) override;
  bool MessageRunning() const override { return messageRunning_.load(); }
  void AbortMessage() override;
  void HoldMessages() override;
  void ReleaseMessages() override;
  void ArmAutoCq() override { autoCqPending_ = true; }
  void CancelAutoCq() override { autoCqPending_ = false; }
  bool AutoCqPending() const override { return autoCqPending_.load(); }
  unsigned PaddleInterruptions() const override { return 0; }  // the rig keys its own paddle
  int SetSpeed(int wpm) override;
  int Speed() const { return speed_.load(); }
  const std::string& SlowTag() const override { return slowTag_; }
  const std::string& NormalTag() const override { return normalTag_; }
  void SetMessageEndHandler(EndHandler handler) override { endHandler_ = std::move(handler); }
  std::uint64_t MessagesEnded() const override { return messagesEnded_.load(); }
  MessageEnd LastMessageEnd() const override { return MessageEnd::Stopped; }
  bool WaitForMessageEnd(std::uint64_t endedBefore, std::chrono::milliseconds timeout) override;

 private:
  struct Exchange {
    enum class Kind { Open, Close, KeySpeed, Send, Stop, Wait, Mode };
    Kind kind;
    std::string text;           // Open: the address; Send: the text
    int wpm = 0;                // KeySpeed
    std::uint64_t message = 0;  // Send, Stop, Wait: the message it serves
    std::uint64_t link = 0;     // the connection it belongs to
  };
  struct InFlight {
    std::uint64_t sequence;
    Exchange exchange;
    KeyerTime handedOver;
    bool overdue = false;  // a wait_morse past kExchangeTimeout
  };
  struct Message {
    enum class Phase { Queued, Sending, Keying, Ending };
    std::uint64_t id;
    std::int64_t durationMs;
    Phase phase = Phase::Queued;
    bool stopRequested = false;
  };
  enum class Link { Closed, Opening, Open };
  enum class WaitSupport { Unknown, Yes, No };

  void SetTags(int wpm);  // window thread

  // --- Timer thread ---
  void StartMessage(std::uint64_t id, std::string text, std::int64_t durationMs);
  void RequestStop();
  void OpenLink(const std::string& address);
  void CloseLink();
  void Enqueue(Exchange::Kind kind, std::string text = {}, std::uint64_t message = 0);
  void QueueKeySpeed();
  void Dispatch();
  RigReply Call(const Exchange& exchange);  // on the runner's thread
  void OnReply(std::uint64_t sequence, const RigReply& reply, KeyerTime at);
  void OnDeadline(std::uint64_t sequence);
  void OnComputedEnd(std::uint64_t id);
  void Handle(const Exchange& exchange, const RigReply& reply, KeyerTime at);
  void HandleMessageReply(const Exchange& exchange, const RigReply& reply, KeyerTime at);
  bool IsCurrent(std::uint64_t message) const { return message_ && message_->id == message; }
  // Abandons what the connection was doing and reports the loss.
  void LoseConnection(const std::string& reason);
  void EndMessage();
  void Report(ConnectionEvent event, const std::string& reason);

  RigClient& client_;
  TimerService& timers_;
  ExchangeRunner& runner_;
  ConnectionHandler connectionHandler_;
  ModeHandler modeHandler_;
  EndHandler endHandler_;

  // Shared with the window's thread.
  std::atomic<bool> connected_{false};
  std::atomic<bool> messageRunning_{false};
  std::atomic<bool> abortRequest_{false};
  std::atomic<bool> autoCqPending_{false};
  std::atomic<int> speed_{18};
  std::atomic<std::uint64_t> messagesEnded_{0};
  std::mutex endMutex_;
  std::condition_variable endWake_;

  // Window thread only.
  std::uint64_t lastMessageId_ = 0;
  std::string slowTag_;
  std::string normalTag_;

  // Timer thread only.
  Link link_ = Link::Closed;
  std::uint64_t linkId_ = 0;
  std::string address_;
  std::deque<Exchange> pending_;
  std::optional<InFlight> inFlight_;  // handed over and still awaited
  bool runnerBusy_ = false;           // also while an abandoned exchange has not returned
  std::uint64_t nextSequence_ = 0;
  int rigSpeed_ = 0;  // last speed handed to the rig on this connection, 0 none yet
  WaitSupport waitSupport_ = WaitSupport::Unknown;
  std::optional<Message> message_;
  bool modePollPending_ = false;
};

// The rig keyer with its client, worker thread and timer thread, created and torn down in an
// order that never leaves a callback pointing at a destroyed object. Destruction interrupts a
// running exchange and closes the connection.
class LiveRigKeyer {
 public:
  LiveRigKeyer();  // talks to rigctld through Hamlib
  explicit LiveRigKeyer(std::unique_ptr<RigClient> client);
  ~LiveRigKeyer();
  LiveRigKeyer(const LiveRigKeyer&) = delete;
  LiveRigKeyer& operator=(const LiveRigKeyer&) = delete;

  RigKeyer& keyer() { return *keyer_; }

 private:
  std::unique_ptr<RigClient> client_;
  std::unique_ptr<RigWorkerThread> worker_;
  std::unique_ptr<KeyerThread> timers_;
  std::unique_ptr<RigKeyer> keyer_;
};
