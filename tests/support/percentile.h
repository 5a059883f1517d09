#pragma once
// The q-quantile (0 < q <= 1) of a sample by the nearest-rank rule: 0.5 the median, 0.99 the p99.

#include <algorithm>
#include <cmath>
#include <vector>

inline double Percentile(std::vector<double> sample, double q) {
  if (sample.empty()) return 0;
  std::sort(sample.begin(), sample.end());
  const auto rank = static_cast<size_t>(std::ceil(q * static_cast<double>(sample.size())));
  return sample[std::max<size_t>(rank, 1) - 1];
}
