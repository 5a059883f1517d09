#pragma once
// RigClient through Hamlib's own library and its network model "NET rigctl", which speaks
// rigctld's protocol. Each answer is waited for at most kAnswerTimeoutMs (Hamlib's own timeout,
// no retries), each address at most kConnectTimeoutMs while connecting.
//
// Hamlib 4.5's wait_morse for this model does not ask rigctld: it waits 200 ms, then polls the
// rig's PTT until it drops (for up to about 16 s); a rig that cannot report its PTT (the dummy
// transceiver) makes it answer "feature not available" after the 200 ms.
//
// Hamlib sets SIGPIPE to be ignored, process-wide, when it opens a network connection: a write
// to a connection rigctld has closed then fails with an error instead of ending the program.

#include <mutex>

#include "keyer/rig_client.h"

struct s_rig;

class HamlibRigClient : public RigClient {
 public:
  static constexpr int kAnswerTimeoutMs = 400;
  static constexpr int kConnectTimeoutMs = 500;

  HamlibRigClient();
  ~HamlibRigClient() override;
  HamlibRigClient(const HamlibRigClient&) = delete;
  HamlibRigClient& operator=(const HamlibRigClient&) = delete;

  RigReply Open(const std::string& address) override;
  void Close() override;
  RigReply SendMorse(const std::string& text) override;
  RigReply StopMorse() override;
  RigReply WaitMorse() override;
  RigReply SetKeySpeed(int wpm) override;
  RigReply GetMode() override;
  void Interrupt() override;

 private:
  // Opens Hamlib's connection to one numeric address ("127.0.0.1:4532", "[::1]:4532"); empty
  // when it answered as rigctld does, else why not.
  std::string OpenHamlib(const std::string& pathname);

  s_rig* rig_ = nullptr;  // only the calling (worker) thread touches it
  std::mutex socketMutex_;
  int socket_ = -1;  // the open connection's socket, for Interrupt; guarded by socketMutex_
};
