#pragma once

#include <png.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/png_writer.h"

// Small test pictures in every BMP and PNG variant a texture can come in, written byte by byte by
// the tests themselves, with the pixels a reader must decode from each (0xAARRGGBB, straight
// alpha, after the magenta rule).
namespace image_variants {

using Bytes = std::vector<uint8_t>;

// The test picture: 5 x 3 palette indices (an odd width, so rows need padding) and four colours,
// the first of them magenta.
constexpr int kW = 5;
constexpr int kH = 3;
constexpr int kIndices[kH][kW] = {{0, 1, 2, 3, 1}, {3, 2, 1, 0, 2}, {1, 1, 3, 3, 0}};
constexpr uint32_t kPalette[4] = {0x00FF00FFu, 0xFF102030u, 0xFFF0E0D0u, 0xFF00FF00u};

inline void Put16(Bytes& b, uint32_t v) {
  b.push_back(static_cast<uint8_t>(v));
  b.push_back(static_cast<uint8_t>(v >> 8));
}

inline void Put32(Bytes& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

struct BmpVariant {
  const char* name;
  int bpp;
  uint32_t compression;  // 0 RGB, 1 RLE8, 2 RLE4, 3 bit fields, 6 bit fields with alpha
  int headerSize;
  bool topDown;
  std::array<uint32_t, 4> masks;  // red, green, blue, alpha, for bit fields
};

// A channel of `color` as the mask's bits hold it, and what a reader makes of those bits.
inline uint32_t Pack(uint32_t color, uint32_t mask, int shift) {
  if (mask == 0) {
    return 0;
  }
  const int low = __builtin_ctz(mask);
  const uint32_t max = mask >> low;
  return ((((color >> shift) & 0xFF) * max / 255) << low) & mask;
}

inline uint32_t Unpack(uint32_t pixel, uint32_t mask) {
  if (mask == 0) {
    return 0;
  }
  const int low = __builtin_ctz(mask);
  return ((pixel & mask) >> low) * 255 / (mask >> low);
}

// The colour a pixel of `index` holds in the variant, 0xAARRGGBB, before the colour key, and the
// pixel bits the file stores for it.
inline uint32_t StoredPixel(const BmpVariant& v, int index, uint32_t* decoded) {
  uint32_t color = kPalette[index];
  if (v.masks[3] != 0 && index == 2) {
    color = (color & 0x00FFFFFFu) | 0x80000000u;  // partial alpha where the file has an alpha
  }
  const uint32_t pixel = Pack(color, v.masks[0], 16) | Pack(color, v.masks[1], 8) |
                         Pack(color, v.masks[2], 0) | Pack(color, v.masks[3], 24);
  *decoded = Unpack(pixel, v.masks[3]) << 24 | Unpack(pixel, v.masks[0]) << 16 |
             Unpack(pixel, v.masks[1]) << 8 | Unpack(pixel, v.masks[2]);
  return pixel;
}

// Encodes a row as run-length data: a literal run of the first three pixels, then runs of one.
inline void EncodeRow(Bytes& out, const int* row, bool fourBits) {
  out.insert(out.end(), {0, 3});
  if (fourBits) {
    out.insert(out.end(),
               {static_cast<uint8_t>(row[0] << 4 | row[1]), static_cast<uint8_t>(row[2] << 4)});
  } else {
    out.insert(out.end(), {static_cast<uint8_t>(row[0]), static_cast<uint8_t>(row[1]),
                           static_cast<uint8_t>(row[2]), 0});
  }
  for (int x = 3; x < kW; ++x) {
    const int value = row[x];
    out.insert(out.end(), {1, static_cast<uint8_t>(fourBits ? value << 4 | value : value)});
  }
  out.insert(out.end(), {0, 0});
}

// Writes the test picture as the variant asks, byte by byte, and the pixels a reader must give.
inline Bytes WriteBmp(const BmpVariant& v, std::vector<uint32_t>* expected) {
  const bool palettised = v.bpp <= 8;
  const bool runLength = v.compression == 1 || v.compression == 2;
  Bytes pixels;
  expected->assign(kW * kH, 0);
  const int stride = (kW * v.bpp + 31) / 32 * 4;
  for (int fileRow = 0; fileRow < kH; ++fileRow) {
    const int y = v.topDown ? fileRow : kH - 1 - fileRow;
    const int* row = kIndices[y];
    if (runLength) {
      EncodeRow(pixels, row, v.compression == 2);
    } else {
      Bytes line(static_cast<size_t>(stride), 0);
      for (int x = 0; x < kW; ++x) {
        const int index = v.bpp == 1 ? row[x] % 2 : row[x];
        if (v.bpp == 1) {
          line[x / 8] |= static_cast<uint8_t>(index << (7 - x % 8));
        } else if (v.bpp == 4) {
          line[x / 2] |= static_cast<uint8_t>(x % 2 == 0 ? index << 4 : index);
        } else if (v.bpp == 8) {
          line[x] = static_cast<uint8_t>(index);
        } else {
          uint32_t decoded = 0;
          const uint32_t stored = StoredPixel(v, index, &decoded);
          for (int byte = 0; byte < v.bpp / 8; ++byte) {
            line[static_cast<size_t>(x * v.bpp / 8 + byte)] =
                static_cast<uint8_t>(stored >> (8 * byte));
          }
          (*expected)[y * kW + x] = decoded;
        }
      }
      pixels.insert(pixels.end(), line.begin(), line.end());
    }
    if (palettised) {
      for (int x = 0; x < kW; ++x) {
        (*expected)[y * kW + x] = kPalette[v.bpp == 1 ? row[x] % 2 : row[x]] & 0x00FFFFFFu;
      }
    }
  }
  if (runLength) {
    pixels.insert(pixels.end(), {0, 1});
  }
  // Without an alpha mask the colour key decides alpha.
  if (v.masks[3] == 0) {
    for (uint32_t& pixel : *expected) {
      pixel = (pixel & 0x00FFFFFFu) == 0x00FF00FFu ? 0x00FF00FFu : (pixel | 0xFF000000u);
    }
  }

  Bytes info;
  Put32(info, static_cast<uint32_t>(v.headerSize));
  Put32(info, kW);
  Put32(info, static_cast<uint32_t>(v.topDown ? -kH : kH));
  Put16(info, 1);
  Put16(info, static_cast<uint32_t>(v.bpp));
  Put32(info, v.compression);
  Put32(info, static_cast<uint32_t>(pixels.size()));
  Put32(info, 2835);
  Put32(info, 2835);
  Put32(info, palettised ? (v.bpp == 1 ? 2 : 4) : 0);
  Put32(info, 0);
  const bool fields = v.compression == 3 || v.compression == 6;
  if (v.headerSize >= 52 || fields) {
    for (int i = 0; i < (v.headerSize >= 56 || v.compression == 6 ? 4 : 3); ++i) {
      Put32(info, v.masks[static_cast<size_t>(i)]);
    }
  }
  info.resize(std::max(info.size(), static_cast<size_t>(v.headerSize)), 0);
  if (palettised) {
    for (int i = 0; i < (v.bpp == 1 ? 2 : 4); ++i) {
      Put32(info, kPalette[i] & 0x00FFFFFFu);
    }
  }
  Bytes file = {'B', 'M'};
  Put32(file, static_cast<uint32_t>(14 + info.size() + pixels.size()));
  Put32(file, 0);
  Put32(file, static_cast<uint32_t>(14 + info.size()));
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

inline const BmpVariant kBmpVariants[] = {
    {"1-bit", 1, 0, 40, false, {}},
    {"4-bit", 4, 0, 40, false, {}},
    {"8-bit", 8, 0, 40, false, {}},
    {"8-bit top-down", 8, 0, 40, true, {}},
    {"RLE4", 4, 2, 40, false, {}},
    {"RLE8", 8, 1, 40, false, {}},
    {"16-bit 5-5-5", 16, 0, 40, false, {0x7C00, 0x03E0, 0x001F, 0}},
    {"16-bit 5-6-5 bit fields", 16, 3, 40, false, {0xF800, 0x07E0, 0x001F, 0}},
    {"16-bit 1-5-5-5 with alpha", 16, 6, 40, false, {0x7C00, 0x03E0, 0x001F, 0x8000}},
    {"24-bit", 24, 0, 40, false, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"24-bit top-down", 24, 0, 40, true, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"32-bit without alpha mask", 32, 0, 40, false, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"32-bit V3 header, alpha mask 0", 32, 3, 56, false, {0xFF0000, 0xFF00, 0xFF, 0}},
    {"32-bit V5 header with alpha mask", 32, 3, 124, false, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    {"32-bit V4 header top-down with alpha",
     32,
     3,
     108,
     true,
     {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
    {"32-bit alpha bit fields", 32, 6, 40, false, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}},
    {"16-bit 4-4-4 bit fields", 16, 3, 40, false, {0x0F00, 0x00F0, 0x000F, 0}},
    {"16-bit V5 header 5-6-5 top-down", 16, 3, 124, true, {0xF800, 0x07E0, 0x001F, 0}},
    {"8-bit V4 header", 8, 0, 108, false, {}},
    {"RLE8 V5 header", 8, 1, 124, false, {}},
};

struct PngVariant {
  const char* name;
  PngPicture picture;
  std::vector<uint32_t> expected;
};

// Appends a 2 x 2 picture of `colorType` and `depth` with the given rows and the pixels it must
// decode to; returns it for further settings (valid until the next append).
inline PngVariant* AddPngVariant(std::vector<PngVariant>& variants, const char* name, int colorType,
                                 int depth, std::vector<std::vector<uint8_t>> rows,
                                 std::vector<uint32_t> expected) {
  PngVariant v{name, {}, std::move(expected)};
  v.picture.width = 2;
  v.picture.height = 2;
  v.picture.colorType = colorType;
  v.picture.bitDepth = depth;
  v.picture.rows = std::move(rows);
  variants.push_back(std::move(v));
  return &variants.back();
}

inline std::vector<PngVariant> PngVariants() {
  std::vector<PngVariant> variants;
  AddPngVariant(variants, "RGBA 8", PNG_COLOR_TYPE_RGB_ALPHA, 8,
                {{255, 0, 255, 255, 10, 20, 30, 128}, {0, 0, 0, 0, 1, 2, 3, 4}},
                {0xFFFF00FFu, 0x800A141Eu, 0x00000000u, 0x04010203u});
  AddPngVariant(variants, "RGB 8 with magenta", PNG_COLOR_TYPE_RGB, 8,
                {{255, 0, 255, 10, 20, 30}, {0, 0, 0, 255, 0, 254}},
                {0x00FF00FFu, 0xFF0A141Eu, 0xFF000000u, 0xFFFF00FEu});
  AddPngVariant(variants, "RGB 16", PNG_COLOR_TYPE_RGB, 16,
                {{0xFF, 0x01, 0x00, 0xFF, 0xFF, 0x80, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC},
                 {0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF}},
                {0x00FF00FFu, 0xFF12569Au, 0xFF000000u, 0x00FF00FFu});
  AddPngVariant(variants, "grey 8", PNG_COLOR_TYPE_GRAY, 8, {{0, 255}, {128, 7}},
                {0xFF000000u, 0xFFFFFFFFu, 0xFF808080u, 0xFF070707u});
  AddPngVariant(variants, "grey 2", PNG_COLOR_TYPE_GRAY, 2, {{0b00'11'0000}, {0b01'10'0000}},
                {0xFF000000u, 0xFFFFFFFFu, 0xFF555555u, 0xFFAAAAAAu});
  AddPngVariant(
      variants, "grey and alpha 16", PNG_COLOR_TYPE_GRAY_ALPHA, 16,
      {{0x40, 0x00, 0xFF, 0xFF, 0x80, 0xFF, 0x10, 0x00}, {0, 0, 0, 0, 0xFF, 0xFF, 0x7F, 0xFF}},
      {0xFF404040u, 0x10808080u, 0x00000000u, 0x7FFFFFFFu});
  PngVariant* keyed =
      AddPngVariant(variants, "grey 8 with a transparent value", PNG_COLOR_TYPE_GRAY, 8,
                    {{9, 10}, {255, 9}}, {0x00090909u, 0xFF0A0A0Au, 0xFFFFFFFFu, 0x00090909u});
  keyed->picture.greyKey = true;
  keyed->picture.keyGrey = 9;
  PngVariant* palette =
      AddPngVariant(variants, "palette with transparency", PNG_COLOR_TYPE_PALETTE, 4,
                    {{0x01}, {0x23}}, {0x00FF00FFu, 0x80102030u, 0xFFF0E0D0u, 0xFF00FF00u});
  palette->picture.palette = {{255, 0, 255}, {0x10, 0x20, 0x30}, {0xF0, 0xE0, 0xD0}, {0, 255, 0}};
  palette->picture.paletteAlpha = {0, 0x80};  // entries past the chunk stay opaque
  PngVariant* plain =
      AddPngVariant(variants, "palette with magenta", PNG_COLOR_TYPE_PALETTE, 8, {{0, 1}, {1, 0}},
                    {0x00FF00FFu, 0xFF102030u, 0xFF102030u, 0x00FF00FFu});
  plain->picture.palette = {{255, 0, 255}, {0x10, 0x20, 0x30}};
  PngVariant* interlaced =
      AddPngVariant(variants, "interlaced RGBA", PNG_COLOR_TYPE_RGB_ALPHA, 8,
                    {{1, 2, 3, 4, 5, 6, 7, 8}, {9, 10, 11, 12, 13, 14, 15, 16}},
                    {0x04010203u, 0x08050607u, 0x0C090A0Bu, 0x100D0E0Fu});
  interlaced->picture.interlaced = true;
  return variants;
}

}  // namespace image_variants
