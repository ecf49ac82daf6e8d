#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <string>

#include "tests/support/freeimage_picture.h"

// Pictures for the tile tests, made and read through FreeImage.

// Pixel (x, y) of a 32-bit picture, y from the top.
inline uint32_t PixelAt(FIBITMAP* bitmap, int x, int y) {
  const BYTE* pixel =
      FreeImage_GetScanLine(bitmap, static_cast<int>(FreeImage_GetHeight(bitmap)) - 1 - y) + x * 4;
  return uint32_t{pixel[FI_RGBA_ALPHA]} << 24 | uint32_t{pixel[FI_RGBA_RED]} << 16 |
         uint32_t{pixel[FI_RGBA_GREEN]} << 8 | uint32_t{pixel[FI_RGBA_BLUE]};
}

// Reads a picture file as 32 bits a pixel; null when it cannot be read.
inline TBitmap ReadPicture(const std::string& path) {
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
  if (format == FIF_UNKNOWN) {
    return nullptr;
  }
  TBitmap loaded(FreeImage_Load(format, path.c_str(), 0));
  if (loaded == nullptr) {
    return nullptr;
  }
  return TBitmap(FreeImage_ConvertTo32Bits(loaded.get()));
}

inline bool SavePicture(FIBITMAP* bitmap, const std::string& path, FREE_IMAGE_FORMAT format) {
  return FreeImage_Save(format, bitmap, path.c_str(), 0) != 0;
}

// A colour made from a tile's number and a position inside the tile, different for every tile
// and for every pixel of a tile (so that each mirror image differs), opaque.
inline uint32_t TileColor(int tile, int x, int y) {
  return 0xFF000000u | (static_cast<uint32_t>(tile * 37 + 1) & 0xFFFF) << 8 |
         static_cast<uint32_t>((x * 16 + y) & 0xFF);
}
