#include "core/foundation/bmp_format.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kPlainInfoBytes = 40;
constexpr uint32_t kOpaque = 0xFF000000u;

uint32_t Read16(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}

uint32_t Read32(const uint8_t* p) {
  return Read16(p) | Read16(p + 2) << 16;
}

// One channel of a bit-field pixel, scaled to 8 bits as value * 255 / largest value.
struct TChannel {
  uint32_t mask = 0;
  int shift = 0;

  // False for a mask whose bits do not form one run.
  bool Set(uint32_t bits) {
    mask = bits;
    shift = bits == 0 ? 0 : std::countr_zero(bits);
    const uint32_t run = bits >> shift;
    return (run & (run + 1)) == 0;
  }
  uint32_t Get(uint32_t pixel) const {
    if (mask == 0) {
      return 0;
    }
    return static_cast<uint32_t>(uint64_t{(pixel & mask) >> shift} * 255 / (mask >> shift));
  }
};

struct THeader {
  int64_t width = 0;
  int64_t rows = 0;
  bool topDown = false;
  uint32_t bpp = 0;
  uint32_t compression = 0;
  uint32_t pixelsAt = 0;
  TChannel red, green, blue, alpha;  // for 16 and 32 bits
  // 0xFF..RRGGBB for every index a byte can hold: entries the file leaves out are black.
  std::array<uint32_t, 256> palette{};

  bool RunLength() const { return compression == kBiRle8 || compression == kBiRle4; }
  // The row of the picture (top first) that the file's `fileRow`th stored row is.
  size_t PictureRow(int64_t fileRow) const {
    return static_cast<size_t>(topDown ? fileRow : rows - 1 - fileRow);
  }
};

bool ValidDepthAndCompression(uint32_t bpp, uint32_t compression) {
  switch (bpp) {
    case 1:
    case 24:
      return compression == kBiRgb;
    case 4:
      return compression == kBiRgb || compression == kBiRle4;
    case 8:
      return compression == kBiRgb || compression == kBiRle8;
    case 16:
    case 32:
      return compression == kBiRgb || compression == kBiBitFields ||
             compression == kBiAlphaBitFields;
    default:
      return false;
  }
}

// The masks of 16- and 32-bit pixels: from the file for bit fields, else the plain layouts, in
// which a 32-bit pixel's fourth byte is its alpha.
bool ReadMasks(const uint8_t* data, size_t size, uint32_t infoBytes, THeader* h,
               size_t* afterInfo) {
  std::array<uint32_t, 4> masks = {};
  if (h->compression == kBiBitFields || h->compression == kBiAlphaBitFields) {
    // The masks follow a 40-byte header; the longer headers hold them in place.
    const bool withAlpha = h->compression == kBiAlphaBitFields || infoBytes >= 56;
    const size_t maskBytes = withAlpha ? 16 : 12;
    const size_t masksAt = kFileHeaderBytes + kPlainInfoBytes;
    if (infoBytes == kPlainInfoBytes) {
      *afterInfo += maskBytes;
    }
    if (size < masksAt + maskBytes) {
      return false;
    }
    for (size_t i = 0; i < maskBytes / 4; ++i) {
      masks[i] = Read32(data + masksAt + 4 * i);
    }
  } else if (h->bpp == 16) {
    masks = {0x7C00u, 0x03E0u, 0x001Fu, 0};
  } else if (h->bpp == 32) {
    masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u};
  }
  const uint32_t widest = h->bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  TChannel* channels[] = {&h->red, &h->green, &h->blue, &h->alpha};
  for (size_t i = 0; i < masks.size(); ++i) {
    if ((masks[i] & ~widest) != 0 || !channels[i]->Set(masks[i])) {
      return false;
    }
  }
  return true;
}

