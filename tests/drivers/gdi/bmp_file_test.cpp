#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "tests/drivers/gdi/gdi_test_support.h"
#include "tests/support/damaged_bmp_headers.h"
#include "tests/support/file_faults.h"
#include "tests/support/image_variants.h"

namespace {

using image_variants::Bytes;
using image_variants::kBmpVariants;
using image_variants::kH;
using image_variants::kPalette;
using image_variants::kW;
using image_variants::WriteBmp;

// What a GDI-style surface holds for a decoded pixel 0xAARRGGBB with straight alpha.
uint32_t Premultiplied(uint32_t straight) {
  const uint32_t alpha = straight >> 24;
  uint32_t result = straight & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    result |= (((straight >> shift) & 0xFFu) * alpha / 255) << shift;
  }
  return result;
}

class LumselBmpTest : public ::testing::Test {
 protected:
  // Writes `bytes` as a bitmap file and loads it through the factory: the surface's premultiplied
  // pixels, top row first, or nothing when it gives no surface.
  std::vector<uint32_t> Load(const Bytes& bytes) {
    // A fresh name each time: truncating a file over and over is slow on some file systems.
    const std::string path = temp.File("texture " + std::to_string(loads++) + ".bmp");
    WriteFileBytes(path, bytes);
    const TSurfacePtr surface(util.CreateUSurfaceFromFile(path.c_str(), 0, 0));
    std::vector<uint32_t> pixels;
    if (surface != nullptr) {
      const URasterPicture& picture = static_cast<USurfaceGdi*>(surface.get())->GetPicture();
      for (int y = 0; y < picture.Height(); ++y) {
        pixels.insert(pixels.end(), picture.Row(y), picture.Row(y) + picture.Width());
      }
    }
    return pixels;
  }

  TempDir temp;
  UCanvasUtilGdi util;
  int loads = 0;
};

std::vector<uint32_t> PremultipliedAll(std::vector<uint32_t> pixels) {
  for (uint32_t& pixel : pixels) {
    pixel = Premultiplied(pixel);
  }
  return pixels;
}

}  // namespace

TEST_F(LumselBmpTest, DecodesEveryKind) {
  for (const image_variants::BmpVariant& variant : kBmpVariants) {
    SCOPED_TRACE(variant.name);
    std::vector<uint32_t> expected;
    const Bytes file = WriteBmp(variant, &expected);
    EXPECT_EQ(Load(file), PremultipliedAll(expected));
  }
}

TEST_F(LumselBmpTest, TruncatedFilesGiveNoSurface) {
  for (const image_variants::BmpVariant& variant : kBmpVariants) {
    SCOPED_TRACE(variant.name);
    std::vector<uint32_t> expected;
    const Bytes file = WriteBmp(variant, &expected);
    // Run-length data is whole once its last line end leaves the last row, even without the
    // end-of-picture mark after it.
    const bool runLength = variant.compression == 1 || variant.compression == 2;
    const size_t whole = runLength ? file.size() - 2 : file.size();
    for (size_t size = 0; size < whole; ++size) {
      EXPECT_TRUE(Load(Bytes(file.begin(), file.begin() + static_cast<long>(size))).empty())
          << size;
    }
    if (runLength) {
      EXPECT_EQ(Load(Bytes(file.begin(), file.begin() + static_cast<long>(whole))),
                PremultipliedAll(expected));
    }
  }
}

TEST_F(LumselBmpTest, RunLengthJumpsLeavePaletteEntryZeroAndLongRunsAreCutAtTheRowEnd) {
  for (const int variant : {4, 5}) {  // RLE4, RLE8
    SCOPED_TRACE(kBmpVariants[variant].name);
    const bool fourBits = variant == 4;
    std::vector<uint32_t> unused;
    Bytes file = WriteBmp(kBmpVariants[variant], &unused);
    file.resize(file[10]);
    // Bottom row: a run of 9 (4 past the edge), end of line; jump 2 right and 1 up; one pixel of
    // index 3; end of picture. Everything else keeps index 0 (magenta, transparent).
    const uint8_t one = fourBits ? 0x11 : 1;
    const uint8_t three = fourBits ? 0x33 : 3;
    file.insert(file.end(), {9, one, 0, 0, 0, 2, 2, 1, 1, three, 0, 1});
    std::vector<uint32_t> expected(kW * kH, 0);
    for (int x = 0; x < kW; ++x) {
      expected[2 * kW + x] = kPalette[1];
    }
    expected[2] = kPalette[3];
    EXPECT_EQ(Load(file), expected);
  }
}

TEST_F(LumselBmpTest, IndicesPastThePaletteAreBlack) {
  std::vector<uint32_t> unused;
  Bytes file = WriteBmp(kBmpVariants[5], &unused);  // RLE8 with four palette entries
  file.resize(file[10]);
  file.insert(file.end(), {5, 200, 0, 1});
  std::vector<uint32_t> expected(kW * kH, 0);
  for (int x = 0; x < kW; ++x) {
    expected[2 * kW + x] = 0xFF000000u;
  }
  EXPECT_EQ(Load(file), expected);
}

TEST_F(LumselBmpTest, ThirtyTwoBitsWithoutMasksKeepTheFourthByteAsAlphaUnlessItIsAllZero) {
  // FreeImage writes 32-bit bitmaps without masks, the fourth byte holding what was alpha.
  const auto pixel_of = [](int x, int y) {
    if (x == 1 && y == 0) {
      return 0x40FF00FFu;  // magenta, half transparent
    }
    return static_cast<uint32_t>(x * 0x50) << 24 | static_cast<uint32_t>(y * 40 + 10) << 16 |
           0x2030u;
  };
  const std::string with_alpha = temp.File("plain 32 with alpha.bmp");
  ASSERT_TRUE(WriteImage(with_alpha, FIF_BMP, 32, 3, 2, pixel_of));
  std::vector<uint32_t> expected;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      expected.push_back(Premultiplied(pixel_of(x, y)));
    }
  }
  EXPECT_EQ(Load(ReadFileBytes(with_alpha)), expected);

  // Fourth bytes that are zero in every pixel are no alpha: opaque, magenta keyed out.
  const auto opaque_of = [&](int x, int y) { return pixel_of(x, y) & 0x00FFFFFFu; };
  const std::string without_alpha = temp.File("plain 32 without alpha.bmp");
  ASSERT_TRUE(WriteImage(without_alpha, FIF_BMP, 32, 3, 2, opaque_of));
  expected.clear();
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) {
      expected.push_back(x == 1 && y == 0 ? 0u : opaque_of(x, y) | 0xFF000000u);
    }
  }
  EXPECT_EQ(Load(ReadFileBytes(without_alpha)), expected);
}

TEST_F(LumselBmpTest, DamagedOrForeignHeadersGiveNoSurface) {
  for (const auto& [name, file] : DamagedBmpHeaders()) {
    EXPECT_TRUE(Load(file).empty()) << name;
  }
}

TEST_F(LumselBmpTest, WhatIsNotARegularFileGivesNoSurfaceAtOnce) {
  const std::string fifo = temp.File("pipe.bmp");
  EXPECT_TRUE(RefusesFifoAtOnce(fifo, [&] {
    const TSurfacePtr surface(util.CreateUSurfaceFromFile(fifo.c_str(), 0, 0));
    return surface != nullptr;
  }));
  const TSurfacePtr folder(util.CreateUSurfaceFromFile(temp.path().c_str(), 0, 0));
  EXPECT_EQ(folder, nullptr);
  EXPECT_EQ(Load({}), std::vector<uint32_t>{});
}
