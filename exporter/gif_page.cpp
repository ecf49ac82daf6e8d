#include "exporter/gif_page.h"

namespace {

constexpr int kColours = kGifTransparentIndex;  // the indices below the transparent one
constexpr uint8_t kHalfOpacity = 128;

bool IsShown(const uint8_t* pixel) {
  return pixel[3] >= kHalfOpacity;
}

// The picture as 24 bits, FreeImage's rows bottom first. Hidden pixels take the colour of a shown
// one, so that they cost the quantiser no palette entry.
TGifBitmap MakeOpaqueCopy(const std::vector<uint8_t>& rgba, int width, int height) {
  TGifBitmap rgb(FreeImage_Allocate(width, height, 24));
  if (rgb == nullptr) {
    return nullptr;
  }
  const uint8_t black[4] = {0, 0, 0, 255};
  const uint8_t* filler = black;
  for (size_t i = 0; i < rgba.size(); i += 4) {
    if (IsShown(&rgba[i])) {
      filler = &rgba[i];
      break;
    }
  }
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = rgba.data() + size_t(y) * size_t(width) * 4;
    BYTE* target = FreeImage_GetScanLine(rgb.get(), height - 1 - y);
    for (int x = 0; x < width; ++x, source += 4, target += 3) {
      const uint8_t* colour = IsShown(source) ? source : filler;
      target[FI_RGBA_RED] = colour[0];
      target[FI_RGBA_GREEN] = colour[1];
      target[FI_RGBA_BLUE] = colour[2];
    }
  }
  return rgb;
}

}  // namespace

TGifBitmap MakeGifPage(const std::vector<uint8_t>& rgba, int width, int height) {
  if (width <= 0 || height <= 0 || rgba.size() != size_t(width) * size_t(height) * 4) {
    return nullptr;
  }
  const TGifBitmap rgb = MakeOpaqueCopy(rgba, width, height);
  if (rgb == nullptr) {
    return nullptr;
  }
  // The lossless quantiser keeps every colour of a picture that has few enough, as drawn sprites
  // mostly do; it refuses the others, which Wu's quantiser approximates.
  TGifBitmap page(FreeImage_ColorQuantizeEx(rgb.get(), FIQ_LFPQUANT, kColours));
  if (page == nullptr) {
    page.reset(FreeImage_ColorQuantizeEx(rgb.get(), FIQ_WUQUANT, kColours));
  }
  if (page == nullptr || FreeImage_GetBPP(page.get()) != 8) {
    return nullptr;
  }
  RGBQUAD* palette = FreeImage_GetPalette(page.get());
  palette[kGifTransparentIndex] = RGBQUAD{0, 0, 0, 0};
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = rgba.data() + size_t(y) * size_t(width) * 4;
    BYTE* target = FreeImage_GetScanLine(page.get(), height - 1 - y);
    for (int x = 0; x < width; ++x, source += 4) {
      if (!IsShown(source)) {
        target[x] = kGifTransparentIndex;
      }
    }
  }
  FreeImage_SetTransparentIndex(page.get(), kGifTransparentIndex);
  return page;
}
