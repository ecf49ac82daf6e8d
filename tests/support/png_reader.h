#pragma once

#include <png.h>

#include <cstdint>
#include <vector>

// A PNG decoded from memory through libpng for tests and benchmarks: 8-bit RGBA, straight
// alpha, rows top first.
struct DecodedPng {
  int w = 0;  // 0 x 0 when the bytes are no PNG libpng reads
  int h = 0;
  std::vector<uint8_t> rgba;
};

inline DecodedPng DecodePng(const std::vector<unsigned char>& bytes) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  DecodedPng out;
  if (png_image_begin_read_from_memory(&image, bytes.data(), bytes.size()) == 0) {
    return out;
  }
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr) != 0) {
    out.w = static_cast<int>(image.width);
    out.h = static_cast<int>(image.height);
  }
  return out;
}
