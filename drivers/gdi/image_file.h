#pragma once

#include "drivers/gdi/raster_picture.h"

// Decodes the PNG or BMP file at `path` into `picture`, top row first, premultiplied. An image
// with an alpha channel (a PNG with alpha or a transparency chunk, a BMP whose alpha bits are not
// zero in every pixel) keeps its alpha; in any other image magenta pixels become transparent
// black and the rest opaque. False, leaving `picture` empty, when the file is not a regular PNG or
// BMP file, cannot be decoded, is cut short, or holds more than URasterPicture::kMaxPixels pixels;
// the size is read from the header before anything else is allocated.
bool ReadImageFile(const char* path, URasterPicture& picture);
