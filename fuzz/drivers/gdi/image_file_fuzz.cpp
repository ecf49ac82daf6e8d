// Reads arbitrary bytes as a texture file through the GDI-style driver's reader. Nothing may
// crash, hang or allocate beyond the pixel cap; a picture that comes back must have a size
// within it.
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "drivers/gdi/image_file.h"
#include "drivers/gdi/raster_picture.h"

namespace {

// Far below the driver's own cap: a header of a few bytes may declare that many pixels, and
// filling them would take most of each run's time from the inputs that reach deeper code.
constexpr int64_t kFuzzMaxPixels = int64_t{1} << 20;

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
  URasterPicture picture;
  if (ReadImageFile(path.c_str(), picture, kFuzzMaxPixels) &&
      int64_t{picture.Width()} * picture.Height() > kFuzzMaxPixels) {
    __builtin_trap();
  }
  return 0;
}
