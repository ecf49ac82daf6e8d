#pragma once

#include <epoxy/gl.h>

#include <cstdint>

#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// Reads `width` x `height` pixels of `framebuffer` into `pixels`, top row first (GL's rows run
// bottom-up), `stride` bytes between rows, 4 bytes a pixel in `order`. Leaves the GL state as it
// found it. False when `stride` is below 4 x `width`.
TESSEL_API bool RwGlReadFramebuffer(GLuint framebuffer, int width, int height, uint8_t* pixels,
                                    int stride, RwPixelOrder order);
