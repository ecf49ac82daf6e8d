#pragma once

#include "drivers/gdi/blend_rows.h"

#if defined(__x86_64__)
// The loops with SSE2, which every x86-64 processor has.
extern const TBlendRows kSse2BlendRows;
// The loops with AVX2; only for a processor that has it.
extern const TBlendRows kAvx2BlendRows;
#endif
