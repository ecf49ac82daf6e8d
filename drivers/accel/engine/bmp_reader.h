#pragma once

#include <cstddef>
#include <cstdint>

#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/tessel_api.h"

// Decodes a Windows bitmap held in memory: 1, 4 and 8 bits with palettes, RLE4 and RLE8, 16 bits
// as 5-5-5 or through bit fields (5-6-5 and others), 24 bits, 32 bits with or without an alpha
// mask; bottom-up and top-down. A file with an alpha mask keeps its alpha; any other gets the
// magenta colour key. False for a damaged or truncated file or one beyond the pixel cap.
TESSEL_API bool RwBmpRead(const uint8_t* data, size_t size, RwImage* image);
