#include "drivers/gdi/image_file.h"

#include <FreeImage.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>

#include "core/canvas/blt_fx.h"

namespace {

struct FreeImageUnloader {
  void operator()(FIBITMAP* bitmap) const { FreeImage_Unload(bitmap); }
};
using TFreeImage = std::unique_ptr<FIBITMAP, FreeImageUnloader>;

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

// The file FreeImage reads through, noting whether a read ever came up short: FreeImage's bitmap
// reader accepts a file cut off in the middle of its pixels and hands back whatever memory held.
struct TTrackedFile {
  std::unique_ptr<FILE, FileCloser> file;
  bool ranShort = false;

  bool Rewind() {
    ranShort = false;
    return std::fseek(file.get(), 0, SEEK_SET) == 0;
  }
};

unsigned DLL_CALLCONV ReadTracked(void* buffer, unsigned size, unsigned count, fi_handle handle) {
  auto* tracked = static_cast<TTrackedFile*>(handle);
  const size_t read = std::fread(buffer, size, count, tracked->file.get());
  if (read < count) {
    tracked->ranShort = true;
  }
  return static_cast<unsigned>(read);
}

int DLL_CALLCONV SeekTracked(fi_handle handle, long offset, int origin) {
  return std::fseek(static_cast<TTrackedFile*>(handle)->file.get(), offset, origin);
}

long DLL_CALLCONV TellTracked(fi_handle handle) {
  return std::ftell(static_cast<TTrackedFile*>(handle)->file.get());
}

// The texture formats: the ones both canvas drivers read, so that a picture looks the same under
// either, and whose readers ask for exactly the bytes a sound file holds, so that a short read
// means the file was cut off. Leaving FreeImage's other decoders out also keeps hostile files of
// formats no texture uses away from them.
bool IsTextureFormat(FREE_IMAGE_FORMAT format) {
  return format == FIF_PNG || format == FIF_BMP;
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
  std::error_code error;
  // Only regular files: opening a named pipe would wait for a writer.
  if (path == nullptr || !std::filesystem::is_regular_file(path, error)) {
    return false;
  }
  TTrackedFile tracked{std::unique_ptr<FILE, FileCloser>(std::fopen(path, "rb"))};
  if (tracked.file == nullptr) {
    return false;
  }
  FreeImageIO io{ReadTracked, nullptr, SeekTracked, TellTracked};
  const FREE_IMAGE_FORMAT format = FreeImage_GetFileTypeFromHandle(&io, &tracked, 0);
  if (!IsTextureFormat(format)) {
    return false;
  }

  // The header alone first, so that a size beyond the cap is refused before any allocation.
  if (!tracked.Rewind()) {
    return false;
  }
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

  if (!tracked.Rewind()) {
    return false;
  }
  const TFreeImage loaded(FreeImage_LoadFromHandle(format, &io, &tracked, 0));
  if (loaded == nullptr || tracked.ranShort) {
    return false;
  }
  const auto width = static_cast<int>(FreeImage_GetWidth(loaded.get()));
  const auto height = static_cast<int>(FreeImage_GetHeight(loaded.get()));
  // A 32-bit picture carries alpha; so does a paletted one with a transparency table, which the
  // conversion to 32 bits turns into alpha.
  const bool is_rgba =
      FreeImage_GetImageType(loaded.get()) == FIT_BITMAP && FreeImage_GetBPP(loaded.get()) == 32;
  const bool keeps_alpha = is_rgba || FreeImage_IsTransparent(loaded.get());
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
