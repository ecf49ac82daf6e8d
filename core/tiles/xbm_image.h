#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"

// A picture in the pixel format of a small device: 12-bit (0x0RGB) or 16-bit (RGB 5-6-5) colour
// in 2 bytes a pixel, or 32-bit 0xAARRGGBB in 4, rows from the top, each value little-endian.
// Types 4 and 8 are palette formats whose data length includes room for the palette; importing
// leaves their data zeroed.
//
// Stored form: width (uint16), height (uint16), colour type (uint8), compression (uint8), data
// length (uint32), then, when compression is 0, the data.
class CORE_API UXbmImage {
 public:
  static constexpr int kHeaderSize = 10;

  UXbmImage() = default;
  UXbmImage(const UXbmImage&) = default;
  UXbmImage& operator=(const UXbmImage&) = default;
  virtual ~UXbmImage();

  // Converts `picture` (the caller keeps it) to colour type `type` (4, 8, 12, 16 or 24) and
  // records `compression`. False, leaving the image empty, for another type, a picture wider or
  // taller than 65535 pixels, or larger than 2^26 pixels.
  bool Import(FIBITMAP* picture, int type, int compression);
  // The data length the colour type and size call for: type 4 width x height / 2 + 64, 8
  // width x height + 1024, 12 and 16 width x height x 2, 24 width x height x 4, others 0.
  uint32_t GetPixelDataLength() const;
  void Release();

  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  int GetType() const { return m_Type; }
  int GetCompression() const { return m_Compression; }
  uint32_t GetDataLength() const { return m_DataLength; }
  const std::vector<uint8_t>& GetData() const { return m_Data; }

  friend CORE_API UArchive& operator<<(UArchive& ar, const UXbmImage& image);
  friend CORE_API UArchive& operator>>(UArchive& ar, UXbmImage& image);

 private:
  uint16_t m_Width = 0;
  uint16_t m_Height = 0;
  uint8_t m_Type = 0;
  uint8_t m_Compression = 0;
  uint32_t m_DataLength = 0;
  std::vector<uint8_t> m_Data;
};

// 0xAARRGGBB to 0x0RGB, the top 4 bits of each colour; alpha is dropped.
CORE_API uint16_t Color32To12(uint32_t color);
// 0xAARRGGBB to RGB 5-6-5, the top bits of each colour; alpha is dropped.
CORE_API uint16_t Color32To16(uint32_t color);

// Writes the header, then the data (when compression is 0), in order and once each.
CORE_API UArchive& operator<<(UArchive& ar, const UXbmImage& image);
// Reads an image. A colour type outside 4, 8, 12, 16 and 24, a data length other than the type
// and size call for, or data the rest of the stream cannot hold fails the archive and leaves the
// image empty, before anything is allocated; from a stream that cannot tell its size the data is
// read in bounded pieces (ReadStoredBlock).
CORE_API UArchive& operator>>(UArchive& ar, UXbmImage& image);
