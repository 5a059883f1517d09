#include "keyer/linux_serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <pthread.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <mutex>

#include "keyer/serial_port_list.h"
#include "keyer/status_change_decoder.h"

namespace {

int Index(ControlLine line) {
  return line == ControlLine::Rts ? 0 : 1;
}
int Bit(ControlLine line) {
  return line == ControlLine::Rts ? TIOCM_RTS : TIOCM_DTR;
}

int WakeSignal() {
  return SIGRTMIN + 4;
}

void InstallWakeHandler() {
  static std::once_flag once;
  std::call_once(once, [] {
    struct sigaction action {};
    action.sa_handler = [](int) {};  // only to interrupt TIOCMIWAIT and clock_nanosleep
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no SA_RESTART: the interrupted call must return EINTR
    sigaction(WakeSignal(), &action, nullptr);
  });
}

// Both status lines with their transition counters at one moment.
struct StatusSnapshot {
  bool cts = false;
  bool dsr = false;
  long ctsCount = 0;
  long dsrCount = 0;
};

bool ReadSnapshot(int fd, bool useCounts, StatusSnapshot& snapshot) {
  int bits = 0;
  if (ioctl(fd, TIOCMGET, &bits) < 0) return false;
  snapshot.cts = (bits & TIOCM_CTS) != 0;
  snapshot.dsr = (bits & TIOCM_DSR) != 0;
  if (useCounts) {
    serial_icounter_struct counts{};
    if (ioctl(fd, TIOCGICOUNT, &counts) == 0) {
      snapshot.ctsCount = counts.cts;
      snapshot.dsrCount = counts.dsr;
    }
  }
  return true;
}

timespec AddMillisecond(timespec t) {
  t.tv_nsec += 1000000;
  if (t.tv_nsec >= 1000000000) {
    t.tv_nsec -= 1000000000;
    t.tv_sec += 1;
  }
  return t;
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

// A periodic signal to the calling thread (CLOCK_MONOTONIC, SIGEV_THREAD_ID).
class RecheckTimer {
 public:
  RecheckTimer(int signal, std::chrono::milliseconds period) {
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = signal;
    event._sigev_un._tid = static_cast<pid_t>(gettid());
    if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) return;
    created_ = true;
    itimerspec timing{};
    timing.it_interval.tv_nsec = std::chrono::nanoseconds(period).count();
    timing.it_value = timing.it_interval;
    timer_settime(timer_, 0, &timing, nullptr);
  }
  ~RecheckTimer() { Stop(); }
  RecheckTimer(const RecheckTimer&) = delete;
  RecheckTimer& operator=(const RecheckTimer&) = delete;

  void Stop() {
    if (created_) timer_delete(timer_);
    created_ = false;
  }

 private:
  timer_t timer_{};
  bool created_ = false;
};

}  // namespace

std::string SerialOpenErrorMessage(int portNumber, const std::string& device, int errorNumber) {
  const std::string port = "Serial port " + std::to_string(portNumber) + " (" + device + ")";
  switch (errorNumber) {
    case EACCES:
    case EPERM:
      return "No permission to open " + port +
             ". Add your user to the group dialout (sudo usermod -aG dialout $USER), then log "
             "out and in again.";
    case EBUSY:
    case EWOULDBLOCK:
      return port + " is busy: another program is using it.";
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return port + " is not present (unplugged?).";
    case ENOTTY:
      return port + " is not a serial port.";
    default:
      return "Cannot open " + port + ": " + std::strerror(errorNumber) + ".";
  }
}

LinuxSerialPort::LinuxSerialPort(DeviceResolver resolver) : resolver_(std::move(resolver)) {
  if (!resolver_) resolver_ = [](int number) { return SerialDeviceForNumber(number); };
}

LinuxSerialPort::~LinuxSerialPort() {
  Close();
}

void LinuxSerialPort::Open(int portNumber) {
  {
    std::lock_guard lock(mutex_);
    if (fd_ >= 0 && portNumber_ == portNumber) return;
  }
  StopWatcher();
  CloseDevice();  // another port: give it up, keeping the requested line states
  const std::string device = resolver_(portNumber);
  if (device.empty()) {
    throw SerialPortError("Serial port " + std::to_string(portNumber) +
                          " does not exist: this computer has fewer serial devices.");
  }
  const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw SerialPortError(SerialOpenErrorMessage(portNumber, device, errno));
  // The line states first: Linux has just raised DTR and RTS, one of which keys the transmitter.
  ApplyRequestedLines(fd);

  auto fail = [&](int error) {
    const int cleared = TIOCM_RTS | TIOCM_DTR;
    ioctl(fd, TIOCMBIC, &cleared);
    ::close(fd);
    throw SerialPortError(SerialOpenErrorMessage(portNumber, device, error));
  };
  // Another keyer (or this program twice) on the same port would fight over the lines.
  if (flock(fd, LOCK_EX | LOCK_NB) < 0) fail(errno == EWOULDBLOCK ? EBUSY : errno);
  // Every further open() of the device would raise DTR and RTS again, keying the transmitter
  // under our feet; an exclusive terminal turns such openers away before they touch the lines.
  ioctl(fd, TIOCEXCL);
  termios settings{};
  if (tcgetattr(fd, &settings) < 0) fail(errno);
  cfmakeraw(&settings);
  settings.c_cflag |= CLOCAL | CREAD | HUPCL;
  settings.c_cflag &= ~CRTSCTS;
  cfsetispeed(&settings, B9600);  // not B0, which would drop the held line
  cfsetospeed(&settings, B9600);
  if (tcsetattr(fd, TCSANOW, &settings) < 0) fail(errno);
  serial_struct serial{};
  if (ioctl(fd, TIOCGSERIAL, &serial) == 0) {
    serial.flags |= ASYNC_LOW_LATENCY;
    ioctl(fd, TIOCSSERIAL, &serial);  // best effort: not every driver has it
  }
  {
    // Under the lock with publishing the descriptor: a key-up requested by the keyer thread
    // while the port was still closed is applied here or by SetControlLine, never lost.
    std::lock_guard lock(mutex_);
    ApplyRequestedLines(fd);
    fd_ = fd;
    portNumber_ = portNumber;
    device_ = device;
  }
  if (handler_) StartWatcher();
}

