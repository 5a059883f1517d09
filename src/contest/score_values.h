#pragma once
// The eleven score values of the log; they keep their last computed contents until the next
// computation and are 0 at program start.

#include <cstdint>

struct ScoreValues {
  std::int32_t cwQsos = 0;
  std::int32_t ssbQsos = 0;
  std::int32_t ktdCw = 0;
  std::int32_t ktdSsb = 0;
  std::int32_t hbCw = 0;
  std::int32_t hbSsb = 0;
  std::int32_t euCw = 0;
  std::int32_t euSsb = 0;
  std::int32_t cwPoints = 0;
  std::int32_t ssbPoints = 0;
  std::int32_t totalPoints = 0;
};
