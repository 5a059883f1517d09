#pragma once
// The live window's UTC clock and contest half: the running clock (LabelUTC2, TimerUTC2), the QSO
// time frozen when a callsign is confirmed (LabelUTC), and the half it falls in (Label7). Half 1
// runs until 07:59 UTC, half 2 from 08:00.

#include <string>

class Clock;
struct LiveView;

class LiveClock {
 public:
  // Both outlive this.
  LiveClock(const Clock& clock, LiveView& view);

  // "hhnn" in UTC now.
  std::string UtcNow() const;
  // The QSO time that the next recording uses, and the current half (0 or 1).
  const std::string& QsoTime() const { return qsoTime_; }
  int Half() const { return half_; }
  bool Frozen() const { return frozen_; }

  // The window is shown: the running clock, the half of now, and the QSO time now unless one is
  // frozen for the callsign in the field.
  void Show();
  // A callsign is confirmed: its QSO time and half are now; the running clock makes way for it.
  void Freeze();
  // The callsign field is empty again: the next callsign gets a time of its own.
  void Unfreeze() { frozen_ = false; }
  // The running clock shown and counting anew.
  void ShowRunning();
  // The half of the time now.
  void DecideHalf();
  // TimerUTC2: true when the second half has just begun while the clock is shown.
  bool Tick();

 private:
  void SetHalf(int half);

  const Clock& clock_;
  LiveView& view_;
  std::string qsoTime_ = "0000";
  bool frozen_ = false;  // frozen for the callsign now in the field
  int half_ = 0;
};
