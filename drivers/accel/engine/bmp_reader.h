#pragma once

#include <cstddef>
#include <cstdint>

#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/tessel_api.h"

// The engine's reader for Windows bitmaps held in memory, on Core's bitmap decoder (every kind it
// takes, within the engine's pixel cap). A picture whose alpha bits are not all zero keeps its
// alpha; any other gets the magenta colour key. False for a damaged or truncated file or one
// beyond the pixel cap.
TESSEL_API bool RwBmpRead(const uint8_t* data, size_t size, RwImage* image);
