#include "core/tiles/xbm_image.h"

#include "core/tiles/picture_file.h"
#include "core/tiles/stored_block.h"

namespace {

bool IsKnownType(int type) {
  return type == 4 || type == 8 || type == 12 || type == 16 || type == 24;
}

// In 64 bits: a 16-bit size can call for more than 32 bits of data.
uint64_t DataLengthFor(int type, uint64_t width, uint64_t height) {
  const uint64_t pixels = width * height;
  switch (type) {
    case 4:
      return pixels / 2 + 64;
    case 8:
      return pixels + 1024;
    case 12:
    case 16:
      return pixels * 2;
    case 24:
      return pixels * 4;
    default:
      return 0;
  }
}

void WriteHeader(UArchive& ar, uint16_t width, uint16_t height, uint8_t type, uint8_t compression,
                 uint32_t length) {
  ar << width << height << type << compression << length;
}

}  // namespace

uint16_t Color32To12(uint32_t color) {
  const uint32_t red = (color >> 20) & 0xF;
  const uint32_t green = (color >> 12) & 0xF;
  const uint32_t blue = (color >> 4) & 0xF;
  return uint16_t(red << 8 | green << 4 | blue);
}

uint16_t Color32To16(uint32_t color) {
  const uint32_t red = (color >> 19) & 0x1F;
  const uint32_t green = (color >> 10) & 0x3F;
  const uint32_t blue = (color >> 3) & 0x1F;
  return uint16_t(red << 11 | green << 5 | blue);
}

UXbmImage::~UXbmImage() = default;

uint32_t UXbmImage::GetPixelDataLength() const {
  return uint32_t(DataLengthFor(m_Type, m_Width, m_Height));
}

void UXbmImage::Release() {
  m_Data.clear();
  m_Data.shrink_to_fit();
  m_DataLength = 0;
}

bool UXbmImage::Import(FIBITMAP* picture, int type, int compression) {
  *this = UXbmImage();
  if (picture == nullptr || !IsKnownType(type) || FreeImage_GetImageType(picture) != FIT_BITMAP) {
    return false;
  }
  const unsigned width = FreeImage_GetWidth(picture);
  const unsigned height = FreeImage_GetHeight(picture);
  if (width > 0xFFFF || height > 0xFFFF || !IsPictureSizeAllowed(width, height)) {
    return false;
  }
  const TFreeImagePtr rgba(FreeImage_ConvertTo32Bits(picture));
  if (rgba == nullptr) {
    return false;
  }
  m_Width = uint16_t(width);
  m_Height = uint16_t(height);
  m_Type = uint8_t(type);
  m_Compression = uint8_t(compression);
  m_DataLength = GetPixelDataLength();
  m_Data.assign(m_DataLength, 0);
  if (type != 12 && type != 16 && type != 24) {
    return true;
  }
  uint8_t* out = m_Data.data();
  for (unsigned y = 0; y < height; ++y) {
    for (unsigned x = 0; x < width; ++x) {
      const uint32_t color = ReadPixel32(rgba.get(), x, height - 1 - y);
      if (type == 24) {
        for (int shift = 0; shift < 32; shift += 8) {
          *out++ = uint8_t(color >> shift);
        }
      } else {
        const uint16_t value = type == 12 ? Color32To12(color) : Color32To16(color);
        *out++ = uint8_t(value);
        *out++ = uint8_t(value >> 8);
      }
    }
  }
  return true;
}

UArchive& operator<<(UArchive& ar, const UXbmImage& image) {
  // The header is known before the data, so it is written once, in place: the record goes into
  // streams that cannot seek back as well as into files.
  WriteHeader(ar, image.m_Width, image.m_Height, image.m_Type, image.m_Compression,
              image.m_DataLength);
  if (image.m_Compression == 0 && !image.m_Data.empty()) {
    ar.Write(image.m_Data.data(), int(image.m_Data.size()));
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, UXbmImage& image) {
  image = UXbmImage();
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t type = 0;
  uint8_t compression = 0;
  uint32_t length = 0;
  ar >> width >> height >> type >> compression >> length;
  if (ar.IsFailed()) {
    return ar;
  }
  if (!IsKnownType(type) || length != DataLengthFor(type, width, height)) {
    ar.SetFailed();
    return ar;
  }
  // Compressed data is neither stored nor decoded: such an image keeps its header only.
  if (compression == 0 && !ReadStoredBlock(ar, length, image.m_Data)) {
    return ar;
  }
  image.m_Width = width;
  image.m_Height = height;
  image.m_Type = type;
  image.m_Compression = compression;
  image.m_DataLength = length;
  return ar;
}
