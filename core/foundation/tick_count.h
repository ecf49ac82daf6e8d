#pragma once

#include <cstdint>

#include "core/core_api.h"

// Milliseconds of a monotonic clock, wrapping at 2^32 like the tick count the model was made for.
CORE_API uint32_t GetTickCount();
