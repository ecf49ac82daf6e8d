#include "core/anim/anim_math.h"

#include <cmath>
#include <limits>

int64_t TruncToInt64(float value) {
  if (std::isnan(value)) {
    return 0;
  }
  // 2^63 is exactly representable as a float; anything at or beyond it saturates.
  constexpr float kLimit = 9223372036854775808.0f;
  if (value >= kLimit) {
    return std::numeric_limits<int64_t>::max();
  }
  if (value < -kLimit) {
    return std::numeric_limits<int64_t>::min();
  }
  return static_cast<int64_t>(value);
}