bool ReadHeader(const uint8_t* data, size_t size, int64_t maxPixels, THeader* h) {
  if (data == nullptr || size < kFileHeaderBytes + 4 || data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  h->pixelsAt = Read32(data + 10);
  // The info header sizes of the Windows versions: 40, the 52- and 56-byte forms with masks in
  // place, V4 and V5.
  const uint32_t infoBytes = Read32(data + kFileHeaderBytes);
  if (infoBytes != 40 && infoBytes != 52 && infoBytes != 56 && infoBytes != 108 &&
      infoBytes != 124) {
    return false;
  }
  if (size < kFileHeaderBytes + infoBytes || h->pixelsAt > size) {
    return false;
  }
  const uint8_t* info = data + kFileHeaderBytes;
  h->width = static_cast<int32_t>(Read32(info + 4));
  const int64_t height = static_cast<int32_t>(Read32(info + 8));
  h->topDown = height < 0;
  h->rows = height < 0 ? -height : height;
  h->bpp = Read16(info + 14);
  h->compression = Read32(info + 16);
  // Both sides are below 2^31, so the product cannot overflow.
  if (h->width < 1 || h->rows < 1 || h->rows > maxPixels || h->width * h->rows > maxPixels ||
      h->rows > INT32_MAX || !ValidDepthAndCompression(h->bpp, h->compression)) {
    return false;
  }
  if (h->RunLength() && h->topDown) {
    return false;  // run-length data is stored bottom-up only
  }
  size_t afterInfo = kFileHeaderBytes + infoBytes;
  if (!ReadMasks(data, size, infoBytes, h, &afterInfo)) {
    return false;
  }
  if (h->bpp <= 8) {
    const uint32_t entries = uint32_t{1} << h->bpp;
    const uint32_t used = Read32(info + 32);
    const uint32_t stored = used == 0 || used > entries ? entries : used;
    if (size < afterInfo + size_t{stored} * 4) {
      return false;
    }
    h->palette.fill(kOpaque);
    for (size_t i = 0; i < stored; ++i) {
      h->palette[i] = kOpaque | (Read32(data + afterInfo + 4 * i) & 0x00FFFFFFu);
    }
  }
  return true;
}

// Rows as stored, `bpp` bits a pixel, each padded to 32 bits. False when the file holds fewer
// bytes than the rows need.
bool DecodeRows(const uint8_t* data, size_t size, const THeader& h, TBmpPicture* picture) {
  const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
  if (stride * static_cast<uint64_t>(h.rows) > size - h.pixelsAt) {
    return false;
  }
  const auto width = static_cast<size_t>(h.width);
  picture->pixels.assign(width * static_cast<size_t>(h.rows), 0u);
  uint32_t alphaBits = 0;  // every pixel's alpha bits together
  for (int64_t fileRow = 0; fileRow < h.rows; ++fileRow) {
    const uint8_t* in = data + h.pixelsAt + static_cast<size_t>(fileRow) * stride;
    uint32_t* out = picture->pixels.data() + h.PictureRow(fileRow) * width;
    for (size_t x = 0; x < width; ++x) {
      switch (h.bpp) {
        case 1:
          out[x] = h.palette[(in[x >> 3] >> (7 - (x & 7))) & 1u];
          break;
        case 4:
          out[x] = h.palette[(in[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 0xFu];
          break;
        case 8:
          out[x] = h.palette[in[x]];
          break;
        case 24:
          out[x] =
              kOpaque | uint32_t{in[3 * x + 2]} << 16 | uint32_t{in[3 * x + 1]} << 8 | in[3 * x];
          break;
        default: {  // 16 and 32 bits through their masks
          const uint32_t pixel = h.bpp == 16 ? Read16(in + 2 * x) : Read32(in + 4 * x);
          alphaBits |= pixel & h.alpha.mask;
          out[x] = h.alpha.Get(pixel) << 24 | h.red.Get(pixel) << 16 | h.green.Get(pixel) << 8 |
                   h.blue.Get(pixel);
          break;
        }
      }
    }
  }
  picture->hasAlpha = alphaBits != 0;
  if (h.bpp >= 16 && !picture->hasAlpha) {
    for (uint32_t& pixel : picture->pixels) {
      pixel |= kOpaque;
    }
  }
  return true;
}

// Run-length data, bottom row first: pairs of (count, index) and escapes for end of line, end of
// picture, a jump right and up, and literal runs padded to 16 bits.
bool DecodeRuns(const uint8_t* data, size_t size, const THeader& h, TBmpPicture* picture) {
  const auto width = static_cast<size_t>(h.width);
  picture->pixels.assign(width * static_cast<size_t>(h.rows), h.palette[0]);
  const bool fourBits = h.compression == kBiRle4;
  int64_t x = 0;
  int64_t y = 0;
  // Stores the `count` indices that `indexAt(i)` gives from x on, cut at the end of the row (or
  // dropped below the last one), and moves x past all of them in one step, so that the work
  // follows the picture and not the counts a file claims.
  auto put = [&](int count, auto indexAt) {
    if (y < h.rows && x < h.width) {
      uint32_t* row = picture->pixels.data() + h.PictureRow(y) * width;
      const int64_t shown = std::min<int64_t>(count, h.width - x);
      for (int i = 0; i < shown; ++i) {
        row[x + i] = h.palette[indexAt(i)];
      }
    }
    x += count;
  };
  // The `i`th index of a run: whole bytes, or the high and then the low half of each byte.
  auto indexOf = [fourBits](uint8_t byte, int i) {
    return fourBits ? ((i & 1) == 0 ? uint32_t{byte} >> 4 : byte & 0xFu) : uint32_t{byte};
  };
  size_t p = h.pixelsAt;
  // Data that ends without its end-of-picture mark is whole once every row was left.
  while (y < h.rows) {
    if (size - p < 2) {
      return false;
    }
    const uint8_t count = data[p];
    const uint8_t value = data[p + 1];
    p += 2;
    if (count > 0) {
      put(count, [&](int i) { return indexOf(value, i); });
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      break;
    } else if (value == 2) {  // jump
      if (size - p < 2) {
        return false;
      }
      x += data[p];
      y += data[p + 1];
      p += 2;
    } else {  // a literal run of `value` indices
      const size_t bytes = fourBits ? (value + 1u) / 2u : value;
      const size_t padded = bytes + (bytes & 1u);
      if (size - p < padded) {
        return false;
      }
      put(value,
          [&](int i) { return indexOf(data[p + static_cast<size_t>(fourBits ? i / 2 : i)], i); });
      p += padded;
    }
  }
  picture->hasAlpha = false;
  return true;
}

}  // namespace

bool DecodeBmp(const uint8_t* data, size_t size, int64_t maxPixels, TBmpPicture* picture) {
  THeader h;
  if (picture == nullptr || !ReadHeader(data, size, maxPixels, &h)) {
    return false;
  }
  picture->width = static_cast<int32_t>(h.width);
  picture->height = static_cast<int32_t>(h.rows);
  if (!(h.RunLength() ? DecodeRuns(data, size, h, picture) : DecodeRows(data, size, h, picture))) {
    picture->pixels.clear();
    return false;
  }
  return true;
}
