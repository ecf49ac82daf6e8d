#pragma once

#include "core/core_api.h"

// A float interval. The two-value constructor orders its arguments; the getters order again, so
// they stay right when a caller writes the fields directly.
struct CORE_API URange {
  float min;
  float max;

  // Leaves the bounds undefined, like a plain record; assign before use.
  URange() {}  // NOLINT(cppcoreguidelines-pro-type-member-init)
  URange(float a, float b) : min(a < b ? a : b), max(a < b ? b : a) {}

  float GetMin() const { return min < max ? min : max; }
  float GetMax() const { return min < max ? max : min; }
  float Size() const { return GetMax() - GetMin(); }
  float GetCenter() const { return (min + max) / 2.0f; }
  // A value spread over the closed range: max for a draw of 0, min for the largest draw.
  float GetRand() const;
  // A coarse value in 512 steps, from max down to just short of min.
  float GetSRand() const;
};
