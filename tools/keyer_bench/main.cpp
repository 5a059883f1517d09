// ktd-keyer-bench: looks at the CW keyer from the command line.
//
//   ktd-keyer-bench --elements TEXT --wpm W
//     Converts TEXT (UTF-8, taken to Windows-1252 first) as the live window sets the converter up
//     (Farnsworth on, speed and character speed W) and prints the element list as comma-separated
//     integers on one line, or an empty line when there is nothing to key.
//
//   ktd-keyer-bench --timing --wpm W --seconds S [--no-rt]
//     Keys a message of about S seconds through the real keyer thread onto a fake port while
//     another thread keeps a core busy, and prints as its last line
//       edges=N p50_ms=... p99_ms=... max_ms=... drift_ms=...
//     the error of every key-line edge against the ideal schedule from the message start (p50,
//     p99 and max of the absolute errors) and the error of the last edge (drift). --no-rt keeps
//     the keyer thread at normal scheduling.

#include <algorithm>
#include <atomic>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/encoding.h"
#include "keyer/fake_serial_port.h"
#include "keyer/keyer.h"
#include "keyer/keyer_thread.h"
#include "keyer/morse_converter.h"

namespace {

int Usage() {
  std::cerr << "usage: ktd-keyer-bench --elements TEXT --wpm W\n"
               "       ktd-keyer-bench --timing --wpm W --seconds S [--no-rt]\n";
  return 2;
}

bool ParseInt(const std::string& text, int& value) {
  char* end = nullptr;
  const long parsed = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || parsed < 1 || parsed > 100000) return false;
  value = static_cast<int>(parsed);
  return true;
}

TMorse ConverterAt(int wpm) {
  TMorse morse;
  morse.SetFarnsworth(true);
  morse.SetSpeed(wpm);
  morse.SetCharacterSpeed(wpm);
  return morse;
}

int PrintElements(const std::string& utf8Text, int wpm) {
  TMorse morse = ConverterAt(wpm);
  morse.SetText(Utf8ToCp1252(utf8Text));
  ElementList elements;
  morse.Convert(elements);
  std::string line;
  for (std::size_t i = 0; i < elements.size(); ++i) {
    if (i > 0) line += ',';
    line += std::to_string(elements[i]);
  }
  std::cout << line << '\n';
  return 0;
}

std::int64_t TotalMs(const ElementList& elements) {
  std::int64_t total = 0;
  for (std::int32_t e : elements) total += std::abs(e);
  return total;
}

// A contest-like message of at least the given length.
ElementList MessageOfAbout(int wpm, int seconds) {
  static const char* const kWords[] = {"cq",    "ktd", "de",     "hb9xyz/p", "test", "5nn", "rote",
                                       "rosen", "im",  "garten", "+",        "73",   "gl"};
  TMorse morse = ConverterAt(wpm);
  std::string text;
  ElementList elements;
  for (std::size_t i = 0;; ++i) {
    if (!text.empty()) text += ' ';
    text += kWords[i % std::size(kWords)];
    morse.SetText(text);
    morse.Convert(elements);
    if (TotalMs(elements) >= seconds * 1000LL) return elements;
  }
}

double Percentile(std::vector<double> sorted, double p) {
  if (sorted.empty()) return 0;
  std::size_t rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size())));
  rank = std::clamp<std::size_t>(rank, 1, sorted.size());
  return sorted[rank - 1];
}

int MeasureTiming(int wpm, int seconds, bool realTime) {
  const ElementList elements = MessageOfAbout(wpm, seconds);

  KeyerThread thread(realTime ? KeyerThread::Scheduling::TryRealTime
                              : KeyerThread::Scheduling::Normal);
  FakeSerialPort port(thread);
  port.ReserveEdges(elements.size() + 16);
  std::mutex mutex;
  std::condition_variable ended;
  bool done = false;
  {
    Keyer keyer(port, thread);
    keyer.SetMessageEndHandler([&](MessagePlayer::MessageEnd) {
      std::lock_guard lock(mutex);
      done = true;
      ended.notify_all();
    });
    keyer.SetRtsKeys(true);
    keyer.ApplyKeyingState(true, 1);
    port.ClearEdges();

    std::atomic<bool> stopBusy{false};
    std::thread busy([&] {
      volatile std::uint64_t sink = 0;
      while (!stopBusy.load(std::memory_order_relaxed)) sink = sink + 1;
    });

    const auto start = keyer.StartMessage(elements);
    if (!start) {
      std::cerr << "the message did not start\n";
      return 1;
    }
    {
      std::unique_lock lock(mutex);
      ended.wait(lock, [&] { return done; });
    }
    stopBusy = true;
    busy.join();
    thread.Stop();

    // Ideal edges: key down at the start of each positive entry, key up at its end.
    std::vector<KeyerTime> ideal;
    KeyerTime t = *start;
    for (std::int32_t e : elements) {
      if (e > 0) {
        ideal.push_back(t);
        ideal.push_back(t + Milliseconds(e));
      }
      t += Milliseconds(std::abs(e));
    }
    const auto edges = port.EdgesOf(ControlLine::Rts);
    if (edges.size() != ideal.size()) {
      std::cerr << "expected " << ideal.size() << " edges, recorded " << edges.size() << '\n';
      return 1;
    }
    std::vector<double> errors;
    for (std::size_t i = 0; i < edges.size(); ++i) {
      errors.push_back(std::fabs(ToMilliseconds(edges[i].time - ideal[i])));
    }
    const double drift = edges.empty() ? 0 : ToMilliseconds(edges.back().time - ideal.back());
    std::sort(errors.begin(), errors.end());

    std::printf("wpm=%d message_ms=%lld realtime=%s busy_core=yes\n", wpm,
                static_cast<long long>(TotalMs(elements)), thread.IsRealTime() ? "yes" : "no");
    std::printf("edges=%zu p50_ms=%.3f p99_ms=%.3f max_ms=%.3f drift_ms=%.3f\n", edges.size(),
                Percentile(errors, 0.50), Percentile(errors, 0.99),
                errors.empty() ? 0.0 : errors.back(), drift);
    keyer.ApplyKeyingState(false, 1);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  std::string text;
  bool haveText = false, timing = false, realTime = true;
  int wpm = 0, seconds = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--elements" && hasValue) {
      text = args[++i];
      haveText = true;
    } else if (a == "--wpm" && hasValue) {
      if (!ParseInt(args[++i], wpm)) return Usage();
    } else if (a == "--seconds" && hasValue) {
      if (!ParseInt(args[++i], seconds)) return Usage();
    } else if (a == "--timing") {
      timing = true;
    } else if (a == "--no-rt") {
      realTime = false;
    } else {
      return Usage();
    }
  }
  if (haveText && !timing && wpm > 0) return PrintElements(text, wpm);
  if (timing && !haveText && wpm > 0 && seconds > 0) return MeasureTiming(wpm, seconds, realTime);
  return Usage();
}
