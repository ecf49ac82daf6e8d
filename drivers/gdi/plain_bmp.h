#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A Windows bitmap file rewritten into the one plain form that FreeImage decodes the way the
// texture rules define: a 40-byte header; 1, 4 or 8 bits with a full palette (entries the file
// leaves out are black), 16 bits as 5-5-5 or 5-6-5, 24 bits, or 32 bits as blue, green, red and
// alpha bytes. FreeImage itself refuses the longer headers (V3, V4, V5) and bit fields with an
// alpha mask, ignores the masks of 32-bit pictures, and decodes damaged run-length data in ways
// of its own, so those forms are brought to the plain one here.
struct TPlainBmp {
  std::vector<uint8_t> bytes;  // the rewritten file
  // Whether the picture has an alpha channel: 32 bits or bit fields with a non-zero alpha mask.
  // Every other picture (a plain 32-bit one too, whose fourth byte the format leaves unused)
  // follows the magenta rule.
  bool hasAlpha = false;
};

// Rewrites the bitmap file in `data` (`size` bytes) into `plain`. Takes 1, 4 and 8 bits with
// palettes, RLE4 and RLE8 (expanded to 8 bits: runs past the end of a row are cut there, pixels
// the data never reaches keep palette entry 0), 16 and 32 bits through bit fields of
// contiguous bits, 24 bits; bottom-up and top-down. False for a file that is not such a bitmap,
// is damaged or cut short, or holds more than `maxPixels` pixels; the size is checked before
// anything is allocated.
bool RewritePlainBmp(const uint8_t* data, size_t size, int64_t maxPixels, TPlainBmp* plain);
