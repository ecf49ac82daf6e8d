#include "core/foundation/bmp_format.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "tests/support/damaged_bmp_headers.h"
#include "tests/support/image_variants.h"

namespace {

using image_variants::BmpVariant;
using image_variants::Bytes;
using image_variants::kBmpVariants;
using image_variants::kH;
using image_variants::kPalette;
using image_variants::kW;
using image_variants::Put16;
using image_variants::Put32;
using image_variants::WriteBmp;

constexpr int64_t kCap = int64_t{1} << 26;

// A bottom-up bitmap of one row of `pixels` (16 or 32 bits each) with a 40-byte header, its masks
// after it when `masks` is not empty (alpha bit fields when there are four).
Bytes OneRowBmp(int bpp, std::initializer_list<uint32_t> masks, std::vector<uint32_t> pixels) {
  Bytes row;
  for (uint32_t pixel : pixels) {
    (bpp == 16 ? Put16 : Put32)(row, pixel);
  }
  row.resize((row.size() + 3) / 4 * 4, 0);
  Bytes file = {'B', 'M'};
  const auto pixelsAt = static_cast<uint32_t>(14 + 40 + 4 * masks.size());
  Put32(file, pixelsAt + static_cast<uint32_t>(row.size()));
  Put32(file, 0);
  Put32(file, pixelsAt);
  Put32(file, 40);
  Put32(file, static_cast<uint32_t>(pixels.size()));
  Put32(file, 1);
  Put16(file, 1);
  Put16(file, static_cast<uint32_t>(bpp));
  Put32(file, masks.size() == 0 ? 0 : masks.size() == 3 ? 3 : 6);
  for (int i = 0; i < 5; ++i) {
    Put32(file, 0);
  }
  for (uint32_t mask : masks) {
    Put32(file, mask);
  }
  file.insert(file.end(), row.begin(), row.end());
  return file;
}

TBmpPicture Decode(const Bytes& file, bool* ok) {
  TBmpPicture picture;
  *ok = DecodeBmp(file.data(), file.size(), kCap, &picture);
  return picture;
}

// The pixels as a texture shows them: a picture without alpha takes the magenta colour key.
std::vector<uint32_t> Keyed(const TBmpPicture& picture) {
  std::vector<uint32_t> pixels = picture.pixels;
  if (!picture.hasAlpha) {
    for (uint32_t& pixel : pixels) {
      pixel = (pixel & 0x00FFFFFFu) == 0x00FF00FFu ? 0x00FF00FFu : pixel;
    }
  }
  return pixels;
}

}  // namespace

