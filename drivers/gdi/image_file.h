#pragma once

#include <cstdint>

#include "drivers/gdi/lumsel_api.h"
#include "drivers/gdi/raster_picture.h"

// Decodes the PNG or BMP file at `path` into `picture`, top row first, premultiplied. An image
// with an alpha channel (a PNG with alpha or a transparency chunk, a BMP whose alpha bits are not
// zero in every pixel) keeps its alpha; in any other image magenta pixels become transparent
// black and the rest opaque. False, leaving `picture` empty, when the file is not a regular PNG or
// BMP file, cannot be decoded, is cut short, or holds more than `maxPixels` pixels (at most
// URasterPicture::kMaxPixels); the size is read from the header before anything else is
// allocated, and a file longer than such a picture can need is not read at all.
LUMSEL_API bool ReadImageFile(const char* path, URasterPicture& picture,
                              int64_t maxPixels = URasterPicture::kMaxPixels);
