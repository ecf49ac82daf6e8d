#include "tools/quillet-cli/png_output.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>

#include "core/foundation/atomic_file.h"

// Written through libpng rather than FreeImage: FreeImage stores a 32-bit picture whose alpha is
// all opaque as a 24-bit PNG, and this output is promised to be 32-bit whatever its alpha.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& bgra,
              std::string& error) {
  const size_t row_bytes = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || bgra.size() != row_bytes * static_cast<size_t>(height)) {
    error = "no picture to write";
    return false;
  }
  // The picture replaces the target only once all of it was written, so a failure part of the
  // way leaves whatever was there before.
  UAtomicFile file(path);
  std::FILE* stream = file.Begin() ? file.Stream() : nullptr;
  if (stream == nullptr) {
    error = file.Error().empty() ? "cannot write '" + path + "'" : file.Error();
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    error = "out of memory for the picture";
    return false;
  }
  std::vector<uint8_t> rgba_row(row_bytes);
  // libpng reports errors by jumping back here; nothing above owns memory that a jump would leak.
  if (setjmp(png_jmpbuf(png)) != 0) {  // NOLINT(cert-err52-cpp): libpng's error protocol
    png_destroy_write_struct(&png, &info);
    error = "cannot write '" + path + "'";
    return false;
  }
  png_init_io(png, stream);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    const uint8_t* source = bgra.data() + static_cast<size_t>(y) * row_bytes;
    for (size_t x = 0; x < row_bytes; x += 4) {
      rgba_row[x] = source[x + 2];
      rgba_row[x + 1] = source[x + 1];
      rgba_row[x + 2] = source[x];
      rgba_row[x + 3] = source[x + 3];
    }
    png_write_row(png, rgba_row.data());
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  if (!file.Commit()) {
    error = file.Error();
    return false;
  }
  return true;
}