TEST(BmpFormatTest, DecodesEveryKind) {
  for (const BmpVariant& v : kBmpVariants) {
    SCOPED_TRACE(v.name);
    std::vector<uint32_t> expected;
    bool ok = false;
    const TBmpPicture picture = Decode(WriteBmp(v, &expected), &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(picture.width, kW);
    EXPECT_EQ(picture.height, kH);
    EXPECT_EQ(picture.hasAlpha, v.masks[3] != 0);
    EXPECT_EQ(Keyed(picture), expected);
  }
}

TEST(BmpFormatTest, AlphaBitsAreAlphaUnlessZeroInEveryPixel) {
  struct Case {
    const char* name;
    Bytes file;
    bool hasAlpha;
    std::vector<uint32_t> pixels;
  };
  const Case cases[] = {
      {"1-5-5-5 with its alpha bit in one pixel",
       OneRowBmp(16, {0x7C00, 0x03E0, 0x001F, 0x8000}, {0x7C00, 0x83E0}),
       true,
       {0x00FF0000u, 0xFF00FF00u}},
      {"1-5-5-5 whose alpha bits are all zero",
       OneRowBmp(16, {0x7C00, 0x03E0, 0x001F, 0x8000}, {0x7C1F, 0x03E0}),
       false,
       {0xFFFF00FFu, 0xFF00FF00u}},
      {"4-4-4-4 bit fields with partial alpha",
       OneRowBmp(16, {0x0F00, 0x00F0, 0x000F, 0xF000}, {0x8F00, 0x0000}),
       true,
       {0x88FF0000u, 0x00000000u}},
      {"plain 32 bits with alpha in the fourth byte",
       OneRowBmp(32, {}, {0x80102030u, 0x00405060u}),
       true,
       {0x80102030u, 0x00405060u}},
      {"plain 32 bits with the fourth byte zero throughout",
       OneRowBmp(32, {}, {0x00102030u, 0x00FF00FFu}),
       false,
       {0xFF102030u, 0xFFFF00FFu}},
      {"32-bit bit fields without an alpha mask ignore the fourth byte",
       OneRowBmp(32, {0xFF0000, 0xFF00, 0xFF}, {0x80102030u, 0x7F405060u}),
       false,
       {0xFF102030u, 0xFF405060u}},
      {"16 bits without masks are 5-5-5 and opaque",
       OneRowBmp(16, {}, {0xFC00, 0x001F}),
       false,
       {0xFFFF0000u, 0xFF0000FFu}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    bool ok = false;
    const TBmpPicture picture = Decode(c.file, &ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(picture.width, static_cast<int32_t>(c.pixels.size()));
    EXPECT_EQ(picture.height, 1);
    EXPECT_EQ(picture.hasAlpha, c.hasAlpha);
    EXPECT_EQ(picture.pixels, c.pixels);
  }
}

TEST(BmpFormatTest, SizesAreCheckedBeforeAnythingIsAllocated) {
  const Bytes good = OneRowBmp(32, {}, {0xFF000000u, 0xFF000000u});
  auto with = [&](long at, uint32_t value) {
    Bytes field;
    Put32(field, value);
    Bytes file = good;
    std::copy(field.begin(), field.end(), file.begin() + at);
    return file;
  };
  bool ok = false;
  // Within a smaller cap the same file is refused.
  TBmpPicture picture;
  EXPECT_FALSE(DecodeBmp(good.data(), good.size(), 1, &picture));
  EXPECT_TRUE(DecodeBmp(good.data(), good.size(), 2, &picture));
  for (const Bytes& file : {with(18, 0x7FFFFFFF), with(22, 0x80000000u), with(22, 0x10000),
                            with(10, 0xFFFFFFF0u), with(18, 3)}) {
    Decode(file, &ok);
    EXPECT_FALSE(ok);
  }
  EXPECT_FALSE(DecodeBmp(nullptr, 0, 1, &picture));
  EXPECT_FALSE(DecodeBmp(good.data(), good.size(), 2, nullptr));
}

TEST(BmpFormatTest, TruncatedFilesGiveNothing) {
  for (const BmpVariant& v : kBmpVariants) {
    SCOPED_TRACE(v.name);
    std::vector<uint32_t> expected;
    const Bytes file = WriteBmp(v, &expected);
    const bool runLength = v.compression == 1 || v.compression == 2;
    // Run-length data is whole once every row is reached, even without its end mark.
    const size_t whole = runLength ? file.size() - 2 : file.size();
    for (size_t size = 0; size < whole; ++size) {
      const Bytes prefix(file.begin(), file.begin() + static_cast<long>(size));
      TBmpPicture picture;
      EXPECT_FALSE(DecodeBmp(prefix.data(), prefix.size(), kCap, &picture)) << size;
    }
  }
}

TEST(BmpFormatTest, RunLengthJumpsLeavePaletteEntryZeroAndLongRunsAreClipped) {
  std::vector<uint32_t> unused;
  Bytes file = WriteBmp(kBmpVariants[5], &unused);  // RLE8
  const size_t dataAt = file[10];
  file.resize(dataAt);
  // Bottom row: a run of 9 (4 past the edge), end of line; jump 2 right and 1 up; one pixel of
  // index 3; end of picture. Everything else keeps index 0 (opaque magenta).
  file.insert(file.end(), {9, 1, 0, 0, 0, 2, 2, 1, 1, 3, 0, 1});
  bool ok = false;
  const TBmpPicture picture = Decode(file, &ok);
  ASSERT_TRUE(ok);
  EXPECT_FALSE(picture.hasAlpha);
  std::vector<uint32_t> expected(kW * kH, 0xFFFF00FFu);
  for (int x = 0; x < kW; ++x) {
    expected[2 * kW + x] = kPalette[1];
  }
  expected[0 * kW + 2] = kPalette[3];
  EXPECT_EQ(picture.pixels, expected);
}

// Runs that claim far more pixels than the row holds stop at its end (what they cost is measured
// in bench/core/foundation).
TEST(BmpFormatTest, RunsPastTheRowEndStopThere) {
  std::vector<uint32_t> unused;
  Bytes file = WriteBmp(kBmpVariants[5], &unused);  // RLE8
  file.resize(file[10]);
  std::copy_n(Bytes{1, 0, 0, 0, 1, 0, 0, 0}.begin(), 8, file.begin() + 18);  // 1 x 1
  for (int run = 0; run < 1000; ++run) {
    file.insert(file.end(), {255, 1});
  }
  file.insert(file.end(), {0, 1});  // end of picture
  bool ok = false;
  EXPECT_EQ(Decode(file, &ok).pixels, std::vector<uint32_t>{kPalette[1]});
  EXPECT_TRUE(ok);
}

TEST(BmpFormatTest, DamagedHeadersGiveNothing) {
  for (const auto& [name, file] : DamagedBmpHeaders()) {
    TBmpPicture picture;
    EXPECT_FALSE(DecodeBmp(file.data(), file.size(), kCap, &picture)) << name;
    EXPECT_TRUE(picture.pixels.empty()) << name;
  }

  std::vector<uint32_t> unused;
  BmpVariant scattered = kBmpVariants[7];
  scattered.masks = {0xF00F, 0x07E0, 0x001F, 0};  // red bits not in one run
  const Bytes file = WriteBmp(scattered, &unused);
  bool ok = true;
  Decode(file, &ok);
  EXPECT_FALSE(ok);
}
