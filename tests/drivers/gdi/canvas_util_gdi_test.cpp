#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/drivers/gdi/gdi_test_support.h"

namespace {

using TBytes = std::vector<unsigned char>;

void PutLittle(TBytes& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) {
    bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }
}

void PutBig(TBytes& bytes, uint32_t value) {
  for (int i = 3; i >= 0; --i) {
    bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }
}

uint32_t Crc32(const unsigned char* data, size_t size) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
  }
  return ~crc;
}

// A 24-bit bitmap file whose header claims `width` x `height` pixels, followed by `pixel_bytes`
// bytes of pixel data.
TBytes BmpHeader(uint32_t width, uint32_t height, uint32_t pixel_bytes) {
  TBytes bytes = {'B', 'M'};
  PutLittle(bytes, 54 + pixel_bytes, 4);  // file size
  PutLittle(bytes, 0, 4);
  PutLittle(bytes, 54, 4);  // offset of the pixels
  PutLittle(bytes, 40, 4);  // info header size
  PutLittle(bytes, width, 4);
  PutLittle(bytes, height, 4);
  PutLittle(bytes, 1, 2);   // planes
  PutLittle(bytes, 24, 2);  // bits a pixel
  for (int i = 0; i < 6; ++i) {
    PutLittle(bytes, 0, 4);  // no compression, sizes, resolutions, palette
  }
  bytes.resize(bytes.size() + pixel_bytes, 0x7F);
  return bytes;
}

// A PNG file whose header chunk (with a correct checksum) claims `width` x `height` RGBA pixels
// and that ends right after it.
TBytes PngHeader(uint32_t width, uint32_t height) {
  TBytes bytes = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  PutBig(bytes, 13);
  const size_t chunk = bytes.size();
  bytes.insert(bytes.end(), {'I', 'H', 'D', 'R'});
  PutBig(bytes, width);
  PutBig(bytes, height);
  bytes.insert(bytes.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, deflate, no filter, no interlace
  PutBig(bytes, Crc32(bytes.data() + chunk, bytes.size() - chunk));
  return bytes;
}

uint32_t Gradient(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x * 7) << 16 | static_cast<uint32_t>(y * 7) << 8;
}

}  // namespace

TEST_F(GdiCanvasTest, DamagedTruncatedOversizedAndForeignFilesGiveNoSurface) {
  const std::string png = temp.File("sound.png");
  const std::string bmp = temp.File("sound.bmp");
  ASSERT_TRUE(WriteImage(png, FIF_PNG, 32, 32, 32, Gradient));
  ASSERT_TRUE(WriteImage(bmp, FIF_BMP, 24, 32, 32, Gradient));
  const TBytes png_bytes = ReadFileBytes(png);
  const TBytes bmp_bytes = ReadFileBytes(bmp);

  TBytes garbled_png = png_bytes;
  for (size_t i = 40; i < garbled_png.size(); i += 3) {
    garbled_png[i] = static_cast<unsigned char>(garbled_png[i] ^ 0x5A);
  }
  const struct {
    const char* name;
    TBytes bytes;
  } files[] = {
      {"empty.png", {}},
      {"png cut in half.png", TBytes(png_bytes.begin(), png_bytes.begin() + png_bytes.size() / 2)},
      {"png without its end.png", TBytes(png_bytes.begin(), png_bytes.end() - 12)},
      {"png garbled.png", garbled_png},
      {"bmp cut in half.bmp", TBytes(bmp_bytes.begin(), bmp_bytes.begin() + bmp_bytes.size() / 2)},
      {"bmp one byte short.bmp", TBytes(bmp_bytes.begin(), bmp_bytes.end() - 1)},
      {"bmp header only.bmp", TBytes(bmp_bytes.begin(), bmp_bytes.begin() + 54)},
      {"bmp of 10000 x 10000.bmp", BmpHeader(10000, 10000, 64)},
      {"bmp of 65536 x 1025.bmp", BmpHeader(65536, 1025, 64)},
      {"png of 20000 x 20000.png", PngHeader(20000, 20000)},
      {"png of 4 x 4 without pixels.png", PngHeader(4, 4)},
  };
  for (const auto& file : files) {
    const std::string path = temp.File(file.name);
    WriteFileBytes(path, file.bytes);
    EXPECT_EQ(util.CreateUSurfaceFromFile(path.c_str(), 0, 0), nullptr) << file.name;
  }
  EXPECT_EQ(util.CreateUSurfaceFromFile(temp.File("missing.png").c_str(), 0, 0), nullptr);
  EXPECT_EQ(util.CreateUSurfaceFromFile(temp.path().c_str(), 0, 0), nullptr);
  EXPECT_EQ(util.CreateUSurfaceFromFile(nullptr, 0, 0), nullptr);
  // Only the texture formats are read, even when FreeImage could decode the file.
  const std::string jpeg = temp.File("picture.jpg");
  ASSERT_TRUE(WriteImage(jpeg, FIF_JPEG, 24, 32, 32, Gradient));
  EXPECT_EQ(util.CreateUSurfaceFromFile(jpeg.c_str(), 0, 0), nullptr);

  // The sound files themselves load, with their size and the magenta colour key.
  for (const std::string& path : {png, bmp}) {
    const TSurfacePtr surface(util.CreateUSurfaceFromFile(path.c_str(), 0, 0));
    ASSERT_NE(surface, nullptr) << path;
    EXPECT_EQ(surface->GetWidth(), 32);
    EXPECT_EQ(surface->GetHeight(), 32);
    EXPECT_TRUE(surface->UsesColorKey());
    EXPECT_EQ(surface->GetColorKey(), kColorKeyMagenta);
  }
}
