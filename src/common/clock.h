#pragma once
// The one clock of the program. Windows and rules ask it; tests replace it to cross 08:00 UTC or
// midnight.

#include <ctime>

struct DateTime {
  int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
};

class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime UtcNow() const = 0;
  virtual DateTime LocalNow() const = 0;
};

// The system clock.
class SystemClock : public Clock {
 public:
  DateTime UtcNow() const override;
  DateTime LocalNow() const override;
};

// A clock that shows what it is told.
class FixedClock : public Clock {
 public:
  DateTime utc{2024, 7, 21, 7, 59, 0};
  DateTime local{2024, 7, 21, 9, 59, 0};
  DateTime UtcNow() const override { return utc; }
  DateTime LocalNow() const override { return local; }
};
