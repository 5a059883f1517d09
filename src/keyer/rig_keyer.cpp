#include "keyer/rig_keyer.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "common/ascii_text.h"
#include "keyer/exchange_runner.h"
#include "keyer/hamlib_rig_client.h"
#include "keyer/keyer.h"
#include "keyer/keyer_thread.h"
#include "keyer/morse_converter.h"
#include "keyer/morse_text_preparation.h"
#include "keyer/rig_worker_thread.h"
#include "keyer/timer_service.h"

RigModeChange ModeChangeFor(std::string_view mode) {
  if (mode == "CW" || mode == "CWR") return RigModeChange::Cw;
  if (mode == "USB" || mode == "LSB" || mode == "PKTUSB" || mode == "PKTLSB") {
    return RigModeChange::Ssb;
  }
  return RigModeChange::None;
}

std::optional<RigMessage> PrepareRigMessage(const std::string& text, int wpm) {
  // The same clean-up as for the serial keyer; what is left above 127 are the speed tags' bytes,
  // which the rig has no use for: it keys everything at its keyer speed.
  std::string prepared = PrepareMorseText(text);
  std::erase_if(prepared, [](char c) { return static_cast<unsigned char>(c) > 127; });
  // Capitals: what CAT keyers document.
  RigMessage message{TrimBlanks(AsciiUpper(prepared)), 0};

  TMorse converter;  // Farnsworth off: the rig keys its spaces at the keying speed too
  converter.SetSpeed(wpm);
  converter.SetCharacterSpeed(wpm);
  converter.SetText(message.text);
  ElementList elements;
  if (!converter.Convert(elements)) return std::nullopt;
  for (const std::int32_t element : elements) message.durationMs += std::abs(element);
  return message;
}

RigKeyer::RigKeyer(RigClient& client, TimerService& timers, ExchangeRunner& runner)
    : client_(client), timers_(timers), runner_(runner) {
  SetTags(speed_.load());
}

// ---------------------------------------------------------------------------------------------
// Window thread

void RigKeyer::Connect(const std::string& address) {
  connected_ = false;
  timers_.Post([this, address](KeyerTime) { OpenLink(address); });
}

void RigKeyer::Disconnect() {
  connected_ = false;
  timers_.Post([this](KeyerTime) { CloseLink(); });
}

bool RigKeyer::PollMode() {
  if (!connected_.load()) return false;
  timers_.Post([this](KeyerTime) {
    if (link_ != Link::Open || modePollPending_) return;
    modePollPending_ = true;
    Enqueue(Exchange::Kind::Mode);
    Dispatch();
  });
  return true;
}

bool RigKeyer::TransmitText(const std::string& text) {
  if (messageRunning_.load() || !connected_.load()) return false;
  auto message = PrepareRigMessage(text, speed_.load());
  if (!message) return false;
  messageRunning_ = true;
  const std::uint64_t id = ++lastMessageId_;
  timers_.Post([this, id, message = std::move(*message)](KeyerTime) mutable {
    StartMessage(id, std::move(message.text), message.durationMs);
  });
  return true;
}

void RigKeyer::AbortMessage() {
  if (!messageRunning_.load()) return;
  abortRequest_ = true;
  timers_.Post([this](KeyerTime) { RequestStop(); });
}

void RigKeyer::HoldMessages() {
  abortRequest_ = true;
  if (messageRunning_.load()) timers_.Post([this](KeyerTime) { RequestStop(); });
}

void RigKeyer::ReleaseMessages() {
  abortRequest_ = false;
}

int RigKeyer::SetSpeed(int wpm) {
  const int w = std::clamp(wpm, Keyer::kMinWpm, Keyer::kMaxWpm);
  speed_ = w;
  SetTags(w);
  timers_.Post([this](KeyerTime) {
    if (link_ == Link::Open && rigSpeed_ != speed_.load()) {
      QueueKeySpeed();
      Dispatch();
    }
  });
  return w;
}

