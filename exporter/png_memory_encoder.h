#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Encodes a picture as an 8-bit RGBA PNG in memory. `rgba` holds `height` rows top first, each
// `width` pixels of red, green, blue and straight alpha. False with a reason in `error`.
bool EncodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba,
                   std::vector<unsigned char>* bytes, std::string* error);
