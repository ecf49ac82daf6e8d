#pragma once

#include <cstddef>
#include <cstdint>

#include "drivers/gdi/blend_rows.h"

// The one-pixel rules of URasterPicture::Blend, shared by every row loop: the scalar loop is made
// of them, and the vector loops finish a row's last few pixels with them.

// Each 8-bit channel of `x` times `a` / 255, rounded to nearest: the product of a premultiplied
// pixel and an alpha. Two channels at a time, 16 bits each.
inline uint32_t ByteMul(uint32_t x, uint32_t a) {
  uint32_t low = (x & 0x00FF00FFu) * a + 0x00800080u;
  low = ((low + ((low >> 8) & 0x00FF00FFu)) >> 8) & 0x00FF00FFu;
  uint32_t high = ((x >> 8) & 0x00FF00FFu) * a + 0x00800080u;
  high = (high + ((high >> 8) & 0x00FF00FFu)) & 0xFF00FF00u;
  return high | low;
}

// Source-over of one premultiplied pixel, leaving transparent pixels and the opaque colour key
// out. `opaque_key` is 0 for an unkeyed draw, which no opaque pixel equals.
inline void BlendPixel(uint32_t& target, uint32_t source, uint32_t opaque_key) {
  const uint32_t alpha = source >> 24;
  if (alpha == 255) {
    if (source != opaque_key) {
      target = source;
    }
  } else if (alpha != 0) {
    target = source + ByteMul(target, 255 - alpha);
  }
}

// The source pixel that destination pixel `i` of a row shows.
template <EColumnOrder kOrder>
inline uint32_t SourcePixel(const uint32_t* source, const int32_t* columns, size_t i) {
  if constexpr (kOrder == EColumnOrder::kForward) {
    return source[i];
  } else if constexpr (kOrder == EColumnOrder::kBackward) {
    return *(source - i);
  } else {
    return source[columns[i]];
  }
}

// Blends destination pixels `from` up to `count` of a row one at a time.
template <EColumnOrder kOrder>
inline void BlendPixels(uint32_t* target, const uint32_t* source, const int32_t* columns,
                        size_t from, size_t count, uint32_t opaque_key) {
  for (size_t i = from; i < count; ++i) {
    BlendPixel(target[i], SourcePixel<kOrder>(source, columns, i), opaque_key);
  }
}
