#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tests/support/image_variants.h"

// Bitmap files with one damaged or foreign header field each, which no reader may decode (the
// caps are those of a reader taking at most 2^26 pixels), named for the failure.
inline std::vector<std::pair<const char*, image_variants::Bytes>> DamagedBmpHeaders() {
  using image_variants::Bytes;
  using image_variants::kBmpVariants;
  std::vector<uint32_t> unused;
  const Bytes good = WriteBmp(kBmpVariants[2], &unused);  // 8-bit
  const Bytes rle = WriteBmp(kBmpVariants[5], &unused);
  const Bytes fields = WriteBmp(kBmpVariants[7], &unused);  // 16-bit 5-6-5
  auto with = [](Bytes file, size_t at, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<long>(at));
    return file;
  };
  return {
      {"not a bitmap", with(good, 0, {'P', 'M'})},
      {"an OS/2 bitmap array", with(good, 0, {'B', 'A'})},
      {"unknown header size", with(good, 14, {41})},
      {"OS/2 header size", with(good, 14, {12})},
      {"width beyond the cap", with(good, 18, {0x00, 0x00, 0x00, 0x10})},
      {"width times height beyond the cap", with(good, 18, {0x00, 0x00, 0x01, 0x00})},
      {"run-length picture beyond the cap", with(rle, 18, {0x00, 0x00, 0x00, 0x02})},
      {"negative width", with(good, 18, {0xFB, 0xFF, 0xFF, 0xFF})},
      {"zero height", with(good, 22, {0, 0, 0, 0})},
      {"most negative height", with(good, 22, {0x00, 0x00, 0x00, 0x80})},
      {"7 bits a pixel", with(good, 28, {7})},
      {"RLE4 on 8 bits", with(good, 30, {2})},
      {"JPEG inside", with(good, 30, {4})},
      {"PNG inside", with(good, 30, {5})},
      {"top-down run-length data", with(rle, 22, {0xFD, 0xFF, 0xFF, 0xFF})},
      {"pixels beyond the end", with(good, 10, {0xFF, 0xFF, 0, 0})},
      {"red bits not in one run", with(fields, 54, {0x0F, 0xF0, 0, 0})},
      {"a 16-bit mask beyond 16 bits", with(fields, 58, {0xE0, 0x07, 0x01, 0})},
  };
}
