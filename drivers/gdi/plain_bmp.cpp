#include "drivers/gdi/plain_bmp.h"

#include <algorithm>
#include <array>
#include <bit>
#include <utility>

namespace {

constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitFields = 3;
constexpr uint32_t kBiAlphaBitFields = 6;
constexpr size_t kFileHeaderBytes = 14;
constexpr size_t kPlainInfoBytes = 40;

uint32_t Read16(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8;
}

uint32_t Read32(const uint8_t* p) {
  return Read16(p) | Read16(p + 2) << 16;
}

void Put16(std::vector<uint8_t>& out, uint32_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
  Put16(out, value & 0xFFFFu);
  Put16(out, value >> 16);
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
  int32_t width = 0;
  int32_t height = 0;  // as stored: negative for top-down rows
  int64_t rows = 0;    // the number of rows
  uint32_t bpp = 0;
  uint32_t compression = 0;
  uint32_t pixelsAt = 0;
  std::array<TChannel, 4> channels;  // red, green, blue, alpha, for 16 and 32 bits
  std::vector<uint8_t> palette;      // 4 bytes an entry: blue, green, red, unused
};

bool ValidDepthAndCompression(uint32_t bpp, uint32_t compression) {
  switch (bpp) {
    case 1:
      return compression == kBiRgb;
    case 4:
      return compression == kBiRgb || compression == kBiRle4;
    case 8:
      return compression == kBiRgb || compression == kBiRle8;
    case 16:
    case 32:
      return compression == kBiRgb || compression == kBiBitFields ||
             compression == kBiAlphaBitFields;
    case 24:
      return compression == kBiRgb;
    default:
      return false;
  }
}

bool ReadHeader(const uint8_t* data, size_t size, int64_t maxPixels, THeader* h) {
  if (size < kFileHeaderBytes + 4 || data[0] != 'B' || data[1] != 'M') {
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
  h->height = static_cast<int32_t>(Read32(info + 8));
  h->rows = h->height < 0 ? -int64_t{h->height} : h->height;
  h->bpp = Read16(info + 14);
  h->compression = Read32(info + 16);
  if (h->width < 1 || h->rows < 1 || h->rows > maxPixels || h->width * h->rows > maxPixels ||
      !ValidDepthAndCompression(h->bpp, h->compression)) {
    return false;
  }
  const bool runLength = h->compression == kBiRle8 || h->compression == kBiRle4;
  if (runLength && h->height < 0) {
    return false;  // run-length data is stored bottom-up only
  }

  size_t afterInfo = kFileHeaderBytes + infoBytes;
  std::array<uint32_t, 4> masks = {};
  if (h->compression == kBiBitFields || h->compression == kBiAlphaBitFields) {
    // The masks follow a 40-byte header; the longer headers hold them in place.
    const bool withAlpha = h->compression == kBiAlphaBitFields || infoBytes >= 56;
    const size_t maskBytes = withAlpha ? 16 : 12;
    const size_t masksAt = kFileHeaderBytes + kPlainInfoBytes;
    if (infoBytes == kPlainInfoBytes) {
      afterInfo += maskBytes;
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
    masks = {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0};
  }
  const uint32_t widest = h->bpp == 16 ? 0xFFFFu : 0xFFFFFFFFu;
  for (size_t i = 0; i < masks.size(); ++i) {
    if ((masks[i] & ~widest) != 0 || !h->channels[i].Set(masks[i])) {
      return false;
    }
  }

  if (h->bpp <= 8) {
    const uint32_t entries = uint32_t{1} << h->bpp;
    const uint32_t used = Read32(info + 32);
    const uint32_t stored = used == 0 || used > entries ? entries : used;
    if (size < afterInfo + size_t{stored} * 4) {
      return false;
    }
    // Entries the file leaves out are black; the unused fourth byte is cleared.
    h->palette.assign(size_t{entries} * 4, 0);
    for (size_t i = 0; i < stored; ++i) {
      std::copy_n(data + afterInfo + 4 * i, 3, h->palette.begin() + static_cast<long>(4 * i));
    }
  }
  return true;
}

const TChannel& Red(const THeader& h) {
  return h.channels[0];
}
const TChannel& Green(const THeader& h) {
  return h.channels[1];
}
const TChannel& Blue(const THeader& h) {
  return h.channels[2];
}
const TChannel& Alpha(const THeader& h) {
  return h.channels[3];
}

bool MasksAre(const THeader& h, uint32_t red, uint32_t green, uint32_t blue) {
  return Red(h).mask == red && Green(h).mask == green && Blue(h).mask == blue;
}

// How the pixels are brought to the plain form.
enum class TPixelForm {
  kCopied,             // the rows as they are
  kCopiedAsBitFields,  // the rows as they are, 5-6-5 with its masks
  kExpandedRuns,       // run-length data expanded to 8 bits
  kConvertedTo32,      // bit fields decoded to blue, green, red, alpha bytes
};

TPixelForm FormOf(const THeader& h) {
  if (h.compression == kBiRle8 || h.compression == kBiRle4) {
    return TPixelForm::kExpandedRuns;
  }
  if (h.bpp == 16 && Alpha(h).mask == 0) {
    if (MasksAre(h, 0x7C00u, 0x03E0u, 0x001Fu)) {
      return TPixelForm::kCopied;
    }
    if (MasksAre(h, 0xF800u, 0x07E0u, 0x001Fu)) {
      return TPixelForm::kCopiedAsBitFields;
    }
  }
  // FreeImage reads 32-bit pixels as blue, green, red and alpha bytes whatever the masks say.
  if (h.bpp == 32 && MasksAre(h, 0x00FF0000u, 0x0000FF00u, 0x000000FFu) &&
      (Alpha(h).mask == 0 || Alpha(h).mask == 0xFF000000u)) {
    return TPixelForm::kCopied;
  }
  return h.bpp == 16 || h.bpp == 32 ? TPixelForm::kConvertedTo32 : TPixelForm::kCopied;
}

size_t Stride(int64_t width, uint32_t bpp) {
  return static_cast<size_t>((width * bpp + 31) / 32 * 4);
}

// Appends the stored rows, in their stored order, converted as `form` says. False when the file
// holds fewer bytes than the rows need.
bool AppendRows(const uint8_t* data, size_t size, const THeader& h, TPixelForm form,
                std::vector<uint8_t>& out) {
  const size_t stride = Stride(h.width, h.bpp);
  const auto rows = static_cast<size_t>(h.rows);
  if (stride * rows > size - h.pixelsAt) {
    return false;
  }
  const uint8_t* pixels = data + h.pixelsAt;
  if (form != TPixelForm::kConvertedTo32) {
    out.insert(out.end(), pixels, pixels + stride * rows);
    return true;
  }
  const auto width = static_cast<size_t>(h.width);
  for (size_t row = 0; row < rows; ++row) {
    const uint8_t* in = pixels + row * stride;
    for (size_t x = 0; x < width; ++x) {
      const uint32_t pixel = h.bpp == 16 ? Read16(in + 2 * x) : Read32(in + 4 * x);
      out.insert(
          out.end(),
          {static_cast<uint8_t>(Blue(h).Get(pixel)), static_cast<uint8_t>(Green(h).Get(pixel)),
           static_cast<uint8_t>(Red(h).Get(pixel)), static_cast<uint8_t>(Alpha(h).Get(pixel))});
    }
  }
  return true;
}

// Appends the run-length data expanded to rows of 8-bit palette indices, bottom row first. The
// data is pairs of (count, index) and escapes: end of line, end of picture, a jump right and up,
// and literal runs padded to 16 bits. Data that ends without its end-of-picture mark is whole
// only once a line end or jump has left the last row.
bool AppendExpandedRuns(const uint8_t* data, size_t size, const THeader& h,
                        std::vector<uint8_t>& out) {
  const size_t stride = Stride(h.width, 8);
  const size_t start = out.size();
  out.resize(start + stride * static_cast<size_t>(h.rows), 0);
  const bool fourBits = h.compression == kBiRle4;
  int64_t x = 0;
  int64_t y = 0;
  auto put = [&](uint32_t index) {
    if (x < h.width && y < h.rows) {
      out[start + static_cast<size_t>(y) * stride + static_cast<size_t>(x)] =
          static_cast<uint8_t>(index);
    }
    ++x;
  };
  // The `i`th index of a run: whole bytes, or the high and then the low half of each byte.
  auto indexOf = [fourBits](uint8_t byte, int i) {
    return fourBits ? ((i & 1) == 0 ? uint32_t{byte} >> 4 : byte & 0xFu) : uint32_t{byte};
  };
  size_t p = h.pixelsAt;
  while (y < h.rows) {
    if (size - p < 2) {
      return false;
    }
    const uint8_t count = data[p];
    const uint8_t value = data[p + 1];
    p += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) {
        put(indexOf(value, i));
      }
    } else if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of picture
      return true;
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
      for (int i = 0; i < value; ++i) {
        put(indexOf(data[p + static_cast<size_t>(fourBits ? i / 2 : i)], i));
      }
      p += padded;
    }
  }
  return true;
}

}  // namespace

