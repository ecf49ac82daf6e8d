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

TEST(BmpReaderTest, TruncatedFilesGiveNothing) {
  for (const BmpVariant& v : kBmpVariants) {
    SCOPED_TRACE(v.name);
    std::vector<uint32_t> expected;
    const Bytes file = WriteBmp(v, &expected);
    const bool runLength = v.compression == 1 || v.compression == 2;
    // Run-length data is whole once every row is reached, even without its end mark.
    const size_t whole = runLength ? file.size() - 2 : file.size();
    for (size_t size = 0; size < whole; ++size) {
      const Bytes prefix(file.begin(), file.begin() + static_cast<long>(size));
      RwImage image;
      EXPECT_FALSE(RwBmpRead(prefix.data(), prefix.size(), &image)) << size;
    }
  }
}

TEST(BmpReaderTest, RunLengthJumpsLeavePaletteEntryZeroAndLongRunsAreClipped) {
  std::vector<uint32_t> unused;
  Bytes file = WriteBmp(kBmpVariants[5], &unused);  // RLE8
  const size_t dataAt = file[10];
  file.resize(dataAt);
  // Bottom row: a run of 9 (4 past the edge), end of line; jump 2 right and 1 up; one pixel of
  // index 3; end of picture. Everything else keeps index 0 (magenta, transparent).
  file.insert(file.end(), {9, 1, 0, 0, 0, 2, 2, 1, 1, 3, 0, 1});
  RwImage image;
  ASSERT_TRUE(RwBmpRead(file.data(), file.size(), &image));
  std::vector<uint32_t> expected(kW * kH, 0x00FF00FFu);
  for (int x = 0; x < kW; ++x) {
    expected[2 * kW + x] = kPalette[1];
  }
  expected[0 * kW + 2] = kPalette[3];
  EXPECT_EQ(image.pixels, expected);
}

TEST(BmpReaderTest, DamagedHeadersGiveNothing) {
  std::vector<uint32_t> unused;
  const Bytes good = WriteBmp(kBmpVariants[2], &unused);  // 8-bit
  const Bytes rle = WriteBmp(kBmpVariants[5], &unused);
  auto with = [](Bytes file, size_t at, std::initializer_list<uint8_t> bytes) {
    std::copy(bytes.begin(), bytes.end(), file.begin() + static_cast<long>(at));
    return file;
  };
  const std::pair<const char*, Bytes> cases[] = {
      {"not a bitmap", with(good, 0, {'P', 'M'})},
      {"unknown header size", with(good, 14, {41})},
      {"width beyond the cap", with(good, 18, {0x00, 0x00, 0x00, 0x10})},
      {"width times height beyond the cap", with(good, 18, {0x00, 0x00, 0x01, 0x00})},
      {"run-length picture beyond the cap", with(rle, 18, {0x00, 0x00, 0x00, 0x02})},
      {"negative width", with(good, 18, {0xFB, 0xFF, 0xFF, 0xFF})},
      {"zero height", with(good, 22, {0, 0, 0, 0})},
      {"most negative height", with(good, 22, {0x00, 0x00, 0x00, 0x80})},
      {"7 bits a pixel", with(good, 28, {7})},
      {"RLE4 on 8 bits", with(good, 30, {2})},
      {"JPEG inside", with(good, 30, {4})},
      {"top-down run-length data", with(rle, 22, {0xFD, 0xFF, 0xFF, 0xFF})},
      {"pixels beyond the end", with(good, 10, {0xFF, 0xFF, 0, 0})},
  };
  for (const auto& [name, file] : cases) {
    RwImage image;
    EXPECT_FALSE(RwBmpRead(file.data(), file.size(), &image)) << name;
    EXPECT_TRUE(image.pixels.empty()) << name;
  }

  BmpVariant scattered = kBmpVariants[7];
  scattered.masks = {0xF00F, 0x07E0, 0x001F, 0};  // red bits not in one run
  Bytes file = WriteBmp(scattered, &unused);
  RwImage image;
  EXPECT_FALSE(RwBmpRead(file.data(), file.size(), &image));
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
