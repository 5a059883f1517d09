#include "keyer/rig_address.h"

#include <gtest/gtest.h>

namespace {

TEST(RigAddress, HostAndPortAsTheOperatorTypesThem) {
  const struct {
    const char* text;
    std::optional<RigAddress> expected;
  } cases[] = {
      {"localhost:4532", RigAddress{"localhost", 4532}},
      {"  shack:4600 ", RigAddress{"shack", 4600}},
      {"192.168.1.20", RigAddress{"192.168.1.20", 4532}},
      {"[::1]:4533", RigAddress{"::1", 4533}},
      {"[fe80::1]", RigAddress{"fe80::1", 4532}},
      {"::1", RigAddress{"::1", 4532}},  // a bare IPv6 address is a host
      {"shack:65535", RigAddress{"shack", 65535}},
      {"", std::nullopt},
      {"   ", std::nullopt},
      {":4532", std::nullopt},
      {"shack:", std::nullopt},
      {"shack:0", std::nullopt},
      {"shack:65536", std::nullopt},
      {"shack:45x", std::nullopt},
      {"sh ack:4532", std::nullopt},
      {"[::1", std::nullopt},
      {"[::1]4532", std::nullopt},
      {"[]:4532", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseRigAddress(c.text), c.expected) << c.text;
}

TEST(RigAddress, AFailureNamesTheAddressAndEachReason) {
  EXPECT_EQ(DescribeConnectFailure("127.0.0.1:4532", {{"127.0.0.1:4532", "Connection refused"}}),
            "127.0.0.1:4532: Connection refused");
  EXPECT_EQ(
      DescribeConnectFailure("localhost:4532", {{"[::1]:4532", "Connection refused"},
                                                {"127.0.0.1:4532", "Connection timed out"}}),
      "localhost:4532 ([::1]:4532: Connection refused; 127.0.0.1:4532: Connection timed out)");
}

}  // namespace
