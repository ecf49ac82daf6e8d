#include "drivers/gdi/image_file.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "core/canvas/blt_fx.h"
#include "core/foundation/bmp_format.h"
#include "core/foundation/regular_file.h"

namespace {

struct FreeImageUnloader {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TFreeImage = std::unique_ptr<FIBITMAP, FreeImageUnloader>;

// The file's bytes as FreeImage reads them, noting whether a read ever came up short: FreeImage's
// readers accept a file cut off in the middle of its pixels and hand back whatever memory held.
struct TTrackedBytes {
  const std::vector<uint8_t>* bytes = nullptr;
  size_t at = 0;
  bool ranShort = false;

  void Rewind() {
    at = 0;
    ranShort = false;
  }
};

unsigned DLL_CALLCONV ReadTracked(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  auto* tracked = static_cast<TTrackedBytes*>(handle);
  const size_t left =
      tracked->at < tracked->bytes->size() ? tracked->bytes->size() - tracked->at : 0;
  const size_t whole = size == 0 ? count : std::min<size_t>(count, left / size);
  if (whole < count) {
    tracked->ranShort = true;
  }
  if (whole > 0) {
    std::memcpy(buffer, tracked->bytes->data() + tracked->at, whole * size);
    tracked->at += whole * size;
  }
  return static_cast<unsigned>(whole);
}

int DLL_CALLCONV SeekTracked(fi_handle handle, long offset, int origin) {
  auto* tracked = static_cast<TTrackedBytes*>(handle);
  const int64_t base = origin == SEEK_SET   ? 0
                       : origin == SEEK_CUR ? static_cast<int64_t>(tracked->at)
                       : origin == SEEK_END ? static_cast<int64_t>(tracked->bytes->size())
                                            : -1;
  // Past the end is allowed, as for a file; reads there come up short.
  if (base < 0 || offset < -base || offset > INT32_MAX) {
    return -1;
  }
  tracked->at = static_cast<size_t>(base + offset);
  return 0;
}

long DLL_CALLCONV TellTracked(fi_handle handle) {
  return static_cast<long>(static_cast<TTrackedBytes*>(handle)->at);
}

// Reads the regular file at `path` whole. False for anything else (opening a named pipe would
// wait for a writer), for an empty file and for a file larger than any picture within the cap can
// need: four bytes a pixel plus room for headers, palettes and the slack of compressed streams.
bool ReadWholeFile(const char* path, int64_t maxPixels, std::vector<uint8_t>& bytes) {
  const uint64_t maxFileBytes = static_cast<uint64_t>(maxPixels) * 4 + (uint64_t{16} << 20);
  return ReadRegularFile(path, maxFileBytes, bytes) && !bytes.empty();
}

// A decoded 0xAARRGGBB pixel with straight alpha as the surface holds it: premultiplied when
// the picture keeps its alpha; otherwise opaque, with magenta made transparent black.
uint32_t SurfacePixel(uint32_t argb, bool keepsAlpha) {
  constexpr uint32_t kMagenta = kColorKeyMagenta & 0x00FFFFFFu;
  const uint32_t rgb = argb & 0x00FFFFFFu;
  if (!keepsAlpha) {
    return rgb == kMagenta ? 0u : 0xFF000000u | rgb;
  }
  return PremultipliedPixel(argb);
}

// Copies a 32-bit FreeImage picture (bottom row first, bytes blue, green, red, alpha with
// straight alpha) into `picture`, top row first.
void CopyPixels(FIBITMAP* rgba, bool keepsAlpha, URasterPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  for (int y = 0; y < height; ++y) {
    const BYTE* source = FreeImage_GetScanLine(rgba, height - 1 - y);
    uint32_t* target = picture.Row(y);
    for (int x = 0; x < width; ++x, source += 4) {
      const uint32_t argb = uint32_t{source[FI_RGBA_ALPHA]} << 24 |
                            uint32_t{source[FI_RGBA_RED]} << 16 |
                            uint32_t{source[FI_RGBA_GREEN]} << 8 | source[FI_RGBA_BLUE];
      target[x] = SurfacePixel(argb, keepsAlpha);
    }
  }
}

// Copies 16-bit grey samples, as FreeImage gives them for a grey PNG of 16 bits without alpha,
// into `picture` as opaque grey: each sample keeps its high byte, as for every 16-bit PNG.
void CopyGrey16(FIBITMAP* grey, URasterPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  for (int y = 0; y < height; ++y) {
    const auto* source =
        reinterpret_cast<const uint16_t*>(FreeImage_GetScanLine(grey, height - 1 - y));
    uint32_t* target = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      const uint32_t level = source[x] >> 8;
      target[x] = 0xFF000000u | level << 16 | level << 8 | level;
    }
  }
}

// Decodes a bitmap file of at most `maxPixels` pixels through Core's decoder into `picture`; false
// leaves it empty.
bool ReadBmp(const std::vector<uint8_t>& bytes, int64_t maxPixels, URasterPicture& picture) {
  TBmpPicture bmp;
  if (!DecodeBmp(bytes.data(), bytes.size(), maxPixels, &bmp) ||
      !picture.Create(bmp.width, bmp.height)) {
    return false;
  }
  const uint32_t* source = bmp.pixels.data();
  for (int y = 0; y < bmp.height; ++y) {
    uint32_t* target = picture.Row(y);
    for (int x = 0; x < bmp.width; ++x) {
      target[x] = SurfacePixel(*source++, bmp.hasAlpha);
    }
  }
  return true;
}

}  // namespace

