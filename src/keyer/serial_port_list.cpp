#include "keyer/serial_port_list.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include "common/ascii_text.h"

namespace fs = std::filesystem;

namespace {

// Numeric suffix of ttyUSB12 and the like, for ordering by number rather than by text.
int DeviceIndex(const std::string& kernelName) {
  std::size_t i = kernelName.size();
  while (i > 0 && IsAsciiDigit(kernelName[i - 1])) --i;
  return i == kernelName.size() ? -1 : std::stoi(kernelName.substr(i));
}

std::string DriverOf(const std::string& root, const std::string& kernelName) {
  std::error_code error;
  const fs::path link = fs::path(root + "/sys/class/tty") / kernelName / "device" / "driver";
  const fs::path target = fs::read_symlink(link, error);
  return error ? std::string() : target.filename().string();
}

std::vector<std::string> SortedNames(const fs::path& folder, const std::string& prefix) {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const int ia = DeviceIndex(a), ib = DeviceIndex(b);
    return ia != ib ? ia < ib : a < b;
  });
  return names;
}

// A built-in port has hardware when the serial core knows its UART type.
bool HasUartHardware(const std::string& root, const std::string& kernelName) {
  const fs::path sys = fs::path(root + "/sys/class/tty") / kernelName;
  std::error_code error;
  if (!fs::exists(sys / "device", error)) return false;
  std::ifstream typeFile(sys / "type");
  int type = -1;
  if (typeFile >> type) return type != 0;
  return true;
}

}  // namespace

std::vector<SerialPortInfo> ListSerialPorts(const std::string& root) {
  std::vector<SerialPortInfo> ports;
  std::set<std::string> listed;  // kernel names
  auto add = [&](std::string device, std::string name, std::string kernelName) {
    if (ports.size() >= kMaxSerialPorts || !listed.insert(kernelName).second) return;
    SerialPortInfo info;
    info.number = static_cast<int>(ports.size()) + 1;
    info.device = std::move(device);
    info.name = std::move(name);
    info.driver = DriverOf(root, kernelName);
    info.kernelName = std::move(kernelName);
    ports.push_back(std::move(info));
  };

  const fs::path byId(root + "/dev/serial/by-id");
  std::vector<std::string> idNames;
  std::error_code error;
  for (fs::directory_iterator it(byId, error), end; !error && it != end; it.increment(error)) {
    idNames.push_back(it->path().filename().string());
  }
  std::sort(idNames.begin(), idNames.end());
  for (const std::string& name : idNames) {
    std::error_code linkError;
    const fs::path target = fs::read_symlink(byId / name, linkError);
    if (linkError) continue;
    add((byId / name).string(), name, target.filename().string());
  }

  for (const char* prefix : {"ttyUSB", "ttyACM"}) {
    for (const std::string& name : SortedNames(root + "/dev", prefix)) {
      add(root + "/dev/" + name, name, name);
    }
  }
  for (const std::string& name : SortedNames(root + "/dev", "ttyS")) {
    if (DeviceIndex(name) >= 0 && HasUartHardware(root, name))
      add(root + "/dev/" + name, name, name);
  }
  return ports;
}

std::string SerialDeviceForNumber(int number, const std::string& root) {
  for (const SerialPortInfo& port : ListSerialPorts(root)) {
    if (port.number == number) return port.device;
  }
  return {};
}

std::string SerialPortRemark(const SerialPortInfo& port) {
  if (port.driver == "cdc_acm") {
    return "This USB device (" + port.kernelName +
           ", cdc_acm) always reports CTS as set: a paddle contact on CTS cannot be read. Wire "
           "the paddle to an adapter with real modem lines (FTDI, CP210x, CH340, PL2303).";
  }
  return {};
}
