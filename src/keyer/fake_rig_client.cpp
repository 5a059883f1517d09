#include "keyer/fake_rig_client.h"

RigReply FakeRigClient::Respond(Call call, const std::string& line) {
  std::lock_guard lock(mutex_);
  calls_.push_back(line);
  const auto found = answers_.find(call);
  RigReply reply = found != answers_.end() ? found->second : RigReply::Ok();
  if (call == Call::Mode && reply.status == RigStatus::Ok) reply.detail = mode_;
  return reply;
}

RigReply FakeRigClient::Open(const std::string& address) {
  return Respond(Call::Open, "open " + address);
}

void FakeRigClient::Close() {
  Respond(Call::Close, "close");
}

RigReply FakeRigClient::SendMorse(const std::string& text) {
  return Respond(Call::Send, "send " + text);
}

RigReply FakeRigClient::StopMorse() {
  return Respond(Call::Stop, "stop");
}

RigReply FakeRigClient::WaitMorse() {
  return Respond(Call::Wait, "wait");
}

RigReply FakeRigClient::SetKeySpeed(int wpm) {
  return Respond(Call::KeySpeed, "keyspd " + std::to_string(wpm));
}

RigReply FakeRigClient::GetMode() {
  return Respond(Call::Mode, "mode");
}

void FakeRigClient::Interrupt() {
  std::lock_guard lock(mutex_);
  ++interrupts_;
}

void FakeRigClient::Answer(Call call, RigReply reply) {
  std::lock_guard lock(mutex_);
  answers_[call] = std::move(reply);
}

void FakeRigClient::SetMode(const std::string& mode) {
  std::lock_guard lock(mutex_);
  mode_ = mode;
}

std::vector<std::string> FakeRigClient::Calls() const {
  std::lock_guard lock(mutex_);
  return calls_;
}

void FakeRigClient::ClearCalls() {
  std::lock_guard lock(mutex_);
  calls_.clear();
}

int FakeRigClient::Interrupts() const {
  std::lock_guard lock(mutex_);
  return interrupts_;
}
