#include "exporter/png_memory_encoder.h"

#include <png.h>

#include <csetjmp>

namespace {

void AppendBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* bytes = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
  bytes->insert(bytes->end(), data, data + length);
}

void FlushNothing(png_structp) {}

}  // namespace

// Encoded through libpng: every page stays 32-bit even where it is wholly opaque, which is the
// format the atlas announces.
bool EncodeRgbaPng(int width, int height, const std::vector<uint8_t>& rgba,
                   std::vector<unsigned char>* bytes, std::string* error) {
  const size_t row_bytes = static_cast<size_t>(width) * 4;
  if (width <= 0 || height <= 0 || rgba.size() != row_bytes * static_cast<size_t>(height)) {
    *error = "no picture to encode";
    return false;
  }
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png == nullptr ? nullptr : png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_write_struct(&png, nullptr);
    *error = "out of memory for the picture";
    return false;
  }
  bytes->clear();
  // libpng reports errors by jumping back here; nothing above owns memory that a jump would leak.
  if (setjmp(png_jmpbuf(png)) != 0) {  // NOLINT(cert-err52-cpp): libpng's error protocol
    png_destroy_write_struct(&png, &info);
    bytes->clear();
    *error = "cannot encode the picture as PNG";
    return false;
  }
  png_set_write_fn(png, bytes, AppendBytes, FlushNothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  for (int y = 0; y < height; ++y) {
    // libpng takes rows as non-const pointers but only reads them.
    png_write_row(png, const_cast<png_bytep>(rgba.data() + static_cast<size_t>(y) * row_bytes));
  }
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}
