#pragma once
// Keyer durations are whole milliseconds, rounded to the nearest integer with halves going to the
// even neighbour (1200 / 32 = 37.5 becomes 38, 4800 / 64 = 75 stays). Computed on exact integer
// fractions so that no floating-point error can move a value across a half.

#include <cstdint>

// numerator / denominator rounded half to even; denominator > 0.
constexpr std::int64_t RoundHalfEven(std::int64_t numerator, std::int64_t denominator) {
  std::int64_t quotient = numerator / denominator;
  std::int64_t remainder = numerator % denominator;
  if (remainder < 0) {  // make the remainder non-negative: floor division
    remainder += denominator;
    quotient -= 1;
  }
  const std::int64_t twice = 2 * remainder;
  if (twice > denominator || (twice == denominator && quotient % 2 != 0)) quotient += 1;
  return quotient;
}