bool RewritePlainBmp(const uint8_t* data, size_t size, int64_t maxPixels, TPlainBmp* plain) {
  THeader h;
  if (data == nullptr || !ReadHeader(data, size, maxPixels, &h)) {
    return false;
  }
  const TPixelForm form = FormOf(h);
  const uint32_t bpp = form == TPixelForm::kExpandedRuns    ? 8
                       : form == TPixelForm::kConvertedTo32 ? 32
                                                            : h.bpp;
  if (form == TPixelForm::kExpandedRuns) {
    h.palette.resize(256 * 4, 0);  // RLE4's 16 entries, then black
  }
  const bool withMasks = form == TPixelForm::kCopiedAsBitFields;
  const size_t pixelsAt =
      kFileHeaderBytes + kPlainInfoBytes + (withMasks ? 12 : 0) + h.palette.size();

  std::vector<uint8_t> out;
  out.reserve(pixelsAt + Stride(h.width, bpp) * static_cast<size_t>(h.rows));
  out.insert(out.end(), {'B', 'M'});
  Put32(out, 0);  // the file size, set below
  Put32(out, 0);
  Put32(out, static_cast<uint32_t>(pixelsAt));
  Put32(out, kPlainInfoBytes);
  Put32(out, static_cast<uint32_t>(h.width));
  Put32(out, static_cast<uint32_t>(h.height));
  Put16(out, 1);  // planes
  Put16(out, bpp);
  Put32(out, withMasks ? kBiBitFields : kBiRgb);
  for (int i = 0; i < 5; ++i) {
    Put32(out, 0);  // image size, resolutions, colours used (all of the palette), important
  }
  if (withMasks) {
    Put32(out, Red(h).mask);
    Put32(out, Green(h).mask);
    Put32(out, Blue(h).mask);
  }
  out.insert(out.end(), h.palette.begin(), h.palette.end());
  if (!(form == TPixelForm::kExpandedRuns ? AppendExpandedRuns(data, size, h, out)
                                          : AppendRows(data, size, h, form, out))) {
    return false;
  }
  const auto fileBytes = static_cast<uint32_t>(out.size());
  for (size_t i = 0; i < 4; ++i) {
    out[2 + i] = static_cast<uint8_t>(fileBytes >> (8 * i));
  }
  plain->bytes = std::move(out);
  plain->hasAlpha = Alpha(h).mask != 0;
  return true;
}
