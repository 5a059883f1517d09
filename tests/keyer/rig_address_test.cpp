#include "keyer/rig_address.h"

#include <gtest/gtest.h>

namespace {

TEST(RigAddress, HostAndPortAsTheOperatorTypesThem) {
  const std::pair<const char*, std::optional<RigAddress>> cases[] = {
      {"  shack:4600 ", RigAddress{"shack", 4600}},
      {"192.168.1.20", RigAddress{"192.168.1.20", 4532}},
      {"[::1]:4533", RigAddress{"::1", 4533}},
      {"::1", RigAddress{"::1", 4532}},  // a bare IPv6 address is a host
      {"", std::nullopt},
      {":4532", std::nullopt},
      {"shack:", std::nullopt},
      {"shack:65536", std::nullopt},
      {"shack:45x", std::nullopt},
      {"sh ack:4532", std::nullopt},
      {"[::1]4532", std::nullopt},
  };
  for (const auto& [text, expected] : cases) EXPECT_EQ(ParseRigAddress(text), expected) << text;
}

TEST(RigAddress, AFailureNamesTheAddressAndEachReason) {
  EXPECT_EQ(
      DescribeConnectFailure("localhost:4532", {{"[::1]:4532", "Connection refused"},
                                                {"127.0.0.1:4532", "Connection timed out"}}),
      "localhost:4532 ([::1]:4532: Connection refused; 127.0.0.1:4532: Connection timed out)");
}

}  // namespace
