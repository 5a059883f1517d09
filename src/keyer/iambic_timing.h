#pragma once
// Element timing of the paddle keyer by speed: key-down times of dit and dah, and the period from
// the start of an element to the start of the next one (element plus one dit of space). The four
// values are rounded separately, so the space is not always exactly one rounded dit (32 wpm: 37 ms
// after a dit, 38 ms after a dah).

struct IambicElementTimes {
  int dit = 0;
  int dah = 0;
  int ditPeriod = 0;
  int dahPeriod = 0;
};

constexpr int kIambicMinWpm = 1;
constexpr int kIambicMaxWpm = 40;

// The row for wpm, which is clamped to 1 ... 40.
const IambicElementTimes& IambicTimesFor(int wpm);
