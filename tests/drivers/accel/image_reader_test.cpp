#include <gtest/gtest.h>
#include <zlib.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "drivers/accel/engine/bmp_reader.h"
#include "drivers/accel/engine/png_reader.h"
#include "drivers/accel/engine/rw_image.h"
#include "tests/support/image_variants.h"
#include "tests/support/png_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using namespace image_variants;  // NOLINT(google-build-using-namespace): the test pictures

bool ReadFile(const std::string& path, RwImage* image) {
  RwImageReaders readers;
  readers.Register("PNG", RwPngRead);
  readers.Register("bmp", RwBmpRead);
  return readers.ReadFile(path, image);
}

}  // namespace

TEST(BmpReaderTest, DecodesEveryVariantFromDisk) {
  TempDir dir;
  for (const BmpVariant& v : kBmpVariants) {
    SCOPED_TRACE(v.name);
    std::vector<uint32_t> expected;
    const std::string path = dir.File(std::string(v.name) + ".BMP");
    WriteFileBytes(path, WriteBmp(v, &expected));
    RwImage image;
    ASSERT_TRUE(ReadFile(path, &image));
    EXPECT_EQ(image.width, kW);
    EXPECT_EQ(image.height, kH);
    EXPECT_EQ(image.pixels, expected);
  }
}

TEST(PngReaderTest, DecodesEveryVariantFromDisk) {
  TempDir dir;
  for (const PngVariant& v : PngVariants()) {
    SCOPED_TRACE(v.name);
    const std::string path = dir.File(std::string(v.name) + ".png");
    ASSERT_TRUE(WritePng(path, v.picture));
    RwImage image;
    ASSERT_TRUE(ReadFile(path, &image));
    EXPECT_EQ(image.width, 2);
    EXPECT_EQ(image.height, 2);
    EXPECT_EQ(image.pixels, v.expected);
  }
}

TEST(PngReaderTest, TruncatedOrCorruptFilesGiveNothing) {
  TempDir dir;
  const PngVariant v = PngVariants()[0];
  const std::string path = dir.File("whole.png");
  ASSERT_TRUE(WritePng(path, v.picture));
  const Bytes file = ReadFileBytes(path);
  for (size_t size = 0; size < file.size(); ++size) {
    const Bytes prefix(file.begin(), file.begin() + static_cast<long>(size));
    RwImage image;
    // The pixels are complete before the end chunk; cut earlier, nothing is decoded.
    if (RwPngRead(prefix.data(), prefix.size(), &image)) {
      EXPECT_GE(size, file.size() - 12);
      EXPECT_EQ(image.pixels, v.expected);
    }
  }
  for (size_t at = 8; at < file.size() - 12; ++at) {
    Bytes damaged = file;
    damaged[at] ^= 0x55;  // every chunk carries a checksum
    RwImage image;
    EXPECT_FALSE(RwPngRead(damaged.data(), damaged.size(), &image)) << at;
  }
}

TEST(PngReaderTest, HeadersBeyondThePixelCapGiveNothing) {
  const std::pair<uint32_t, uint32_t> sizes[] = {
      {100000, 100000}, {(1u << 26) + 1, 1}, {1u << 13, (1u << 13) + 1}, {0x7FFFFFFF, 1}};
  for (const auto& [width, height] : sizes) {
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
    const size_t chunkAt = file.size();
    file.insert(file.end(), {'I', 'H', 'D', 'R'});
    for (uint32_t value : {width, height}) {
      file.insert(file.end(), {static_cast<uint8_t>(value >> 24), static_cast<uint8_t>(value >> 16),
                               static_cast<uint8_t>(value >> 8), static_cast<uint8_t>(value)});
    }
    file.insert(file.end(), {8, 6, 0, 0, 0});
    const uLong crc = crc32(0, file.data() + chunkAt, 17);
    file.insert(file.end(), {static_cast<uint8_t>(crc >> 24), static_cast<uint8_t>(crc >> 16),
                             static_cast<uint8_t>(crc >> 8), static_cast<uint8_t>(crc)});
    RwImage image;
    EXPECT_FALSE(RwPngRead(file.data(), file.size(), &image)) << width << " x " << height;
    EXPECT_TRUE(image.pixels.empty());
  }
}
