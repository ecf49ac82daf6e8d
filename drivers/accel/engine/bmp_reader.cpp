#include "drivers/accel/engine/bmp_reader.h"

#include <utility>

#include "core/foundation/bmp_format.h"

bool RwBmpRead(const uint8_t* data, size_t size, RwImage* image) {
  TBmpPicture picture;
  if (!DecodeBmp(data, size, static_cast<int64_t>(kRwImagePixelCap), &picture)) {
    return false;
  }
  image->width = picture.width;
  image->height = picture.height;
  image->pixels = std::move(picture.pixels);
  if (!picture.hasAlpha) {
    RwImageApplyColorKey(image);
  }
  return true;
}
