#include <gtest/gtest.h>

#include <fcntl.h>
#include <stdlib.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "keyer/linux_serial_port.h"
#include "keyer/serial_port_list.h"
#include "keyer/status_change_decoder.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;

namespace {

struct DecodeCase {
  bool was, now;
  long counted;
  bool haveCount;
  std::vector<bool> edges;
};

void PrintTo(const DecodeCase& c, std::ostream* os) {
  *os << c.was << "->" << c.now << " counted " << c.counted << (c.haveCount ? "" : " (no counter)");
}

class StatusDecoding : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(StatusDecoding, GivesTheEdgesBetweenTwoLooks) {
  const DecodeCase& c = GetParam();
  EXPECT_EQ(StatusEdgesBetween(c.was, c.now, c.counted, c.haveCount), c.edges);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, StatusDecoding,
    ::testing::Values(DecodeCase{false, true, 1, true, {true}},
                      DecodeCase{true, false, 1, true, {false}},
                      DecodeCase{false, false, 0, true, {}},
                      // a tap between two looks: pressed and released
                      DecodeCase{false, false, 2, true, {true, false}},
                      DecodeCase{true, true, 2, true, {false, true}},
                      // bounce: at most three edges, ending on the level seen
                      DecodeCase{false, true, 7, true, {true, false, true}},
                      DecodeCase{false, false, 8, true, {true, false}},
                      // a counter that disagrees with the levels: the level wins
                      DecodeCase{false, true, 0, true, {true}},
                      DecodeCase{false, true, 2, true, {true, false, true}},
                      // no counter: only level changes
                      DecodeCase{false, true, 0, false, {true}},
                      DecodeCase{false, false, 5, false, {}}));

class SerialPortListTest : public ::testing::Test {
 protected:
  void Touch(const std::string& path) {
    fs::create_directories(fs::path(dir / path).parent_path());
    std::ofstream(dir / path).put('\n');
  }
  void Link(const std::string& path, const std::string& target) {
    fs::create_directories(fs::path(dir / path).parent_path());
    fs::create_symlink(target, dir / path);
  }
  void Write(const std::string& path, const std::string& text) {
    fs::create_directories(fs::path(dir / path).parent_path());
    std::ofstream(dir / path) << text;
  }
  void BuiltInPort(const std::string& name, const char* type) {
    Touch("dev/" + name);
    fs::create_directories(dir / ("sys/class/tty/" + name + "/device"));
    if (type) Write("sys/class/tty/" + name + "/type", type);
  }
  std::string Root() const {
    std::string root = dir.path();
    root.pop_back();  // without the trailing '/'
    return root;
  }

