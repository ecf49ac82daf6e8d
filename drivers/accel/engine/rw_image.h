#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/tessel_api.h"

// A decoded picture: 0xAARRGGBB words with straight alpha, top row first.
struct TESSEL_API RwImage {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
};

// The most pixels a reader accepts from a header; checked before anything is allocated, so a
// hostile header cannot ask for gigabytes.
inline constexpr uint64_t kRwImagePixelCap = uint64_t{1} << 26;

// True when a header's dimensions are both at least 1 and their product is within the cap.
TESSEL_API bool RwImageWithinCap(int64_t width, int64_t height);

// Sizes the image for a header's dimensions, all pixels 0; false (and nothing allocated) when
// they are not within the cap.
TESSEL_API bool RwImageAllocate(RwImage* image, int64_t width, int64_t height);

// Gives a picture without an alpha channel of its own its transparency: alpha 0 where the colour
// is magenta 0xFF00FF, 255 everywhere else.
TESSEL_API void RwImageApplyColorKey(RwImage* image);

// A reader decodes a whole file held in memory; false leaves `image` unspecified.
using RwImageReader = bool (*)(const uint8_t* data, size_t size, RwImage* image);

// An image file read whole with the reader for its extension, not yet decoded.
struct TESSEL_API RwImageFile {
  RwImageReader reader = nullptr;
  std::vector<unsigned char> bytes;

  // Tells this version of the file's bytes from any other (a hash of them and their size), so a
  // picture decoded from it can be told apart from one of a later version of the same file.
  uint64_t Version() const;
  // False when the bytes do not decode; `image` is then unspecified.
  bool Decode(RwImage* image) const;
};

// Image readers chosen by file extension, compared without regard to case.
class TESSEL_API RwImageReaders {
 public:
  void Register(const std::string& extension, RwImageReader reader);
  // Reads the file whole; false when it cannot be opened, is not a regular file, is empty, has no
  // registered extension, or is larger than any picture within the cap could be.
  bool Load(const std::string& path, RwImageFile* file) const;
  // Load, then decode; false when either fails.
  bool ReadFile(const std::string& path, RwImage* image) const;

 private:
  struct Entry {
    std::string extension;  // lower case, without the dot
    RwImageReader reader;
  };
  std::vector<Entry> m_Readers;
};
