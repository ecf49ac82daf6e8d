#pragma once

#include <cstdint>

// A 32-bit colour word 0xAARRGGBB. In memory on a little-endian host its bytes are blue, green,
// red, alpha; stored forms write it as one little-endian 32-bit integer.
struct RGBA {
  uint32_t color = 0;

  RGBA() = default;
  explicit RGBA(uint32_t argb) : color(argb) {}
  static RGBA FromChannels(uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
    return RGBA((uint32_t{a} << 24) | (uint32_t{r} << 16) | (uint32_t{g} << 8) | uint32_t{b});
  }

  uint8_t Red() const { return static_cast<uint8_t>(color >> 16); }
  uint8_t Green() const { return static_cast<uint8_t>(color >> 8); }
  uint8_t Blue() const { return static_cast<uint8_t>(color); }
  uint8_t Alpha() const { return static_cast<uint8_t>(color >> 24); }

  bool operator==(const RGBA& other) const { return color == other.color; }
  bool operator!=(const RGBA& other) const { return color != other.color; }
};
