#pragma once

#include <cstdint>
#include <vector>

#include "exporter/export_picture.h"

// A rectangle of pixels inside a picture.
struct CPixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// The order of the colour bytes of a picture's pixels; alpha is last in both.
enum class PixelOrder { Rgba, Bgra };

// The smallest rectangle of the `width` x `height` picture at the top-left corner of `pixels`
// (`stride` pixels a row, 4 bytes a pixel, alpha last) that holds every pixel whose alpha is above
// zero; w and h are 0 when there is none.
CPixelRect OpaqueBounds(const uint8_t* pixels, int stride, int width, int height);

// What the `width` x `height` picture at the top-left corner of `pixels` (`stride` pixels a row,
// 4 bytes a pixel) draws: its smallest rectangle holding every pixel whose alpha is above zero,
// cut out as red, green, blue, alpha.
CPictureBits TrimPicture(const uint8_t* pixels, int stride, int width, int height,
                         PixelOrder order);

// The whole `width` x `height` canvas that `bits` was trimmed from, transparent around them.
std::vector<uint8_t> CanvasPixels(const CPictureBits& bits, int width, int height);

// Whether `bits` is there and lies inside a `width` x `height` canvas with all of its pixels.
bool FitsCanvas(const std::shared_ptr<const CPictureBits>& bits, int width, int height);

// Copies `pixels` (rect.w × rect.h) into `page` (page_width pixels a row) at rect.x, rect.y.
void PastePixels(const std::vector<uint8_t>& pixels, const CPixelRect& rect,
                 std::vector<uint8_t>* page, int page_width);
