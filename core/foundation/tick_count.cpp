#include "core/foundation/tick_count.h"

#include <chrono>

uint32_t GetTickCount() {
  const auto since_start = std::chrono::steady_clock::now().time_since_epoch();
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count();
  return static_cast<uint32_t>(ms);
}
