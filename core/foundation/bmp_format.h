#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/core_api.h"

// A Windows bitmap decoded to 32-bit 0xAARRGGBB words with straight alpha, top row first.
struct CORE_API TBmpPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;
  // Whether the picture has an alpha channel: its alpha bits (the alpha mask of 16- and 32-bit
  // bit fields, or the fourth byte of a plain 32-bit bitmap) are not zero in every pixel. Writers
  // often leave those bits zero; such a picture, like every other one without alpha bits, is
  // opaque: its pixels carry alpha 255, and the caller applies the colour key it uses.
  bool hasAlpha = false;
};

// Decodes the bitmap file in `data` (`size` bytes) into `picture`. Takes the 40-byte info header
// and its longer forms (52 and 56 bytes with masks in place, V4, V5); 1, 4 and 8 bits with
// palettes (entries the file leaves out, and indices past it, are black); RLE4 and RLE8 (runs
// past the end of a row are cut there, pixels the data never reaches keep palette entry 0, and
// data that ends without its end-of-picture mark is whole once a line end or jump has left the
// last row); 16 and 32 bits plain or through bit fields of contiguous bits, each channel scaled
// to 8 bits as value * 255 / largest value; 24 bits; rows bottom-up and top-down. False, leaving
// `picture` unspecified, for a file that is not such a bitmap, is damaged or cut short, or holds
// more than `maxPixels` pixels; the size is checked before anything is allocated.
CORE_API bool DecodeBmp(const uint8_t* data, size_t size, int64_t maxPixels, TBmpPicture* picture);