  TempFolder dir;
};

TEST_F(SerialPortListTest, NumbersByIdAdaptersThenOtherUsbThenBuiltInPortsWithHardware) {
  Touch("dev/ttyUSB0");
  Touch("dev/ttyUSB1");
  Touch("dev/ttyACM0");
  Link("dev/serial/by-id/usb-FTDI_FT232R_A1-if00-port0", "../../ttyUSB1");
  Link("dev/serial/by-id/usb-Arduino_Uno_55-if00", "../../ttyACM0");
  fs::create_directories(dir / "sys/class/tty/ttyACM0/device");
  Link("sys/class/tty/ttyACM0/device/driver", "../../../bus/usb/drivers/cdc_acm");
  fs::create_directories(dir / "sys/class/tty/ttyUSB1/device");
  Link("sys/class/tty/ttyUSB1/device/driver", "../../../bus/usb-serial/drivers/ftdi_sio");
  BuiltInPort("ttyS0", "4");
  BuiltInPort("ttyS1", "0");  // placeholder without a UART
  BuiltInPort("ttyS10", "4");
  BuiltInPort("ttyS2", "4");
  Touch("dev/ttyS3");  // no device in /sys

  const auto ports = ListSerialPorts(Root());
  std::vector<std::string> names;
  for (const auto& p : ports) names.push_back(p.name);
  EXPECT_EQ(names,
            (std::vector<std::string>{"usb-Arduino_Uno_55-if00", "usb-FTDI_FT232R_A1-if00-port0",
                                      "ttyUSB0", "ttyS0", "ttyS2", "ttyS10"}));
  ASSERT_EQ(ports.size(), 6u);
  for (std::size_t i = 0; i < ports.size(); ++i) EXPECT_EQ(ports[i].number, int(i) + 1);
  EXPECT_EQ(ports[0].device, Root() + "/dev/serial/by-id/usb-Arduino_Uno_55-if00");
  EXPECT_EQ(ports[0].kernelName, "ttyACM0");
  EXPECT_EQ(ports[0].driver, "cdc_acm");
  EXPECT_EQ(ports[1].driver, "ftdi_sio");
  EXPECT_EQ(ports[3].device, Root() + "/dev/ttyS0");
  EXPECT_NE(SerialPortRemark(ports[0]).find("CTS"), std::string::npos);
  EXPECT_EQ(SerialPortRemark(ports[1]), "");
  EXPECT_EQ(SerialDeviceForNumber(3, Root()), Root() + "/dev/ttyUSB0");
  EXPECT_EQ(SerialDeviceForNumber(7, Root()), "");
}

TEST_F(SerialPortListTest, NoMoreThanTwentyPortsAndNoneWithoutDevices) {
  EXPECT_TRUE(ListSerialPorts(Root()).empty());
  for (int i = 0; i < 25; ++i) BuiltInPort("ttyS" + std::to_string(i), "4");
  const auto ports = ListSerialPorts(Root());
  ASSERT_EQ(ports.size(), 20u);
  EXPECT_EQ(ports.back().name, "ttyS19");
}

TEST(SerialOpenError, NamesPortDeviceAndReason) {
  EXPECT_EQ(SerialOpenErrorMessage(2, "/dev/ttyUSB0", EACCES),
            "No permission to open Serial port 2 (/dev/ttyUSB0). Add your user to the group "
            "dialout (sudo usermod -aG dialout $USER), then log out and in again.");
  EXPECT_EQ(SerialOpenErrorMessage(1, "/dev/ttyS0", EBUSY),
            "Serial port 1 (/dev/ttyS0) is busy: another program is using it.");
  EXPECT_EQ(SerialOpenErrorMessage(3, "/dev/ttyACM0", ENOENT),
            "Serial port 3 (/dev/ttyACM0) is not present (unplugged?).");
}

std::string OpenError(LinuxSerialPort& port, int number) {
  try {
    port.Open(number);
  } catch (const SerialPortError& e) {
    return e.what();
  }
  return "<opened>";
}

TEST(LinuxSerialPort, ReportsMissingPortsAndDevicesThatAreNoSerialPorts) {
  LinuxSerialPort port([](int number) -> std::string {
    if (number == 1) return "/nonexistent/ttyUSB9";
    if (number == 2) return "/dev/null";
    return "";
  });
  EXPECT_EQ(OpenError(port, 1),
            "Serial port 1 (/nonexistent/ttyUSB9) is not present (unplugged?).");
  EXPECT_EQ(OpenError(port, 2), "Serial port 2 (/dev/null) is not a serial port.");
  EXPECT_EQ(OpenError(port, 5),
            "Serial port 5 does not exist: this computer has fewer serial devices.");
  EXPECT_FALSE(port.IsOpen());
}

// A pseudo-terminal is a terminal without modem lines: the port opens, line switching and the
// status watcher have nothing to act on, and a second user of the same device is turned away.
TEST(LinuxSerialPort, OpensATerminalOnceAndClosesCleanly) {
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) GTEST_SKIP() << "no pseudo-terminals here (devpts not mounted)";
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string slave = ptsname(master);
  auto resolver = [&](int) { return slave; };

  LinuxSerialPort port(resolver);
  port.SetControlLine(ControlLine::Dtr, true);
  port.Open(4);
  EXPECT_TRUE(port.IsOpen());
  EXPECT_EQ(port.PortNumber(), 4);
  EXPECT_EQ(port.DevicePath(), slave);
  port.StartStatusEvents([](StatusLine, bool) {});
  port.SetControlLine(ControlLine::Rts, true);
  EXPECT_FALSE(port.StatusLineOn(StatusLine::Cts));

  LinuxSerialPort second(resolver);
  EXPECT_EQ(OpenError(second, 4),
            "Serial port 4 (" + slave + ") is busy: another program is using it.");

  port.StopStatusEvents();
  port.Close();
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.PortNumber(), 0);
  EXPECT_EQ(OpenError(second, 4), "<opened>");  // free again
  close(master);
}

// Any open() of a terminal raises DTR and RTS, so a second program merely opening the port would
// key the transmitter: while the keyer holds the port, other openers are turned away at open().
TEST(LinuxSerialPort, OtherOpenersAreTurnedAwayWhileThePortIsOpen) {
  if (geteuid() == 0) GTEST_SKIP() << "root may open an exclusive terminal anyway";
  const int master = posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) GTEST_SKIP() << "no pseudo-terminals here (devpts not mounted)";
  ASSERT_EQ(grantpt(master), 0);
  ASSERT_EQ(unlockpt(master), 0);
  const std::string slave = ptsname(master);
  LinuxSerialPort port([&](int) { return slave; });
  port.Open(1);
  const int other = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  const int error = errno;
  if (other >= 0) close(other);
  EXPECT_LT(other, 0);
  EXPECT_EQ(error, EBUSY);
  port.Close();
  const int after = ::open(slave.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
  EXPECT_GE(after, 0);  // free again once closed
  if (after >= 0) close(after);
  close(master);
}

}  // namespace
