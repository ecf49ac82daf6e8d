#include "exporter/picture_trim.h"

#include <algorithm>
#include <cstring>

namespace {

const uint8_t* Row(const uint8_t* pixels, int stride, int y) {
  return pixels + static_cast<size_t>(y) * static_cast<size_t>(stride) * 4;
}

}  // namespace

CPixelRect OpaqueBounds(const uint8_t* pixels, int stride, int width, int height) {
  int left = width;
  int right = -1;
  int top = height;
  int bottom = -1;
  for (int y = 0; y < height; ++y) {
    const uint8_t* row = Row(pixels, stride, y);
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

CPictureBits TrimPicture(const uint8_t* pixels, int stride, int width, int height,
                         PixelOrder order) {
  const CPixelRect opaque = OpaqueBounds(pixels, stride, width, height);
  CPictureBits bits{opaque.x, opaque.y, opaque.w, opaque.h, {}};
  const size_t rowBytes = static_cast<size_t>(opaque.w) * 4;
  bits.rgba.resize(rowBytes * static_cast<size_t>(opaque.h));
  for (int y = 0; y < opaque.h; ++y) {
    std::memcpy(bits.rgba.data() + static_cast<size_t>(y) * rowBytes,
                Row(pixels, stride, opaque.y + y) + static_cast<size_t>(opaque.x) * 4, rowBytes);
  }
  if (order == PixelOrder::Bgra) {
    for (size_t i = 0; i < bits.rgba.size(); i += 4) {
      std::swap(bits.rgba[i], bits.rgba[i + 2]);
    }
  }
  return bits;
}

std::vector<uint8_t> CanvasPixels(const CPictureBits& bits, int width, int height) {
  std::vector<uint8_t> canvas(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  PastePixels(bits.rgba, {bits.x, bits.y, bits.w, bits.h}, &canvas, width);
  return canvas;
}

bool FitsCanvas(const std::shared_ptr<const CPictureBits>& bits, int width, int height) {
  if (bits == nullptr || bits->w < 0 || bits->h < 0 || bits->x < 0 || bits->y < 0 ||
      bits->x > width - bits->w || bits->y > height - bits->h) {
    return false;
  }
  return bits->rgba.size() == static_cast<size_t>(bits->w) * static_cast<size_t>(bits->h) * 4;
}

void PastePixels(const std::vector<uint8_t>& pixels, const CPixelRect& rect,
                 std::vector<uint8_t>* page, int page_width) {
  const size_t row_bytes = static_cast<size_t>(rect.w) * 4;
  for (int y = 0; y < rect.h; ++y) {
    const size_t to = (static_cast<size_t>(rect.y + y) * page_width + rect.x) * 4;
    std::memcpy(page->data() + to, pixels.data() + y * row_bytes, row_bytes);
  }
}
