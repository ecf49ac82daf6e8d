#pragma once

#include <concepts>
#include <limits>
#include <utility>

// Conversion of values that come from documents and callers (scales, positions, zoomed
// coordinates) into the integers that pixel arithmetic and stored fields use. Such a value may be
// huge or not a number, and a plain cast of it is then undefined; this one is defined for every
// input.
//
// A floating-point value is truncated toward zero, like a C cast where the result fits; beyond
// the limits of `To` it saturates at them, and NaN gives 0. An integer value is clamped to the
// range of `To`, so wide intermediate results (computed in int64_t) narrow without wrapping.
template <std::integral To, typename From>
requires std::floating_point<From> || std::integral<From>
constexpr To SaturateCast(From value) {
  using Limits = std::numeric_limits<To>;
  if constexpr (std::floating_point<From>) {
    if (value != value) {  // NaN
      return 0;
    }
    // Both bounds are powers of two (or zero), so they are exact in any floating type. A value
    // below `lowest` truncates to the lower limit or past it; one at or above `beyond` lies past
    // the upper limit.
    constexpr From lowest = static_cast<From>(Limits::min());
    constexpr From beyond = static_cast<From>(Limits::max() / 2 + 1) * 2;
    if (value < lowest) {
      return Limits::min();
    }
    if (value >= beyond) {
      return Limits::max();
    }
    return static_cast<To>(value);
  } else {
    if (std::cmp_less(value, Limits::min())) {
      return Limits::min();
    }
    if (std::cmp_greater(value, Limits::max())) {
      return Limits::max();
    }
    return static_cast<To>(value);
  }
}
