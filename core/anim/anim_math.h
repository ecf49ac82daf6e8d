#pragma once

#include <cstdint>

// Float-to-integer conversions of the model. The values come from documents, so they may be
// huge or not numbers; these truncate toward zero like a C cast where the value fits, and never
// invoke the undefined behaviour a cast has where it does not.

// Truncates toward zero, saturating at the limits of int64_t; NaN gives 0.
int64_t TruncToInt64(float value);

// Truncates toward zero and keeps the low 16 or 32 bits, as the stored fields do.
inline int16_t TruncToInt16Bits(float value) {
  return static_cast<int16_t>(TruncToInt64(value));
}
inline uint16_t TruncToUInt16Bits(float value) {
  return static_cast<uint16_t>(TruncToInt64(value));
}
inline uint32_t TruncToUInt32Bits(float value) {
  return static_cast<uint32_t>(TruncToInt64(value));
}
