#include "drivers/gdi/image_file.h"

#include <FreeImage.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "core/canvas/blt_fx.h"
#include "drivers/gdi/plain_bmp.h"

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
// wait for a writer) and for a file larger than any picture within the cap can need: four bytes
// a pixel plus room for headers, palettes and the slack of compressed streams.
bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
  constexpr uint64_t kMaxFileBytes = URasterPicture::kMaxPixels * 4 + (uint64_t{16} << 20);
  std::error_code error;
  if (path == nullptr || !std::filesystem::is_regular_file(path, error)) {
    return false;
  }
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size == 0 || size > kMaxFileBytes) {
    return false;
  }
  std::ifstream in(path, std::ios::binary);
  bytes.resize(static_cast<size_t>(size));
  return in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size)) &&
         in.gcount() == static_cast<std::streamsize>(size);
}

// Copies a 32-bit FreeImage picture (bottom row first, bytes blue, green, red, alpha with
// straight alpha) into `picture`, top row first and premultiplied.
void CopyPixels(FIBITMAP* rgba, bool keepsAlpha, URasterPicture& picture) {
  const int width = picture.Width();
  const int height = picture.Height();
  constexpr uint32_t kMagenta = kColorKeyMagenta & 0x00FFFFFFu;
  for (int y = 0; y < height; ++y) {
    const BYTE* source = FreeImage_GetScanLine(rgba, height - 1 - y);
    uint32_t* target = picture.Row(y);
    for (int x = 0; x < width; ++x, source += 4) {
      const uint32_t blue = source[FI_RGBA_BLUE];
      const uint32_t green = source[FI_RGBA_GREEN];
      const uint32_t red = source[FI_RGBA_RED];
      if (keepsAlpha) {
        const uint32_t alpha = source[FI_RGBA_ALPHA];
        target[x] = alpha << 24 | (red * alpha / 255) << 16 | (green * alpha / 255) << 8 |
                    blue * alpha / 255;
      } else {
        const uint32_t rgb = red << 16 | green << 8 | blue;
        target[x] = rgb == kMagenta ? 0u : 0xFF000000u | rgb;
      }
    }
  }
}

}  // namespace

bool ReadImageFile(const char* path, URasterPicture& picture) {
  picture.Free();
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(path, bytes)) {
    return false;
  }
  // Only the texture formats, the ones both canvas drivers read, so that a picture looks the same
  // under either; leaving FreeImage's other decoders out also keeps hostile files of formats no
  // texture uses away from them. A bitmap is first brought to the plain form whose decoding by
  // FreeImage follows the texture rules, which also checks its size against the cap.
  TPlainBmp bmp;
  FREE_IMAGE_FORMAT format = FIF_UNKNOWN;
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (!RewritePlainBmp(bytes.data(), bytes.size(), URasterPicture::kMaxPixels, &bmp)) {
      return false;
    }
    format = FIF_BMP;
  } else {
    FIMEMORY* memory = FreeImage_OpenMemory(bytes.data(), static_cast<DWORD>(bytes.size()));
    format = FreeImage_GetFileTypeFromMemory(memory, 0);
    FreeImage_CloseMemory(memory);
    if (format != FIF_PNG) {
      return false;
    }
  }
  TTrackedBytes tracked{format == FIF_BMP ? &bmp.bytes : &bytes};
  FreeImageIO io{ReadTracked, nullptr, SeekTracked, TellTracked};

  // The header alone first, so that a size beyond the cap is refused before any allocation.
  {
    const TFreeImage header(FreeImage_LoadFromHandle(format, &io, &tracked, FIF_LOAD_NOPIXELS));
    if (header == nullptr) {
      return false;
    }
    const int64_t width = FreeImage_GetWidth(header.get());
    const int64_t height = FreeImage_GetHeight(header.get());
    if (width <= 0 || height <= 0 || width * height > URasterPicture::kMaxPixels) {
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
  const bool is_rgba =
      FreeImage_GetImageType(loaded.get()) == FIT_BITMAP && FreeImage_GetBPP(loaded.get()) == 32;
  // A bitmap has alpha only through an alpha mask (its plain 32-bit form carries the fourth byte
  // either way); a PNG has it when FreeImage gives 32 bits or a palette with a transparency table,
  // which the conversion to 32 bits turns into alpha.
  const bool keeps_alpha =
      format == FIF_BMP ? bmp.hasAlpha : is_rgba || FreeImage_IsTransparent(loaded.get());
  TFreeImage converted;
  if (!is_rgba) {
    converted.reset(FreeImage_ConvertTo32Bits(loaded.get()));
    if (converted == nullptr) {
      return false;
    }
  }
  FIBITMAP* rgba = is_rgba ? loaded.get() : converted.get();
  // The full load must agree with the header that was checked against the cap.
  if (FreeImage_GetWidth(rgba) != static_cast<unsigned>(width) ||
      FreeImage_GetHeight(rgba) != static_cast<unsigned>(height) ||
      int64_t{width} * height > URasterPicture::kMaxPixels || !picture.Create(width, height)) {
    return false;
  }
  CopyPixels(rgba, keeps_alpha, picture);
  return true;
}
