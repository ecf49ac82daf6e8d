#include "drivers/gdi/blend_rows.h"

#include <algorithm>

#include "drivers/gdi/blend_pixel.h"
#include "drivers/gdi/blend_rows_x86.h"

namespace {

template <EColumnOrder kOrder>
void BlendRowScalar(uint32_t* target, const uint32_t* source, const int32_t* columns, size_t count,
                    uint32_t opaque_key) {
  BlendPixels<kOrder>(target, source, columns, 0, count, opaque_key);
}

constexpr TBlendRows kScalarBlendRows = {
    BlendRowScalar<EColumnOrder::kForward>,
    BlendRowScalar<EColumnOrder::kBackward>,
    BlendRowScalar<EColumnOrder::kTable>,
};

EBlendLevel FindBestBlendLevel() {
#if defined(__x86_64__)
  // The check covers the operating system too: AVX2 counts only where the system saves the
  // 256-bit registers.
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx2")) {
    return EBlendLevel::kAvx2;
  }
  return EBlendLevel::kSse2;
#else
  return EBlendLevel::kScalar;
#endif
}

}  // namespace

bool IsBlendLevelAvailable(EBlendLevel level) {
  return level <= BestBlendLevel();
}

EBlendLevel BestBlendLevel() {
  static const EBlendLevel best = FindBestBlendLevel();
  return best;
}

const TBlendRows& BlendRowsFor(EBlendLevel level) {
  [[maybe_unused]] const EBlendLevel usable = std::min(level, BestBlendLevel());
#if defined(__x86_64__)
  if (usable == EBlendLevel::kAvx2) {
    return kAvx2BlendRows;
  }
  if (usable == EBlendLevel::kSse2) {
    return kSse2BlendRows;
  }
#endif
  return kScalarBlendRows;
}
