#include "keyer/hamlib_rig_client.h"

#include <hamlib/rig.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <mutex>
#include <string_view>
#include <utility>
#include <vector>

#include "common/encoding.h"
#include "keyer/rig_address.h"

namespace {

// The system's texts come in the locale's encoding (UTF-8 on Debian); the program's are
// Windows-1252.
std::string SystemReason(int error) {
  char buffer[256];
  return Utf8ToCp1252(strerror_r(error, buffer, sizeof buffer));  // GNU: returns the text
}

std::string HamlibReason(int code) {
  std::string text = Utf8ToCp1252(rigerror2(code));
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

RigReply ReplyOf(int code) {
  if (code == RIG_OK) return RigReply::Ok();
  if (code == -RIG_ENAVAIL) return RigReply::NotAvailable();
  return RigReply::Failed(HamlibReason(code));
}

RigReply NotConnected() {
  return RigReply::Failed("keine Verbindung zu rigctld");
}

// "127.0.0.1:4532" or "[::1]:4532": the form Hamlib's network port takes.
std::string NumericAddress(const addrinfo& address, int port) {
  char host[NI_MAXHOST] = "?";
  getnameinfo(address.ai_addr, address.ai_addrlen, host, sizeof host, nullptr, 0, NI_NUMERICHOST);
  const std::string text = host;
  const std::string hostPart = address.ai_family == AF_INET6 ? "[" + text + "]" : text;
  return hostPart + ":" + std::to_string(port);
}

// Connects a socket of its own with a time limit: Hamlib's connect has none, and an address that
// swallows the request would hold it for minutes. Empty when the address takes connections.
std::string TryConnect(const addrinfo& address, int timeoutMs) {
  const int fd = socket(address.ai_family, address.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                        address.ai_protocol);
  if (fd < 0) return SystemReason(errno);
  int error = 0;
  if (connect(fd, address.ai_addr, address.ai_addrlen) < 0) {
    error = errno;
    if (error == EINPROGRESS) {
      pollfd wait{fd, POLLOUT, 0};
      int ready;
      do {
        ready = poll(&wait, 1, timeoutMs);
      } while (ready < 0 && errno == EINTR);
      if (ready == 0) {
        error = ETIMEDOUT;
      } else if (ready < 0) {
        error = errno;
      } else {
        socklen_t length = sizeof error;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) < 0) error = errno;
      }
    }
  }
  close(fd);
  return error == 0 ? std::string() : SystemReason(error);
}

}  // namespace

HamlibRigClient::HamlibRigClient() {
  // Hamlib writes its debug output to stderr unless told otherwise; the setting is global.
  static std::once_flag quiet;
  std::call_once(quiet, [] { rig_set_debug(RIG_DEBUG_NONE); });
}

HamlibRigClient::~HamlibRigClient() {
  Close();
}

RigReply HamlibRigClient::Open(const std::string& address) {
  Close();
  const auto parsed = ParseRigAddress(address);
  if (!parsed) return RigReply::Failed(address + ": keine g\xFCltige Adresse (Rechner:Port)");

  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  const int lookup =
      getaddrinfo(parsed->host.c_str(), std::to_string(parsed->port).c_str(), &hints, &found);
  if (lookup != 0) {
    const std::string reason =
        lookup == EAI_SYSTEM ? SystemReason(errno) : Utf8ToCp1252(gai_strerror(lookup));
    return RigReply::Failed(address + ": " + reason);
  }
  std::vector<std::pair<std::string, std::string>> tried;
  for (const addrinfo* a = found; a != nullptr; a = a->ai_next) {
    const std::string numeric = NumericAddress(*a, parsed->port);
    std::string reason = TryConnect(*a, kConnectTimeoutMs);
    if (reason.empty()) reason = OpenHamlib(numeric);
    if (reason.empty()) break;
    tried.emplace_back(numeric, std::move(reason));
  }
  freeaddrinfo(found);
  if (rig_ != nullptr) return RigReply::Ok();
  return RigReply::Failed(DescribeConnectFailure(address, tried));
}

std::string HamlibRigClient::OpenHamlib(const std::string& pathname) {
  RIG* rig = rig_init(RIG_MODEL_NETRIGCTL);
  if (rig == nullptr) return "Hamlib ohne das Modell NET rigctl";
  const std::string timeout = std::to_string(kAnswerTimeoutMs);
  int code = rig_set_conf(rig, rig_token_lookup(rig, "rig_pathname"), pathname.c_str());
  if (code == RIG_OK) code = rig_set_conf(rig, rig_token_lookup(rig, "timeout"), timeout.c_str());
  if (code == RIG_OK) code = rig_set_conf(rig, rig_token_lookup(rig, "retry"), "0");
  if (code == RIG_OK) code = rig_open(rig);
  if (code != RIG_OK) {
    rig_cleanup(rig);
    return "antwortet nicht wie rigctld (" + HamlibReason(code) + ")";
  }
  // Every answer comes from the rig: a mode or PTT read from Hamlib's cache would hide a changed
  // mode and a connection that is gone.
  rig_set_cache_timeout_ms(rig, HAMLIB_CACHE_ALL, 0);
  rig_ = rig;
  std::lock_guard lock(socketMutex_);
  socket_ = rig->state.rigport.fd;
  return {};
}

void HamlibRigClient::Close() {
  if (rig_ == nullptr) return;
  {
    std::lock_guard lock(socketMutex_);
    socket_ = -1;  // from here on Interrupt leaves the socket alone; rig_close closes it
  }
  rig_close(rig_);
  rig_cleanup(rig_);
  rig_ = nullptr;
}

void HamlibRigClient::Interrupt() {
  std::lock_guard lock(socketMutex_);
  // Wakes a call waiting for an answer; it fails at once, as after a closed connection.
  if (socket_ >= 0) shutdown(socket_, SHUT_RDWR);
}

RigReply HamlibRigClient::SendMorse(const std::string& text) {
  if (rig_ == nullptr) return NotConnected();
  return ReplyOf(rig_send_morse(rig_, RIG_VFO_CURR, text.c_str()));
}

RigReply HamlibRigClient::StopMorse() {
  if (rig_ == nullptr) return NotConnected();
  return ReplyOf(rig_stop_morse(rig_, RIG_VFO_CURR));
}

RigReply HamlibRigClient::WaitMorse() {
  if (rig_ == nullptr) return NotConnected();
  return ReplyOf(rig_wait_morse(rig_, RIG_VFO_CURR));
}

RigReply HamlibRigClient::SetKeySpeed(int wpm) {
  if (rig_ == nullptr) return NotConnected();
  value_t value{};
  value.i = wpm;
  return ReplyOf(rig_set_level(rig_, RIG_VFO_CURR, RIG_LEVEL_KEYSPD, value));
}

RigReply HamlibRigClient::GetMode() {
  if (rig_ == nullptr) return NotConnected();
  rmode_t mode = RIG_MODE_NONE;
  pbwidth_t width = 0;
  const int code = rig_get_mode(rig_, RIG_VFO_CURR, &mode, &width);
  if (code != RIG_OK) return ReplyOf(code);
  return RigReply::Ok(rig_strrmode(mode));
}
