#pragma once

#include <cstddef>
#include <cstdint>

#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/tessel_api.h"

// Decodes a PNG held in memory through libpng: palettes, grey, 16-bit channels (reduced to their
// high byte) and transparency chunks are expanded to 32 bits. A file with an alpha channel or a
// transparency chunk keeps its alpha; any other gets the magenta colour key. False for a damaged
// or truncated file or one beyond the pixel cap.
TESSEL_API bool RwPngRead(const uint8_t* data, size_t size, RwImage* image);
