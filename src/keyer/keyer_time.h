#pragma once
// Time on the keyer's clock: nanoseconds since the clock's origin. The keyer thread uses the
// monotonic clock; the virtual timer service starts at zero and moves only when a test advances it.

#include <chrono>
#include <cstdint>

using KeyerTime = std::chrono::nanoseconds;

constexpr KeyerTime Milliseconds(std::int64_t ms) {
  return std::chrono::milliseconds(ms);
}

inline double ToMilliseconds(KeyerTime t) {
  return std::chrono::duration<double, std::milli>(t).count();
}
