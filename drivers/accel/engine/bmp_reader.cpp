#include "drivers/accel/engine/bmp_reader.h"

#include <algorithm>
#include <bit>
#include <vector>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;
constexpr size_t kFileHeaderSize = 14;

uint16_t U16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | (p[1] << 8));
}

uint32_t U32(const uint8_t* p) {
  return uint32_t{p[0]} | (uint32_t{p[1]} << 8) | (uint32_t{p[2]} << 16) | (uint32_t{p[3]} << 24);
}

// One colour channel described by a bit mask, scaled to 8 bits as v * 255 / max.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  // False for a mask whose bits are not contiguous.
  bool Set(uint32_t m) {
    mask = m;
    if (m == 0) {
      return true;
    }
    shift = std::countr_zero(m);
    const uint32_t bits = m >> shift;
    if ((bits & (bits + 1)) != 0) {
      return false;
    }
    max = bits;
    return true;
  }
  uint32_t Get(uint32_t pixel) const {
    if (mask == 0) {
      return 0;
    }
    return static_cast<uint32_t>(uint64_t{(pixel & mask) >> shift} * 255 / max);
  }
};

struct Header {
  int64_t width = 0;
  int64_t height = 0;  // always positive; `topDown` gives the row order
  bool topDown = false;
  uint32_t bpp = 0;
  uint32_t compression = 0;
  uint32_t offBits = 0;
  Channel red, green, blue, alpha;
  std::vector<uint32_t> palette;  // 0x00RRGGBB
};

bool ReadHeader(const uint8_t* data, size_t size, Header* h) {
  if (size < kFileHeaderSize + 4 || data[0] != 'B' || data[1] != 'M') {
    return false;
  }
  h->offBits = U32(data + 10);
  const uint32_t infoSize = U32(data + 14);
  if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124) {
    return false;
  }
  if (size < kFileHeaderSize + infoSize) {
    return false;
  }
  const uint8_t* info = data + kFileHeaderSize;
  h->width = static_cast<int32_t>(U32(info + 4));
  const int64_t height = static_cast<int32_t>(U32(info + 8));
  h->topDown = height < 0;
  h->height = height < 0 ? -height : height;
  h->bpp = U16(info + 14);
  h->compression = U32(info + 16);
  const uint32_t colorsUsed = U32(info + 32);

  switch (h->bpp) {
    case 1:
    case 4:
    case 8:
      if (!(h->compression == kBiRgb || (h->bpp == 8 && h->compression == kBiRle8) ||
            (h->bpp == 4 && h->compression == kBiRle4))) {
        return false;
      }
      break;
    case 16:
    case 32:
      if (h->compression != kBiRgb && h->compression != kBiBitFields &&
          h->compression != kBiAlphaBitFields) {
        return false;
      }
      break;
    case 24:
      if (h->compression != kBiRgb) {
        return false;
      }
      break;
    default:
      return false;
  }
  // Run-length data is stored bottom-up only.
  if (h->topDown && (h->compression == kBiRle8 || h->compression == kBiRle4)) {
    return false;
  }

  size_t afterInfo = kFileHeaderSize + infoSize;
  if (h->compression == kBiBitFields || h->compression == kBiAlphaBitFields) {
    // Masks follow a 40-byte header; longer headers hold them in place.
    const size_t masksAt = kFileHeaderSize + 40;
    const bool withAlpha = h->compression == kBiAlphaBitFields || infoSize >= 56;
    const size_t maskBytes = withAlpha ? 16 : 12;
    if (infoSize == 40) {
      afterInfo += maskBytes;
    }
    if (size < masksAt + maskBytes) {
      return false;
    }
    const uint32_t limit = h->bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
    const uint32_t masks[4] = {U32(data + masksAt), U32(data + masksAt + 4),
                               U32(data + masksAt + 8), withAlpha ? U32(data + masksAt + 12) : 0};
    for (uint32_t mask : masks) {
      if ((mask & ~limit) != 0) {
        return false;
      }
    }
    if (!h->red.Set(masks[0]) || !h->green.Set(masks[1]) || !h->blue.Set(masks[2]) ||
        !h->alpha.Set(masks[3])) {
      return false;
    }
  } else if (h->bpp == 16) {
    h->red.Set(0x7C00);
    h->green.Set(0x03E0);
    h->blue.Set(0x001F);
  } else if (h->bpp == 32) {
    h->red.Set(0x00FF0000);
    h->green.Set(0x0000FF00);
    h->blue.Set(0x000000FF);
  }

  if (h->bpp <= 8) {
    const uint32_t maxColors = 1u << h->bpp;
    const uint32_t count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    if (size < afterInfo + size_t{count} * 4) {
      return false;
    }
    h->palette.resize(count);
    for (uint32_t i = 0; i < count; ++i) {
      h->palette[i] = U32(data + afterInfo + i * 4) & 0x00FFFFFFu;
    }
  }
  return h->offBits <= size;
}

