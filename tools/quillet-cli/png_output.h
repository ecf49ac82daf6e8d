#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes a 32-bit PNG with straight alpha from `bgra`: rows top first, 4 bytes a pixel in the
// order blue, green, red, alpha. Returns false with a reason in `error`.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& bgra,
              std::string& error);
