#pragma once

#include <cstdint>
#include <vector>

// A picture in memory: rows top first, 4 bytes a pixel in the order blue, green, red, alpha,
// straight alpha.
struct BgraPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> pixels;
};

// The smallest part of `picture` that holds every pixel with some alpha; an empty picture when
// nothing was drawn.
BgraPicture CropToDrawn(const BgraPicture& picture);

// Fits `picture` into a transparent square of `size` x `size` pixels, keeping its aspect and
// centring it. A picture larger than the square shrinks smoothly (each pixel the alpha-weighted
// average of the pixels it covers); a smaller one grows by the largest whole factor that fits,
// pixel for pixel, so pixel art stays sharp; it never grows otherwise.
BgraPicture FitIntoSquare(const BgraPicture& picture, int size);
