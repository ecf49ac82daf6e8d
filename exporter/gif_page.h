#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <memory>
#include <vector>

struct CFreeImageUnload {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TGifBitmap = std::unique_ptr<FIBITMAP, CFreeImageUnload>;

// The palette index a GIF page keeps for its transparent pixels.
constexpr int kGifTransparentIndex = 255;

// A picture of `width` x `height` straight-alpha RGBA pixels, rows top first, as an 8-bit page for
// a GIF: at most 255 colours (exact when the picture has no more, else quantised), with the pixels
// under half opacity at kGifTransparentIndex. Null when the size does not match the pixels or
// FreeImage fails.
TGifBitmap MakeGifPage(const std::vector<uint8_t>& rgba, int width, int height);
