// Reads arbitrary bytes as a texture file through the GDI-style driver's factory. Nothing may
// crash, hang or allocate beyond the pixel cap; a surface that comes back must have a size
// within it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/canvas/surface.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "drivers/gdi/raster_picture.h"

namespace {

// Every input goes to one file that lives in memory only, named through /proc, so that a run
// leaves nothing behind.
int InputFile() {
  static const int fd = memfd_create("quillet-fuzz-image", 0);
  return fd;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const int fd = InputFile();
  if (fd < 0 || ftruncate(fd, 0) != 0 || pwrite(fd, data, size, 0) != static_cast<ssize_t>(size)) {
    return 0;
  }
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  UCanvasUtilGdi util;
  if (USurface* surface = util.CreateUSurfaceFromFile(path.c_str(), 0, 0)) {
    if (int64_t{surface->GetWidth()} * surface->GetHeight() > URasterPicture::kMaxPixels) {
      __builtin_trap();
    }
    surface->Release();
    delete surface;
  }
  return 0;
}
