#include "exporter/picture_trim.h"

#include <algorithm>
#include <cstring>

CPixelRect OpaqueBounds(const std::vector<uint8_t>& rgba, int width, int height) {
  int left = width;
  int right = -1;
  int top = height;
  int bottom = -1;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = rgba.data() + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x) {
      if (row[x * 4 + 3] != 0) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = y;
      }
    }
  }
  if (right < 0) {
    return {};
  }
  return {left, top, right - left + 1, bottom - top + 1};
}

std::vector<uint8_t> CutPixels(const std::vector<uint8_t>& rgba, int width,
                               const CPixelRect& rect) {
  const size_t row_bytes = static_cast<size_t>(rect.w) * 4;
  std::vector<uint8_t> pixels(row_bytes * static_cast<size_t>(rect.h));
  for (int y = 0; y < rect.h; ++y) {
    const size_t from = (static_cast<size_t>(rect.y + y) * width + rect.x) * 4;
    std::memcpy(pixels.data() + y * row_bytes, rgba.data() + from, row_bytes);
  }
  return pixels;
}

void PastePixels(const std::vector<uint8_t>& pixels, const CPixelRect& rect,
                 std::vector<uint8_t>* page, int page_width) {
  const size_t row_bytes = static_cast<size_t>(rect.w) * 4;
  for (int y = 0; y < rect.h; ++y) {
    const size_t to = (static_cast<size_t>(rect.y + y) * page_width + rect.x) * 4;
    std::memcpy(page->data() + to, pixels.data() + y * row_bytes, row_bytes);
  }
}
