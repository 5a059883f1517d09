#pragma once
// A key line that records when it went down and up, on a timer service's clock, in whole
// milliseconds; repeated writes of the same state are not edges.

#include <cstdint>
#include <vector>

#include "keyer/key_line.h"
#include "keyer/timer_service.h"

struct KeyPulse {
  std::int64_t downMs;
  std::int64_t upMs;
  bool operator==(const KeyPulse&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const KeyPulse& p) {
  return out << "[" << p.downMs << "," << p.upMs << ")";
}

class RecordingKeyLine : public KeyLine {
 public:
  explicit RecordingKeyLine(const TimerService& clock) : clock_(clock) {}

  void SetKeyDown(bool down) override {
    if (down == down_) return;
    down_ = down;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(clock_.Now()).count();
    if (down) {
      pulses_.push_back(KeyPulse{ms, -1});
    } else {
      pulses_.back().upMs = ms;
    }
  }

  bool IsDown() const { return down_; }
  // Every key-down period so far; a pulse still running has upMs -1.
  const std::vector<KeyPulse>& Pulses() const { return pulses_; }

 private:
  const TimerService& clock_;
  bool down_ = false;
  std::vector<KeyPulse> pulses_;
};
