#pragma once
// A rigctld without a rig, for tests: records every call as a line ("open localhost:4532",
// "keyspd 18", "send CQ", "stop", "wait", "mode", "close") and answers each kind of call as told
// (Ok by default). Safe to use from a worker thread while the test's thread looks on.

#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "keyer/rig_client.h"

class FakeRigClient : public RigClient {
 public:
  enum class Call { Open, Close, KeySpeed, Send, Stop, Wait, Mode };

  RigReply Open(const std::string& address) override;
  void Close() override;
  RigReply SendMorse(const std::string& text) override;
  RigReply StopMorse() override;
  RigReply WaitMorse() override;
  RigReply SetKeySpeed(int wpm) override;
  RigReply GetMode() override;
  void Interrupt() override;

  // Every later call of this kind answers `reply`.
  void Answer(Call call, RigReply reply);
  // The mode GetMode reports (answered Ok).
  void SetMode(const std::string& mode);

  std::vector<std::string> Calls() const;
  void ClearCalls();
  int Interrupts() const;

 private:
  RigReply Respond(Call call, const std::string& line);

  mutable std::mutex mutex_;
  std::map<Call, RigReply> answers_;
  std::string mode_ = "FM";
  std::vector<std::string> calls_;
  int interrupts_ = 0;
};