void RigKeyer::SetTags(int wpm) {
  slowTag_ = "<" + std::to_string((wpm + 1) / 2) + ">";
  normalTag_ = "<" + std::to_string(wpm) + ">";
}

bool RigKeyer::WaitForMessageEnd(std::uint64_t endedBefore, std::chrono::milliseconds timeout) {
  std::unique_lock lock(endMutex_);
  return endWake_.wait_for(lock, timeout, [&] { return messagesEnded_.load() > endedBefore; });
}

// ---------------------------------------------------------------------------------------------
// Timer thread: the connection

void RigKeyer::OpenLink(const std::string& address) {
  EndMessage();
  ++linkId_;
  pending_.clear();
  if (inFlight_) {
    client_.Interrupt();  // the old connection's exchange is of no use any more
    inFlight_.reset();
  }
  modePollPending_ = false;
  link_ = Link::Opening;
  address_ = address;
  Enqueue(Exchange::Kind::Open, address);
  Dispatch();
}

void RigKeyer::CloseLink() {
  const bool rigKeying = message_ && message_->phase != Message::Phase::Queued;
  const bool wasOpen = link_ == Link::Open;
  EndMessage();
  ++linkId_;
  pending_.clear();
  inFlight_.reset();  // it finishes within its own limit; its answer is ignored
  modePollPending_ = false;
  link_ = Link::Closed;
  if (wasOpen && rigKeying) Enqueue(Exchange::Kind::Stop);
  Enqueue(Exchange::Kind::Close);
  Dispatch();
}

void RigKeyer::LoseConnection(const std::string& reason) {
  if (link_ != Link::Open) return;
  link_ = Link::Closed;
  ++linkId_;
  connected_ = false;
  pending_.clear();
  if (inFlight_) {
    client_.Interrupt();
    inFlight_.reset();
  }
  modePollPending_ = false;
  EndMessage();
  Enqueue(Exchange::Kind::Close);
  Dispatch();
  Report(ConnectionEvent::Lost, reason);
}

void RigKeyer::Report(ConnectionEvent event, const std::string& reason) {
  if (connectionHandler_) connectionHandler_(event, reason);
}

// ---------------------------------------------------------------------------------------------
// Timer thread: messages

void RigKeyer::StartMessage(std::uint64_t id, std::string text, std::int64_t durationMs) {
  message_ = Message{id, durationMs};
  // Held, or the connection went meanwhile: the message ends without a word sent.
  if (abortRequest_.load() || link_ != Link::Open) {
    EndMessage();
    return;
  }
  if (rigSpeed_ != speed_.load()) QueueKeySpeed();
  Enqueue(Exchange::Kind::Send, std::move(text), id);
  Dispatch();
}

void RigKeyer::RequestStop() {
  if (!message_) return;
  switch (message_->phase) {
    case Message::Phase::Queued:  // not handed to the rig yet: it never will be
      EndMessage();
      break;
    case Message::Phase::Sending:  // the stop follows once rigctld has taken the text
      message_->stopRequested = true;
      break;
    case Message::Phase::Keying:
      if (!message_->stopRequested) {
        message_->stopRequested = true;
        Enqueue(Exchange::Kind::Stop, {}, message_->id);
        Dispatch();
      }
      break;
    case Message::Phase::Ending:  // the computed end has passed already
      break;
  }
}

void RigKeyer::OnComputedEnd(std::uint64_t id) {
  if (!IsCurrent(id) || message_->phase != Message::Phase::Keying) return;
  if (waitSupport_ == WaitSupport::No) {
    EndMessage();
    return;
  }
  message_->phase = Message::Phase::Ending;
  Enqueue(Exchange::Kind::Wait, {}, id);
  Dispatch();
}

