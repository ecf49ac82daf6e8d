#pragma once

#include <cstdint>
#include <vector>

// A rectangle of pixels inside a picture.
struct CPixelRect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
};

// The smallest rectangle holding every pixel of `rgba` (width × height, 4 bytes a pixel, alpha
// last) whose alpha is above zero; w and h are 0 when there is none.
CPixelRect OpaqueBounds(const std::vector<uint8_t>& rgba, int width, int height);

// The pixels of `rect` cut out of `rgba` (width pixels a row), rows top first.
std::vector<uint8_t> CutPixels(const std::vector<uint8_t>& rgba, int width, const CPixelRect& rect);

// Copies `pixels` (rect.w × rect.h) into `page` (page_width pixels a row) at rect.x, rect.y.
void PastePixels(const std::vector<uint8_t>& pixels, const CPixelRect& rect,
                 std::vector<uint8_t>* page, int page_width);
