#pragma once

#include <cstdint>

// Effects that travel with one surface draw. Producers zero the whole record, set `size` to 16,
// then set bits and values; a null record means a plain draw.
struct BLTFX {
  uint32_t size = 16;
  uint32_t flags = 0;
  float angle = 0.0f;  // degrees, with BLTFX_ROTATE
  uint32_t color = 0;  // 0xAARRGGBB, with BLTFX_COLOR
};
static_assert(sizeof(BLTFX) == 16);

enum : uint32_t {
  BLTFX_MIRRORX = 0x2,  // mirror the source left to right
  BLTFX_MIRRORY = 0x4,  // mirror the source top to bottom
  BLTFX_ROT180 = 0x10,  // quarter turns: recorded, drawn unrotated by every driver
  BLTFX_ROT270 = 0x20,
  BLTFX_ROT90 = 0x40,
  BLTFX_ROTATE = 0x80,  // free rotation by `angle` about the centre of the destination
  BLTFX_COLOR = 0x100,  // multiply the texels by `color`; its alpha gives translucency
};

// The colour key used throughout: magenta marks transparent pixels.
inline constexpr uint32_t kColorKeyMagenta = 0x00FF00FF;
