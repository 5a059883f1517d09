#include "keyer/rig_address.h"

#include <charconv>

namespace {

std::string_view Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  const auto last = text.find_last_not_of(' ');
  return text.substr(first, last - first + 1);
}

std::optional<int> PortNumber(std::string_view digits) {
  int port = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), port);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
    return std::nullopt;
  }
  if (port < 1 || port > 65535) return std::nullopt;
  return port;
}

}  // namespace

std::optional<RigAddress> ParseRigAddress(std::string_view text) {
  text = Trimmed(text);
  RigAddress address;
  std::string_view host;
  std::optional<std::string_view> port;
  if (!text.empty() && text.front() == '[') {
    const auto close = text.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    host = text.substr(1, close - 1);
    const std::string_view rest = text.substr(close + 1);
    if (!rest.empty()) {
      if (rest.front() != ':') return std::nullopt;
      port = rest.substr(1);
    }
  } else if (const auto colon = text.find(':');
             colon != std::string_view::npos &&
             text.find(':', colon + 1) == std::string_view::npos) {
    host = text.substr(0, colon);
    port = text.substr(colon + 1);
  } else {
    host = text;  // no port, or an IPv6 address without brackets
  }
  if (host.empty() || host.find_first_of(" []") != std::string_view::npos) return std::nullopt;
  address.host = std::string(host);
  if (port) {
    const auto number = PortNumber(*port);
    if (!number) return std::nullopt;
    address.port = *number;
  }
  return address;
}

std::string DescribeConnectFailure(std::string_view typed,
                                   const std::vector<std::pair<std::string, std::string>>& tried) {
  std::string text(typed);
  if (tried.size() == 1 && tried.front().first == typed) return text + ": " + tried.front().second;
  text += " (";
  for (std::size_t i = 0; i < tried.size(); ++i) {
    if (i > 0) text += "; ";
    text += tried[i].first + ": " + tried[i].second;
  }
  return text + ")";
}
