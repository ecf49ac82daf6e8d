#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <functional>
#include <memory>

// Pictures made in memory through FreeImage, for tests that write real image files.

struct BitmapUnloader {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TBitmap = std::unique_ptr<FIBITMAP, BitmapUnloader>;

// The colour of pixel (x, y), y from the top, 0xAARRGGBB.
using TColorAt = std::function<uint32_t(int x, int y)>;

// A new 32-bit (or 24-bit, alpha dropped) picture; null when it cannot be allocated.
inline TBitmap MakePicture(int width, int height, const TColorAt& color_at, int bpp = 32) {
  TBitmap bitmap(FreeImage_Allocate(width, height, bpp));
  if (bitmap == nullptr) {
    return nullptr;
  }
  const int bytes = bpp / 8;
  for (int y = 0; y < height; ++y) {
    BYTE* line = FreeImage_GetScanLine(bitmap.get(), height - 1 - y);
    for (int x = 0; x < width; ++x) {
      const uint32_t color = color_at(x, y);
      BYTE* pixel = line + x * bytes;
      pixel[FI_RGBA_BLUE] = static_cast<BYTE>(color);
      pixel[FI_RGBA_GREEN] = static_cast<BYTE>(color >> 8);
      pixel[FI_RGBA_RED] = static_cast<BYTE>(color >> 16);
      if (bpp == 32) {
        pixel[FI_RGBA_ALPHA] = static_cast<BYTE>(color >> 24);
      }
    }
  }
  return bitmap;
}
