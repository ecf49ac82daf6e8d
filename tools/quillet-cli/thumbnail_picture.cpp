#include "tools/quillet-cli/thumbnail_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>

#include "exporter/picture_trim.h"

namespace {

size_t Offset(int width, int x, int y) {
  return (static_cast<size_t>(y) * static_cast<size_t>(width) + static_cast<size_t>(x)) * 4;
}

BgraPicture Blank(int width, int height) {
  BgraPicture picture;
  picture.width = width;
  picture.height = height;
  picture.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height) * 4, 0);
  return picture;
}

// Copies `source` into `target` at (left, top), each source pixel a `factor` x `factor` block.
void PlaceGrown(const BgraPicture& source, int factor, int left, int top, BgraPicture& target) {
  for (int y = 0; y < source.height * factor; ++y) {
    for (int x = 0; x < source.width * factor; ++x) {
      const uint8_t* from = &source.pixels[Offset(source.width, x / factor, y / factor)];
      std::copy(from, from + 4, &target.pixels[Offset(target.width, left + x, top + y)]);
    }
  }
}

// Shrinks `source` to `width` x `height` into `target` at (left, top). Colours are weighted by
// their alpha, so the colour of transparent pixels does not bleed into the edges of the sprite.
void PlaceShrunk(const BgraPicture& source, int width, int height, int left, int top,
                 BgraPicture& target) {
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  std::vector<std::array<uint64_t, 4>> sums(count, {0, 0, 0, 0});
  std::vector<uint32_t> covered(count, 0);
  for (int y = 0; y < source.height; ++y) {
    const size_t row = static_cast<size_t>(static_cast<int64_t>(y) * height / source.height);
    for (int x = 0; x < source.width; ++x) {
      const size_t column = static_cast<size_t>(static_cast<int64_t>(x) * width / source.width);
      const uint8_t* pixel = &source.pixels[Offset(source.width, x, y)];
      std::array<uint64_t, 4>& sum = sums[row * static_cast<size_t>(width) + column];
      const uint64_t alpha = pixel[3];
      sum[0] += pixel[0] * alpha;
      sum[1] += pixel[1] * alpha;
      sum[2] += pixel[2] * alpha;
      sum[3] += alpha;
      ++covered[row * static_cast<size_t>(width) + column];
    }
  }
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const size_t index = static_cast<size_t>(y) * static_cast<size_t>(width) + x;
      const std::array<uint64_t, 4>& sum = sums[index];
      if (sum[3] == 0) {
        continue;
      }
      uint8_t* pixel = &target.pixels[Offset(target.width, left + x, top + y)];
      for (int channel = 0; channel < 3; ++channel) {
        pixel[channel] = static_cast<uint8_t>((sum[channel] + sum[3] / 2) / sum[3]);
      }
      pixel[3] = static_cast<uint8_t>((sum[3] + covered[index] / 2) / covered[index]);
    }
  }
}

}  // namespace

BgraPicture CropToDrawn(const BgraPicture& picture) {
  const CPixelRect drawn =
      OpaqueBounds(picture.pixels.data(), picture.width, picture.width, picture.height);
  if (drawn.w == 0) {
    return {};
  }
  BgraPicture cropped = Blank(drawn.w, drawn.h);
  for (int y = 0; y < cropped.height; ++y) {
    const uint8_t* from = &picture.pixels[Offset(picture.width, drawn.x, drawn.y + y)];
    std::copy(from, from + static_cast<size_t>(cropped.width) * 4,
              &cropped.pixels[Offset(cropped.width, 0, y)]);
  }
  return cropped;
}

BgraPicture FitIntoSquare(const BgraPicture& picture, int size) {
  BgraPicture square = Blank(size, size);
  if (picture.width <= size && picture.height <= size) {
    const int factor = std::min(size / picture.width, size / picture.height);
    PlaceGrown(picture, factor, (size - picture.width * factor) / 2,
               (size - picture.height * factor) / 2, square);
    return square;
  }
  const double scale = std::min(static_cast<double>(size) / picture.width,
                                static_cast<double>(size) / picture.height);
  const int width = std::clamp(static_cast<int>(std::lround(picture.width * scale)), 1, size);
  const int height = std::clamp(static_cast<int>(std::lround(picture.height * scale)), 1, size);
  PlaceShrunk(picture, width, height, (size - width) / 2, (size - height) / 2, square);
  return square;
}
