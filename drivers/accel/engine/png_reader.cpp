#include "drivers/accel/engine/png_reader.h"

#include <png.h>

#include <bit>
#include <csetjmp>
#include <cstring>
#include <vector>

static_assert(std::endian::native == std::endian::little);

namespace {

struct MemoryInput {
  const uint8_t* data;
  size_t size;
  size_t position;
};

void ReadFromMemory(png_structp png, png_bytep out, size_t length) {
  auto* input = static_cast<MemoryInput*>(png_get_io_ptr(png));
  if (input->size - input->position < length) {
    png_error(png, "truncated");
  }
  std::memcpy(out, input->data + input->position, length);
  input->position += length;
}

// A damaged file is an ordinary result here, not worth a line on standard error: errors go
// straight back to the setjmp in Decoder::Run, warnings nowhere.
[[noreturn]] void QuietError(png_structp png, png_const_charp) {
  png_longjmp(png, 1);
}

void IgnoreWarning(png_structp, png_const_charp) {}

// Everything that lives across setjmp is kept outside the function that calls it, so that a
// longjmp back leaves no C++ object half-built on the abandoned frames.
struct Decoder {
  png_structp png = nullptr;
  png_infop info = nullptr;
  MemoryInput input{};
  std::vector<png_bytep> rows;
  bool hasAlpha = false;

  ~Decoder() { png_destroy_read_struct(&png, &info, nullptr); }

  // Returns false when libpng gave up; `image` then holds no decoded picture.
  bool Run(RwImage* image) {
    if (setjmp(png_jmpbuf(png)) != 0) {
      return false;
    }
    png_set_read_fn(png, &input, ReadFromMemory);
    // libpng refuses a header beyond the cap on either side before it inflates anything (the
    // product is checked below), and ancillary chunks may not inflate beyond 8 MiB.
    png_set_user_limits(png, static_cast<png_uint_32>(kRwImagePixelCap),
                        static_cast<png_uint_32>(kRwImagePixelCap));
    png_set_chunk_malloc_max(png, 8u << 20);
    png_read_info(png, info);

    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int bitDepth = 0;
    int colorType = 0;
    png_get_IHDR(png, info, &width, &height, &bitDepth, &colorType, nullptr, nullptr, nullptr);
    if (!RwImageWithinCap(width, height)) {
      return false;
    }
    hasAlpha = (colorType & PNG_COLOR_MASK_ALPHA) != 0 || png_get_valid(png, info, PNG_INFO_tRNS);

    png_set_expand(png);  // palette to RGB, grey below 8 bits to 8, tRNS to an alpha channel
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_bgr(png);
    if (!hasAlpha) {
      png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != size_t{width} * 4) {
      return false;
    }

    RwImageAllocate(image, width, height);
    rows.resize(height);
    for (png_uint_32 y = 0; y < height; ++y) {
      rows[y] = reinterpret_cast<png_bytep>(image->pixels.data() + size_t{y} * width);
    }
    png_read_image(png, rows.data());
    return true;
  }
};

}  // namespace

bool RwPngRead(const uint8_t* data, size_t size, RwImage* image) {
  if (size < 8 || png_sig_cmp(data, 0, 8) != 0) {
    return false;
  }
  Decoder decoder;
  decoder.input = {data, size, 0};
  decoder.png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, QuietError, IgnoreWarning);
  if (decoder.png == nullptr) {
    return false;
  }
  decoder.info = png_create_info_struct(decoder.png);
  if (decoder.info == nullptr || !decoder.Run(image)) {
    image->pixels.clear();
    return false;
  }
  // Pixels were written as bytes blue, green, red, alpha, which is a 0xAARRGGBB word on the
  // little-endian hosts this library builds for.
  if (!decoder.hasAlpha) {
    RwImageApplyColorKey(image);
  }
  return true;
}