void LinuxSerialPort::Close() {
  StopWatcher();
  handler_ = nullptr;
  requested_[0] = false;
  requested_[1] = false;
  CloseDevice();
}

void LinuxSerialPort::CloseDevice() {
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return;
  const int cleared = TIOCM_RTS | TIOCM_DTR;
  ioctl(fd_, TIOCMBIC, &cleared);
  ioctl(fd_, TIOCNXCL);  // a terminal kept alive by its other end would stay exclusive
  ::close(fd_);
  fd_ = -1;
  portNumber_ = 0;
  device_.clear();
}

bool LinuxSerialPort::IsOpen() const {
  std::lock_guard lock(mutex_);
  return fd_ >= 0;
}

int LinuxSerialPort::PortNumber() const {
  std::lock_guard lock(mutex_);
  return portNumber_;
}

std::string LinuxSerialPort::DevicePath() const {
  std::lock_guard lock(mutex_);
  return device_;
}

void LinuxSerialPort::ApplyRequestedLines(int fd) const {
  int off = 0, on = 0;
  for (ControlLine line : {ControlLine::Rts, ControlLine::Dtr}) {
    (requested_[Index(line)] ? on : off) |= Bit(line);
  }
  if (off != 0) ioctl(fd, TIOCMBIC, &off);
  if (on != 0) ioctl(fd, TIOCMBIS, &on);
}

void LinuxSerialPort::SetControlLine(ControlLine line, bool on) {
  requested_[Index(line)] = on;
  std::lock_guard lock(mutex_);
  if (fd_ < 0) return;
  const int bit = Bit(line);
  ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit);
}

bool LinuxSerialPort::StatusLineOn(StatusLine line) const {
  std::lock_guard lock(mutex_);
  int bits = 0;
  if (fd_ < 0 || ioctl(fd_, TIOCMGET, &bits) < 0) return false;
  return (bits & (line == StatusLine::Cts ? TIOCM_CTS : TIOCM_DSR)) != 0;
}

void LinuxSerialPort::StartStatusEvents(StatusHandler handler) {
  StopWatcher();
  handler_ = std::move(handler);
  if (IsOpen() && handler_) StartWatcher();
}

void LinuxSerialPort::StopStatusEvents() {
  StopWatcher();
  handler_ = nullptr;
}

void LinuxSerialPort::StartWatcher() {
  InstallWakeHandler();
  int fd;
  {
    std::lock_guard lock(mutex_);
    fd = fd_;
  }
  stopWatcher_ = false;
  watcherDone_ = false;
  watcher_ = std::thread([this, fd] {
    Watch(fd);
    watcherDone_ = true;
  });
}

void LinuxSerialPort::StopWatcher() {
  if (!watcher_.joinable()) return;
  stopWatcher_ = true;
  // The watcher may sit in TIOCMIWAIT, which only a signal interrupts; repeat in case the signal
  // arrives just before it enters the call.
  while (!watcherDone_) {
    pthread_kill(watcher_.native_handle(), WakeSignal());
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  watcher_.join();
}

void LinuxSerialPort::Watch(int fd) {
  serial_icounter_struct probe{};
  const bool useCounts = ioctl(fd, TIOCGICOUNT, &probe) == 0;
  StatusSnapshot previous;
  if (!ReadSnapshot(fd, useCounts, previous)) return;  // no modem lines to watch
  // TIOCMIWAIT waits for a change after it was entered: a contact that moved between the last
  // look and entering the call would only be seen at its next change. A timer interrupts the
  // wait every 10 ms so that such a change is picked up at the latest then.
  RecheckTimer recheck(WakeSignal(), std::chrono::milliseconds(10));
  bool polling = false;
  timespec next{};
  while (!stopWatcher_) {
    if (!polling) {
      if (ioctl(fd, TIOCMIWAIT, TIOCM_CTS | TIOCM_DSR) < 0) {
        if (errno == EIO) return;  // the device has gone
        if (errno != EINTR) {
          polling = true;  // the driver cannot wait for changes: look every millisecond
          recheck.Stop();
          clock_gettime(CLOCK_MONOTONIC, &next);
          continue;
        }
        if (stopWatcher_) break;
      }
    } else {
      next = AddMillisecond(next);
      timespec now{};
      clock_gettime(CLOCK_MONOTONIC, &now);
      if (Before(next, now)) next = now;  // fell behind (suspend, load): restart the grid
      clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr);
      if (stopWatcher_) break;
    }
    StatusSnapshot current;
    if (!ReadSnapshot(fd, useCounts, current)) return;
    // The edges are built outside the keying path: the watcher is not the keyer thread.
    for (bool on : StatusEdgesBetween(previous.cts, current.cts,
                                      current.ctsCount - previous.ctsCount, useCounts)) {
      handler_(StatusLine::Cts, on);
    }
    for (bool on : StatusEdgesBetween(previous.dsr, current.dsr,
                                      current.dsrCount - previous.dsrCount, useCounts)) {
      handler_(StatusLine::Dsr, on);
    }
    previous = current;
  }
}
