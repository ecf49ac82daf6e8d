#pragma once

#include <cstdint>

#include "core/foundation/saturate.h"

// Float-to-integer conversions of the model's stored fields. The values come from documents, so
// they may be huge or not numbers: each truncates toward zero through the saturating conversion
// (NaN gives 0) and then keeps the low 16 or 32 bits, as the stored fields do.
inline int16_t TruncToInt16Bits(float value) {
  return static_cast<int16_t>(SaturateCast<int64_t>(value));
}
inline uint16_t TruncToUInt16Bits(float value) {
  return static_cast<uint16_t>(SaturateCast<int64_t>(value));
}
inline uint32_t TruncToUInt32Bits(float value) {
  return static_cast<uint32_t>(SaturateCast<int64_t>(value));
}