void RigKeyer::EndMessage() {
  if (!message_) return;
  const std::uint64_t id = message_->id;
  message_.reset();
  // Its text is not to go out any more; a stop already asked for still does.
  std::erase_if(pending_, [id](const Exchange& e) {
    return e.message == id && e.kind != Exchange::Kind::Stop;
  });
  abortRequest_ = false;
  messageRunning_ = false;  // from here on a new message may be started
  {
    std::lock_guard lock(endMutex_);
    ++messagesEnded_;
  }
  endWake_.notify_all();
  if (endHandler_) endHandler_(MessageEnd::Stopped);
}

// ---------------------------------------------------------------------------------------------
// Timer thread: exchanges

void RigKeyer::Enqueue(Exchange::Kind kind, std::string text, std::uint64_t message) {
  pending_.push_back(Exchange{kind, std::move(text), 0, message, linkId_});
}

void RigKeyer::QueueKeySpeed() {
  rigSpeed_ = speed_.load();
  Enqueue(Exchange::Kind::KeySpeed);
  pending_.back().wpm = rigSpeed_;
}

void RigKeyer::Dispatch() {
  if (runnerBusy_ || pending_.empty()) return;
  Exchange exchange = std::move(pending_.front());
  pending_.pop_front();
  const std::uint64_t sequence = ++nextSequence_;
  const KeyerTime now = timers_.Now();
  const auto limit = exchange.kind == Exchange::Kind::Open ? kOpenTimeout : kExchangeTimeout;
  inFlight_ = InFlight{sequence, exchange, now};
  runnerBusy_ = true;
  if (exchange.kind == Exchange::Kind::Send && IsCurrent(exchange.message)) {
    message_->phase = Message::Phase::Sending;  // from here on a stop has to follow the text
  }
  timers_.ScheduleAt(now + limit, [this, sequence](KeyerTime) { OnDeadline(sequence); });
  runner_.Run([this, sequence, exchange = std::move(exchange)] {
    RigReply reply = Call(exchange);
    timers_.Post(
        [this, sequence, reply = std::move(reply)](KeyerTime at) { OnReply(sequence, reply, at); });
  });
}

RigReply RigKeyer::Call(const Exchange& exchange) {
  switch (exchange.kind) {
    case Exchange::Kind::Open:
      return client_.Open(exchange.text);
    case Exchange::Kind::Close:
      client_.Close();
      return RigReply::Ok();
    case Exchange::Kind::KeySpeed:
      return client_.SetKeySpeed(exchange.wpm);
    case Exchange::Kind::Send:
      return client_.SendMorse(exchange.text);
    case Exchange::Kind::Stop:
      return client_.StopMorse();
    case Exchange::Kind::Wait:
      return client_.WaitMorse();
    case Exchange::Kind::Mode:
      return client_.GetMode();
  }
  return RigReply::Failed("?");
}

void RigKeyer::OnReply(std::uint64_t sequence, const RigReply& reply, KeyerTime at) {
  runnerBusy_ = false;
  if (inFlight_ && inFlight_->sequence == sequence) {
    const Exchange exchange = std::move(inFlight_->exchange);
    inFlight_.reset();
    if (exchange.link == linkId_) Handle(exchange, reply, at);
  }
  Dispatch();
}

void RigKeyer::OnDeadline(std::uint64_t sequence) {
  if (!inFlight_ || inFlight_->sequence != sequence) return;  // answered or abandoned
  switch (inFlight_->exchange.kind) {
    case Exchange::Kind::Close:  // nothing waits for it
      return;
    case Exchange::Kind::Open:
      inFlight_.reset();
      client_.Interrupt();
      link_ = Link::Closed;
      Enqueue(Exchange::Kind::Close);  // should it still come about, it is closed again
      Report(ConnectionEvent::Refused, address_ + ": keine Antwort innerhalb von " +
                                           std::to_string(kOpenTimeout.count()) + " ms");
      return;
    case Exchange::Kind::Wait:
      if (!inFlight_->overdue) {
        // The rig still holds its PTT (a long break-in delay): the message has had its time.
        inFlight_->overdue = true;
        timers_.ScheduleAt(inFlight_->handedOver + kWaitMorseLimit,
                           [this, sequence](KeyerTime) { OnDeadline(sequence); });
        if (IsCurrent(inFlight_->exchange.message)) EndMessage();
        return;
      }
      break;
    default:
      break;
  }
  LoseConnection("keine Antwort von rigctld");
}

