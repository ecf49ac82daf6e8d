// Reads arbitrary bytes as a device image. Nothing may crash or allocate more than the input
// holds; an image that reads cleanly writes back to bytes that read back to the same image.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/xbm_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  UArchiveMemory ar(data, size);
  UXbmImage image;
  ar >> image;
  if (ar.IsFailed()) {
    if (!image.GetData().empty()) {
      __builtin_trap();
    }
    return 0;
  }
  if (image.GetCompression() == 0 && image.GetData().size() != image.GetPixelDataLength()) {
    __builtin_trap();
  }
  UArchiveMemory out;
  out << image;
  const std::vector<unsigned char> first = out.GetBuffer();
  UArchiveMemory again(first.data(), first.size());
  UXbmImage back;
  again >> back;
  if (again.IsFailed() || back.GetData() != image.GetData() ||
      back.GetDataLength() != image.GetDataLength()) {
    __builtin_trap();
  }
  return 0;
}
