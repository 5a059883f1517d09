#include "keyer/iambic_timing.h"

#include <algorithm>
#include <array>

#include "keyer/round_half_even.h"

namespace {

using Table = std::array<IambicElementTimes, kIambicMaxWpm + 1>;

Table BuildTable() {
  Table table{};
  for (int w = kIambicMinWpm; w <= kIambicMaxWpm; ++w) {
    table[w] = IambicElementTimes{
        static_cast<int>(RoundHalfEven(1200, w)), static_cast<int>(RoundHalfEven(3600, w)),
        static_cast<int>(RoundHalfEven(2400, w)), static_cast<int>(RoundHalfEven(4800, w))};
  }
  return table;
}

}  // namespace

const IambicElementTimes& IambicTimesFor(int wpm) {
  static const Table table = BuildTable();
  return table[std::clamp(wpm, kIambicMinWpm, kIambicMaxWpm)];
}
