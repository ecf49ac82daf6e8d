#pragma once

#include <cstddef>
#include <cstdint>

#include "drivers/gdi/lumsel_api.h"

// The row loops of URasterPicture::Blend come in one version for each width of vector the
// processor may have. All of them give the same pixels; the widest one the processor runs is
// picked when the library first blends.
enum class EBlendLevel {
  kScalar,  // one pixel at a time: any processor
  kSse2,    // four pixels at a time: every x86-64 processor
  kAvx2,    // eight pixels at a time
};

// How a row of destination pixels finds its source pixels.
enum class EColumnOrder {
  kForward,   // source[i]
  kBackward,  // source[-i], a one-to-one mirrored row
  kTable,     // source[columns[i]], a stretched row
};

// Blends `count` source pixels into `target`: source pixel i is source[i] (forward), source[-i]
// (backward) or source[columns[i]] (table). `opaque_key` is the colour key with full alpha, or 0
// for a draw without one.
using TBlendRow = void (*)(uint32_t* target, const uint32_t* source, const int32_t* columns,
                           size_t count, uint32_t opaque_key);

struct TBlendRows {
  TBlendRow forward;
  TBlendRow backward;
  TBlendRow table;
};

// Whether this processor (and this build) runs the loops of `level`.
LUMSEL_API bool IsBlendLevelAvailable(EBlendLevel level);
// The widest level this processor runs, found once.
LUMSEL_API EBlendLevel BestBlendLevel();
// The loops of `level`, or of the best available level below it when this processor lacks it.
const TBlendRows& BlendRowsFor(EBlendLevel level);
