#include "keyer/iambic_timing.h"

#include <gtest/gtest.h>

namespace {

struct TimingRow {
  int wpm;
  IambicElementTimes times;
};

void PrintTo(const TimingRow& r, std::ostream* os) {
  *os << r.wpm << " wpm";
}

class IambicTimingRows : public ::testing::TestWithParam<TimingRow> {};

TEST_P(IambicTimingRows, MatchTheTable) {
  const TimingRow& row = GetParam();
  const IambicElementTimes& t = IambicTimesFor(row.wpm);
  EXPECT_EQ(t.dit, row.times.dit);
  EXPECT_EQ(t.dah, row.times.dah);
  EXPECT_EQ(t.ditPeriod, row.times.ditPeriod);
  EXPECT_EQ(t.dahPeriod, row.times.dahPeriod);
}

// 18: 66.67 / 133.33 / 266.67 round to nearest; 32: 37.5 goes to 38, 112.5 to 112, 75 and 150
// are exact; 16: 75 / 225 / 150 / 300 exact; 48/96 at 25 exact.
INSTANTIATE_TEST_SUITE_P(
    SampleRows, IambicTimingRows,
    ::testing::Values(TimingRow{10, {120, 360, 240, 480}}, TimingRow{18, {67, 200, 133, 267}},
                      TimingRow{20, {60, 180, 120, 240}}, TimingRow{25, {48, 144, 96, 192}},
                      TimingRow{32, {38, 112, 75, 150}}, TimingRow{40, {30, 90, 60, 120}},
                      TimingRow{1, {1200, 3600, 2400, 4800}}, TimingRow{7, {171, 514, 343, 686}},
                      TimingRow{16, {75, 225, 150, 300}}));

TEST(IambicTiming, SpaceAfterAnElementIsNotAlwaysOneRoundedDit) {
  const IambicElementTimes& t = IambicTimesFor(32);
  EXPECT_EQ(t.ditPeriod - t.dit, 37);
  EXPECT_EQ(t.dahPeriod - t.dah, 38);
}

TEST(IambicTiming, SpeedsOutsideTheTableUseItsEnds) {
  EXPECT_EQ(IambicTimesFor(0).dit, 1200);
  EXPECT_EQ(IambicTimesFor(41).dit, 30);
  EXPECT_EQ(IambicTimesFor(-5).dah, 3600);
}

}  // namespace
