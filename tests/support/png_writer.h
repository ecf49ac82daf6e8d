#pragma once

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

// Writes PNG files through libpng for tests and benchmarks that need real pictures on disk.
struct PngPicture {
  int width = 0;
  int height = 0;
  int colorType = PNG_COLOR_TYPE_RGB_ALPHA;
  int bitDepth = 8;
  bool interlaced = false;
  // Samples of each row packed as libpng expects for the colour type and depth (16-bit samples
  // big-endian), top row first.
  std::vector<std::vector<uint8_t>> rows;
  std::vector<png_color> palette;     // PNG_COLOR_TYPE_PALETTE
  std::vector<uint8_t> paletteAlpha;  // tRNS for a palette, when not empty
  bool greyKey = false;               // tRNS for grey: the sample value `keyGrey` is transparent
  uint16_t keyGrey = 0;
  bool rgbKey =
      false;  // tRNS for RGB: the colour `keyRgb` (red, green, blue samples) is transparent
  uint16_t keyRgb[3] = {};
};

inline bool WritePng(const std::string& path, const PngPicture& picture) {
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) {
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png)) != 0) {
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return false;
  }
  png_init_io(png, file);
  png_set_IHDR(png, info, static_cast<png_uint_32>(picture.width),
               static_cast<png_uint_32>(picture.height), picture.bitDepth, picture.colorType,
               picture.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (!picture.palette.empty()) {
    png_set_PLTE(png, info, picture.palette.data(), static_cast<int>(picture.palette.size()));
  }
  if (!picture.paletteAlpha.empty()) {
    png_set_tRNS(png, info, picture.paletteAlpha.data(),
                 static_cast<int>(picture.paletteAlpha.size()), nullptr);
  }
  if (picture.greyKey || picture.rgbKey) {
    png_color_16 key{};
    key.gray = picture.keyGrey;
    key.red = picture.keyRgb[0];
    key.green = picture.keyRgb[1];
    key.blue = picture.keyRgb[2];
    png_set_tRNS(png, info, nullptr, 0, &key);
  }
  png_write_info(png, info);
  std::vector<png_bytep> rows;
  for (const auto& row : picture.rows) {
    rows.push_back(const_cast<png_bytep>(row.data()));
  }
  png_write_image(png, rows.data());
  png_write_end(png, nullptr);
  png_destroy_write_struct(&png, &info);
  return std::fclose(file) == 0;
}

// An 8-bit RGBA picture from 0xAARRGGBB words, top row first.
inline PngPicture PngFromArgb(int width, int height, const std::vector<uint32_t>& argb) {
  PngPicture picture;
  picture.width = width;
  picture.height = height;
  for (int y = 0; y < height; ++y) {
    std::vector<uint8_t> row;
    for (int x = 0; x < width; ++x) {
      const uint32_t c = argb[static_cast<size_t>(y * width + x)];
      row.insert(row.end(), {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8),
                             static_cast<uint8_t>(c), static_cast<uint8_t>(c >> 24)});
    }
    picture.rows.push_back(row);
  }
  return picture;
}