uint32_t PaletteColor(const Header& h, uint32_t index) {
  // An index past the palette reads as black, as a zero-filled 256-entry palette would give.
  return index < h.palette.size() ? h.palette[index] : 0u;
}

size_t ImageRow(const Header& h, int64_t fileRow) {
  return static_cast<size_t>(h.topDown ? fileRow : h.height - 1 - fileRow);
}

bool DecodeUncompressed(const uint8_t* data, size_t size, const Header& h, RwImage* image) {
  // Within the cap first, so that the size product below cannot overflow.
  if (!RwImageWithinCap(h.width, h.height)) {
    return false;
  }
  const uint64_t stride = (static_cast<uint64_t>(h.width) * h.bpp + 31) / 32 * 4;
  if (stride * static_cast<uint64_t>(h.height) > size - h.offBits) {
    return false;
  }
  if (!RwImageAllocate(image, h.width, h.height)) {
    return false;
  }
  const size_t width = static_cast<size_t>(h.width);
  for (int64_t fileRow = 0; fileRow < h.height; ++fileRow) {
    const uint8_t* row = data + h.offBits + static_cast<size_t>(fileRow) * stride;
    uint32_t* out = image->pixels.data() + ImageRow(h, fileRow) * width;
    for (size_t x = 0; x < width; ++x) {
      switch (h.bpp) {
        case 1:
          out[x] = PaletteColor(h, (row[x >> 3] >> (7 - (x & 7))) & 1u);
          break;
        case 4:
          out[x] = PaletteColor(h, (row[x >> 1] >> ((x & 1) != 0 ? 0 : 4)) & 0xFu);
          break;
        case 8:
          out[x] = PaletteColor(h, row[x]);
          break;
        case 24:
          out[x] = uint32_t{row[x * 3]} | (uint32_t{row[x * 3 + 1]} << 8) |
                   (uint32_t{row[x * 3 + 2]} << 16);
          break;
        default: {  // 16 and 32 bits through their masks
          const uint32_t pixel = h.bpp == 16 ? U16(row + x * 2) : U32(row + x * 4);
          out[x] = (h.alpha.Get(pixel) << 24) | (h.red.Get(pixel) << 16) |
                   (h.green.Get(pixel) << 8) | h.blue.Get(pixel);
          break;
        }
      }
    }
  }
  return true;
}

// Run-length data: pairs of (count, value) and escapes for end of line, end of picture, a jump
// and literal runs. Pixels the data never reaches keep palette entry 0.
bool DecodeRunLength(const uint8_t* data, size_t size, const Header& h, RwImage* image) {
  if (!RwImageAllocate(image, h.width, h.height)) {
    return false;
  }
  const uint32_t background = PaletteColor(h, 0);
  std::fill(image->pixels.begin(), image->pixels.end(), background);
  const bool fourBits = h.compression == kBiRle4;
  int64_t x = 0;
  int64_t y = 0;
  auto put = [&](uint32_t index) {
    if (x < h.width && y < h.height) {
      image->pixels[ImageRow(h, y) * static_cast<size_t>(h.width) + static_cast<size_t>(x)] =
          PaletteColor(h, index);
    }
    ++x;
  };
  size_t p = h.offBits;
  while (true) {
    if (size - p < 2) {
      // Data that ends without its end-of-picture mark is whole only when every row was reached.
      return y >= h.height;
    }
    const uint8_t count = data[p];
    const uint8_t value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        put(fourBits ? ((i & 1) != 0 ? value & 0xFu : uint32_t{value} >> 4) : value);
      }
      continue;
    }
    switch (value) {
      case 0:  // end of line
        x = 0;
        ++y;
        break;
      case 1:  // end of picture
        return true;
      case 2:  // jump right and up
        if (size - p < 2) {
          return false;
        }
        x += data[p];
        y += data[p + 1];
        p += 2;
        break;
      default: {  // a literal run of `value` pixels, padded to a 16-bit boundary
        const size_t bytes = fourBits ? (value + 1u) / 2u : value;
        const size_t padded = bytes + (bytes & 1u);
        if (size - p < padded) {
          return false;
        }
        for (int i = 0; i < value; ++i) {
          const uint8_t byte = data[p + static_cast<size_t>(fourBits ? i / 2 : i)];
          put(fourBits ? ((i & 1) != 0 ? byte & 0xFu : uint32_t{byte} >> 4) : byte);
        }
        p += padded;
        break;
      }
    }
    if (y >= h.height) {
      return true;
    }
  }
}

}  // namespace

bool RwBmpRead(const uint8_t* data, size_t size, RwImage* image) {
  Header header;
  if (!ReadHeader(data, size, &header)) {
    return false;
  }
  const bool runLength = header.compression == kBiRle8 || header.compression == kBiRle4;
  if (!(runLength ? DecodeRunLength(data, size, header, image)
                  : DecodeUncompressed(data, size, header, image))) {
    image->pixels.clear();
    return false;
  }
  if (header.alpha.mask == 0) {
    RwImageApplyColorKey(image);
  }
  return true;
}
