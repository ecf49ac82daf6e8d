// Reads arbitrary bytes as an STX file. Nothing may crash or allocate more than the header,
// checked against the input's length, justifies; a map that reads cleanly is composed with a
// small tile set, which must survive any tile reference in it.
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>

#include "core/foundation/archive_memory.h"
#include "core/tiles/stx_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UArchiveMemory ar(data, size);
  UStxImage image;
  if (!image.load(ar)) {
    if (image.GetMap() != nullptr) {
      __builtin_trap();
    }
    return 0;
  }
  const int64_t cells = int64_t{image.GetMapWidth()} * image.GetMapHeight();
  if (cells * 4 + UStxImage::kHeaderSize != static_cast<int64_t>(size)) {
    __builtin_trap();
  }
  // Composing a picture the size of the cap takes long; small ones show the same faults.
  if (int64_t{image.GetWidth()} * image.GetHeight() > (1 << 20)) {
    return 0;
  }
  FIBITMAP* tileSet = FreeImage_Allocate(image.GetTileWidth(), image.GetTileHeight() * 3, 32);
  if (!image.setTileSet(tileSet)) {
    __builtin_trap();
  }
  image.GetPixel(image.GetWidth() - 1, image.GetHeight() - 1);
  return 0;
}
