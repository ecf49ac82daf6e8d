#pragma once

#include <cstdint>

#include "core/core_api.h"

// The process-wide seeded generator: a 32-bit linear congruential state, initially 0.
CORE_API void appSRandInit(int seed);
// Advances the state and returns its 23 low bits as a fraction in [0, 1).
CORE_API float appSRand();

// A draw from the C library's generator narrowed to 15 bits (0 to 32767), the range every
// random computation of the model assumes; glibc's rand() itself reaches 2^31 - 1.
CORE_API int appRand15();
