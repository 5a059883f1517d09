#include "live/live_clock.h"

#include <cstdint>
#include <cstdio>

#include "common/clock.h"
#include "live/live_view.h"

namespace {

using namespace live_colour;

// "hhnn" of a time.
std::string Hhnn(const DateTime& t) {
  char text[8];
  std::snprintf(text, sizeof text, "%02d%02d", t.hour % 100, t.minute % 100);
  return text;
}

// The clock is black from 06:00 to 09:59 and grey outside (a comparison of the texts).
std::uint32_t ClockColour(const std::string& hhnn) {
  return hhnn < "06" || hhnn > "10" ? kGrey : kBlack;
}

}  // namespace

LiveClock::LiveClock(const Clock& clock, LiveView& view) : clock_(clock), view_(view) {}

std::string LiveClock::UtcNow() const {
  return Hhnn(clock_.UtcNow());
}

void LiveClock::Show() {
  ShowRunning();
  view_.utc.background = kLightRed;
  DecideHalf();
  if (!frozen_) qsoTime_ = UtcNow();
}

void LiveClock::Freeze() {
  qsoTime_ = UtcNow();
  frozen_ = true;
  SetHalf(qsoTime_ < "0800" ? 0 : 1);
  view_.utc.text = qsoTime_;
  view_.utc.font = ClockColour(qsoTime_);
  view_.utc.visible = true;
  view_.utcClock.visible = false;
  view_.clockTimer.running = false;
}

void LiveClock::ShowRunning() {
  view_.utc.visible = false;
  view_.utcClock.text = UtcNow();
  view_.utcClock.font = ClockColour(view_.utcClock.text);
  view_.utcClock.visible = true;
  view_.clockTimer.running = true;
  ++view_.clockTimer.generation;
}

void LiveClock::DecideHalf() {
  SetHalf(UtcNow() < "0800" ? 0 : 1);
}

void LiveClock::SetHalf(int half) {
  half_ = half;
  view_.half = half == 0 ? "1. Halbzeit" : "2. Halbzeit";
}

bool LiveClock::Tick() {
  const std::string now = UtcNow();
  view_.utcClock.text = now;
  view_.utcClock.font = ClockColour(now);
  return view_.utcClock.visible && half_ == 0 && now >= "0800";
}
