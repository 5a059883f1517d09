#pragma once
// The serial devices of this computer and their port numbers 1 ... 20.
//
// Numbering rule: first the USB serial adapters by their names in /dev/serial/by-id, in
// alphabetical order (stable names: an adapter keeps its number as long as the same adapters are
// plugged in); then USB serial devices that have no by-id name (/dev/ttyUSB*, /dev/ttyACM*), by
// number; then the built-in serial ports /dev/ttyS* that have hardware behind them (a device in
// /sys/class/tty/ttySn/device whose UART type is not 0, "unknown"), by number. The first 20 get
// the numbers 1 ... 20.

#include <string>
#include <vector>

struct SerialPortInfo {
  int number = 0;          // 1 ... 20
  std::string device;      // the path to open, e.g. /dev/serial/by-id/usb-FTDI_..-if00-port0
  std::string name;        // short name for lists: the by-id name or ttyS0
  std::string kernelName;  // ttyUSB0, ttyACM0, ttyS0
  std::string driver;      // kernel driver: ftdi_sio, cp210x, cdc_acm, ... (empty when unknown)
};

constexpr int kMaxSerialPorts = 20;

// root prefixes /dev and /sys (tests build a small tree); "" for the real system.
std::vector<SerialPortInfo> ListSerialPorts(const std::string& root = "");

// The device path of port number (1 ... 20), or "" when there is no such port.
std::string SerialDeviceForNumber(int number, const std::string& root = "");

// A remark for the operator when the chosen device has a known limitation, else "".
std::string SerialPortRemark(const SerialPortInfo& port);
