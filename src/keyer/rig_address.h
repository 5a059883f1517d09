#pragma once
// The address of rigctld as the operator types it: "host:port", "[IPv6 address]:port", or a host
// alone (port 4532, rigctld's default). A bare IPv6 address without brackets is taken as a host.

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

inline constexpr std::string_view kDefaultRigAddress = "localhost:4532";
inline constexpr int kDefaultRigctldPort = 4532;

struct RigAddress {
  std::string host;  // without brackets
  int port = kDefaultRigctldPort;
  bool operator==(const RigAddress&) const = default;
};

// Nothing for an empty text, an empty host, blanks inside it, or a port outside 1 ... 65535.
// Spaces around the text are ignored.
std::optional<RigAddress> ParseRigAddress(std::string_view text);

// Why no connection came about: the typed address, then each address tried with the system's
// reason ("localhost:4532 ([::1]:4532: Connection refused; 127.0.0.1:4532: Connection refused)");
// the address alone with its reason when that is the only one tried and it is the typed address.
std::string DescribeConnectFailure(std::string_view typed,
                                   const std::vector<std::pair<std::string, std::string>>& tried);