bool ReadImageFile(const char* path, URasterPicture& picture, int64_t maxPixels) {
  picture.Free();
  maxPixels = std::clamp<int64_t>(maxPixels, 0, URasterPicture::kMaxPixels);
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, maxPixels, bytes)) {
    return false;
  }
  // Only the texture formats, the ones both canvas drivers read, so that a picture looks the same
  // under either; leaving FreeImage's other decoders out also keeps hostile files of formats no
  // texture uses away from them. Bitmaps go through Core's decoder, which both drivers share.
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    return ReadBmp(bytes, maxPixels, picture);
  }
  FIMEMORY* memory = FreeImage_OpenMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromMemory(memory, 0);
  FreeImage_CloseMemory(memory);
  if (format != FIF_PNG) {
    return false;
  }
  TTrackedBytes tracked{&bytes};
  FreeImageIO io{ReadTracked, nullptr, SeekTracked, TellTracked};

  // The header alone first, so that a size beyond the cap is refused before any allocation.
  {
    const TFreeImage header(FreeImage_LoadFromHandle(format, &io, &tracked, FIF_LOAD_NOPIXELS));
    if (header == nullptr) {
      return false;
    }
    const int64_t width = FreeImage_GetWidth(header.get());
    const int64_t height = FreeImage_GetHeight(header.get());
    if (width <= 0 || height <= 0 || width * height > maxPixels) {
      return false;
    }
  }

  tracked.Rewind();
  const TFreeImage loaded(FreeImage_LoadFromHandle(format, &io, &tracked, 0));
  if (loaded == nullptr || tracked.ranShort) {
    return false;
  }
  const auto width = static_cast<int>(FreeImage_GetWidth(loaded.get()));
  const auto height = static_cast<int>(FreeImage_GetHeight(loaded.get()));
  // The full load must agree with the header that was checked against the cap.
  if (int64_t{width} * height > maxPixels) {
    return false;
  }
  const FREE_IMAGE_TYPE type = FreeImage_GetImageType(loaded.get());
  if (type == FIT_UINT16) {  // grey of 16 bits, which FreeImage does not convert to 32 bits
    if (!picture.Create(width, height)) {
      return false;
    }
    CopyGrey16(loaded.get(), picture);
    return true;
  }
  const bool is_rgba = type == FIT_BITMAP && FreeImage_GetBPP(loaded.get()) == 32;
  // A PNG has alpha when FreeImage gives 32 bits, or a picture it calls transparent (16-bit
  // samples with alpha, a palette with a transparency table), which the conversion to 32 bits
  // turns into alpha.
  const bool keeps_alpha = is_rgba || FreeImage_IsTransparent(loaded.get());
  TFreeImage converted;
  if (!is_rgba) {
    converted.reset(FreeImage_ConvertTo32Bits(loaded.get()));
    if (converted == nullptr) {
      return false;
    }
  }
  FIBITMAP* rgba = is_rgba ? loaded.get() : converted.get();
  if (FreeImage_GetWidth(rgba) != static_cast<unsigned>(width) ||
      FreeImage_GetHeight(rgba) != static_cast<unsigned>(height) ||
      !picture.Create(width, height)) {
    return false;
  }
  CopyPixels(rgba, keeps_alpha, picture);
  return true;
}