void RigKeyer::Handle(const Exchange& exchange, const RigReply& reply, KeyerTime at) {
  switch (exchange.kind) {
    case Exchange::Kind::Open:
      if (reply.status == RigStatus::Ok) {
        link_ = Link::Open;
        connected_ = true;
        waitSupport_ = WaitSupport::Unknown;
        QueueKeySpeed();  // the rig's own paddle keys at the window's speed from now on
        Dispatch();
        Report(ConnectionEvent::Connected, {});
      } else {
        link_ = Link::Closed;
        Report(ConnectionEvent::Refused,
               reply.detail.empty() ? address_ + ": abgelehnt" : reply.detail);
      }
      return;
    case Exchange::Kind::Close:
      return;
    case Exchange::Kind::KeySpeed:
      // A rig that cannot set its speed keys at its own; that is no reason to stop.
      if (reply.status == RigStatus::Failed) LoseConnection(reply.detail);
      return;
    case Exchange::Kind::Mode:
      modePollPending_ = false;
      if (reply.status == RigStatus::Failed) {
        LoseConnection(reply.detail);
      } else if (reply.status == RigStatus::Ok && modeHandler_) {
        modeHandler_(ModeChangeFor(reply.detail));
      }
      return;
    default:
      HandleMessageReply(exchange, reply, at);
  }
}

void RigKeyer::HandleMessageReply(const Exchange& exchange, const RigReply& reply, KeyerTime at) {
  const bool current = IsCurrent(exchange.message);
  switch (exchange.kind) {
    case Exchange::Kind::Send:
      if (reply.status != RigStatus::Ok) {
        // Not taken: reported as a lost connection, never as sent.
        LoseConnection(reply.status == RigStatus::NotAvailable
                           ? "das Funkger\xE4t nimmt keinen Text zum Tasten an"
                           : reply.detail);
        return;
      }
      if (!current) return;
      message_->phase = Message::Phase::Keying;
      timers_.ScheduleAt(at + Milliseconds(message_->durationMs),
                         [this, id = exchange.message](KeyerTime) { OnComputedEnd(id); });
      if (message_->stopRequested) {
        Enqueue(Exchange::Kind::Stop, {}, exchange.message);
        Dispatch();
      }
      return;
    case Exchange::Kind::Stop:
      if (reply.status == RigStatus::Failed) {
        LoseConnection(reply.detail);
      } else if (reply.status == RigStatus::Ok && current) {
        EndMessage();
      }  // not available: the rig keys on, and the message ends when computed
      return;
    case Exchange::Kind::Wait:
      if (reply.status == RigStatus::Failed) {
        LoseConnection(reply.detail);
        return;
      }
      waitSupport_ = reply.status == RigStatus::Ok ? WaitSupport::Yes : WaitSupport::No;
      if (current) EndMessage();
      return;
    default:
      return;
  }
}

// ---------------------------------------------------------------------------------------------

LiveRigKeyer::LiveRigKeyer() : LiveRigKeyer(std::make_unique<HamlibRigClient>()) {}

LiveRigKeyer::LiveRigKeyer(std::unique_ptr<RigClient> client)
    : client_(std::move(client)),
      worker_(std::make_unique<RigWorkerThread>()),
      timers_(std::make_unique<KeyerThread>(KeyerThread::Scheduling::Normal)),
      keyer_(std::make_unique<RigKeyer>(*client_, *timers_, *worker_)) {}

LiveRigKeyer::~LiveRigKeyer() {
  client_->Interrupt();  // a running exchange returns at once
  worker_->Stop();
  timers_->Stop();
  keyer_.reset();
  timers_.reset();
  worker_.reset();
  client_.reset();  // closes the connection
}
