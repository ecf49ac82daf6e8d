#pragma once

#include <FreeImage.h>

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

// Reading and writing the pictures of the tile formats through FreeImage, with the checks that
// untrusted files need. Internal to Core.

// No picture the tile formats make or read may hold more pixels than this, so that no size read
// from a file can ask for gigabytes.
inline constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

struct FreeImageUnloader {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TFreeImagePtr = std::unique_ptr<FIBITMAP, FreeImageUnloader>;

// Whether a picture of this size is positive and within kMaxPicturePixels.
bool IsPictureSizeAllowed(int64_t width, int64_t height);

// Loads the picture file at `path` as a 32-bit bitmap (owned by the caller), or null with the
// reason in `error`. The format comes from the file's content, else (when `typeFromName` is set)
// from its name, and must be readable. The header is read first and its size checked against
// kMaxPicturePixels before any pixel is allocated; a file cut short is refused.
TFreeImagePtr LoadPicture32(const std::string& path, bool typeFromName, std::string& error);

// Saves `bitmap` at `path` in the format its extension names (as 24 bits when the format takes
// no 32-bit pictures). The picture goes to a temporary file beside the target, renamed over it
// only when everything was written. False with the reason in `error`.
bool SavePicture(FIBITMAP* bitmap, const std::string& path, std::string& error);

// The 0xAARRGGBB colour of pixel (x, y) of a 32-bit bitmap, y counted from the bottom row.
inline uint32_t ReadPixel32(FIBITMAP* bitmap, unsigned x, unsigned y) {
  const BYTE* pixel = FreeImage_GetScanLine(bitmap, static_cast<int>(y)) + size_t{x} * 4;
  return uint32_t{pixel[FI_RGBA_ALPHA]} << 24 | uint32_t{pixel[FI_RGBA_RED]} << 16 |
         uint32_t{pixel[FI_RGBA_GREEN]} << 8 | uint32_t{pixel[FI_RGBA_BLUE]};
}

// Whether a 32-bit FreeImage pixel's bytes, read as one native integer, are already 0xAARRGGBB,
// so that whole rows can be copied at once.
inline constexpr bool kPixelsAreNativeArgb = std::endian::native == std::endian::little &&
                                             FI_RGBA_BLUE == 0 && FI_RGBA_GREEN == 1 &&
                                             FI_RGBA_RED == 2 && FI_RGBA_ALPHA == 3;

// Copies row `row` (FreeImage's numbering, from the bottom) of a 32-bit bitmap into `out` as
// 0xAARRGGBB values, and back.
inline void ReadRow32(FIBITMAP* bitmap, unsigned row, uint32_t* out) {
  const BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(row));
  const unsigned width = FreeImage_GetWidth(bitmap);
  if constexpr (kPixelsAreNativeArgb) {
    std::memcpy(out, line, size_t{width} * 4);
  } else {
    for (unsigned x = 0; x < width; ++x, line += 4) {
      out[x] = uint32_t{line[FI_RGBA_ALPHA]} << 24 | uint32_t{line[FI_RGBA_RED]} << 16 |
               uint32_t{line[FI_RGBA_GREEN]} << 8 | uint32_t{line[FI_RGBA_BLUE]};
    }
  }
}

inline void WritePixel32(BYTE* pixel, uint32_t color);

inline void WriteRow32(FIBITMAP* bitmap, unsigned row, const uint32_t* pixels) {
  BYTE* line = FreeImage_GetScanLine(bitmap, static_cast<int>(row));
  const unsigned width = FreeImage_GetWidth(bitmap);
  if constexpr (kPixelsAreNativeArgb) {
    std::memcpy(line, pixels, size_t{width} * 4);
  } else {
    for (unsigned x = 0; x < width; ++x) {
      WritePixel32(line + size_t{x} * 4, pixels[x]);
    }
  }
}

inline void WritePixel32(BYTE* pixel, uint32_t color) {
  pixel[FI_RGBA_BLUE] = static_cast<BYTE>(color);
  pixel[FI_RGBA_GREEN] = static_cast<BYTE>(color >> 8);
  pixel[FI_RGBA_RED] = static_cast<BYTE>(color >> 16);
  pixel[FI_RGBA_ALPHA] = static_cast<BYTE>(color >> 24);
}
