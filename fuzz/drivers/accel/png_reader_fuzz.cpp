#include <cstddef>
#include <cstdint>

#include "drivers/accel/engine/png_reader.h"

// Any bytes: the PNG path decodes them or refuses them, without crashing, hanging or allocating
// beyond the pixel cap.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RwImage image;
  if (RwPngRead(data, size, &image) &&
      image.pixels.size() != static_cast<size_t>(image.width) * static_cast<size_t>(image.height)) {
    __builtin_trap();
  }
  return 0;
}
