#include <cstddef>
#include <cstdint>

#include "core/foundation/bmp_format.h"

// Any bytes: the bitmap decoder that both canvas drivers use decodes them or refuses them,
// without crashing, hanging or allocating beyond the pixel cap.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Far below what the drivers allow: a header of a few bytes may declare that many pixels, and
  // filling them would take most of each run's time from the inputs that reach deeper code.
  constexpr int64_t kMaxPixels = int64_t{1} << 20;
  TBmpPicture picture;
  if (DecodeBmp(data, size, kMaxPixels, &picture) &&
      (int64_t{picture.width} * picture.height > kMaxPixels ||
       picture.pixels.size() !=
           static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height))) {
    __builtin_trap();
  }
  return 0;
}
