#include "exporter/gif_writer.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include "exporter/picture_trim.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr int kSide = 20;

CExportPicture Picture(uint32_t durationMs, uint32_t rgba) {
  std::vector<uint8_t> canvas;
  for (int i = 0; i < kSide * kSide; ++i) {
    for (int shift = 24; shift >= 0; shift -= 8) {
      canvas.push_back(static_cast<uint8_t>(rgba >> shift));
    }
  }
  CExportPicture picture;
  picture.durationMs = durationMs;
  picture.bits = std::make_shared<const CPictureBits>(
      TrimPicture(canvas.data(), kSide, kSide, kSide, PixelOrder::Rgba));
  return picture;
}

std::vector<uint8_t> Canvas(const CExportPicture& picture) {
  return CanvasPixels(*picture.bits, kSide, kSide);
}

void SetPixel(CExportPicture& picture, int x, int y, uint32_t rgba) {
  std::vector<uint8_t> canvas = Canvas(picture);
  for (int c = 0; c < 4; ++c) {
    canvas[size_t(y * kSide + x) * 4 + c] = static_cast<uint8_t>(rgba >> (24 - 8 * c));
  }
  picture.bits = std::make_shared<const CPictureBits>(
      TrimPicture(canvas.data(), kSide, kSide, kSide, PixelOrder::Rgba));
}

// Plays the GIF back and checks each page's delay and pixels against the picture it shows.
void ExpectPlays(const std::vector<unsigned char>& bytes, const CExportAction& action,
                 const std::vector<std::pair<size_t, LONG>>& pages) {
  // The application block that makes viewers loop, with a count of 0: forever.
  EXPECT_NE(std::string(bytes.begin(), bytes.end()).find({"NETSCAPE2.0\3\1\0\0", 15}),
            std::string::npos);
  FIMEMORY* memory = FreeImage_OpenMemory(const_cast<BYTE*>(bytes.data()), DWORD(bytes.size()));
  FIMULTIBITMAP* gif = FreeImage_LoadMultiBitmapFromMemory(FIF_GIF, memory, GIF_PLAYBACK);
  ASSERT_NE(gif, nullptr);
  ASSERT_EQ(FreeImage_GetPageCount(gif), int(pages.size()));
  for (int p = 0; p < int(pages.size()); ++p) {
    FIBITMAP* page = FreeImage_LockPage(gif, p);
    ASSERT_EQ(FreeImage_GetBPP(page), 32u);
    FITAG* frameTime = nullptr;
    ASSERT_TRUE(FreeImage_GetMetadata(FIMD_ANIMATION, page, "FrameTime", &frameTime));
    EXPECT_EQ(*(const LONG*)FreeImage_GetTagValue(frameTime), pages[p].second * 10) << p;
    const std::vector<uint8_t> rgba = Canvas(action.pictures[pages[p].first]);
    int worst = 0;
    for (int y = 0; y < kSide; ++y) {
      const BYTE* row = FreeImage_GetScanLine(page, kSide - 1 - y);
      for (int x = 0; x < kSide; ++x) {
        const uint8_t* want = &rgba[size_t(y * kSide + x) * 4];
        const BYTE* got = row + x * 4;
        ASSERT_EQ(got[FI_RGBA_ALPHA], want[3] >= 128 ? 255 : 0) << p << ": " << x << "," << y;
        if (want[3] >= 128) {
          worst = std::max({worst, std::abs(got[FI_RGBA_RED] - want[0]),
                            std::abs(got[FI_RGBA_GREEN] - want[1]),
                            std::abs(got[FI_RGBA_BLUE] - want[2])});
        }
      }
    }
    EXPECT_LE(worst, pages[p].first == 3 ? 24 : 0) << "page " << p;
    FreeImage_UnlockPage(gif, page, FALSE);
  }
  FreeImage_CloseMultiBitmap(gif);
  FreeImage_CloseMemory(memory);
}

TEST(AnimatedGif, PlaysEveryPictureForItsTimeWithTransparency) {
  CExportAction action{"walk", kSide, kSide, 3, 4, {}};
  action.pictures.push_back(Picture(33, 0xE01020FF));
  SetPixel(action.pictures[0], 1, 2, 0x3060FF7F);      // under half opacity: transparent
  SetPixel(action.pictures[0], 4, 5, 0x3060FF80);      // half opacity: shown
  action.pictures.push_back(Picture(10, 0x00FF00FF));  // too short: its time goes to the next
  action.pictures.push_back(Picture(33, 0x00000000));
  SetPixel(action.pictures[2], 7, 7, 0xFFFF00FF);
  action.pictures.push_back(Picture(34, 0));
  for (int i = 0; i < kSide * kSide; ++i) {  // more colours than a palette holds
    SetPixel(action.pictures[3], i % kSide, i / kSide, 0x000000FFu | uint32_t(i * 40503) << 8);
  }
  std::vector<unsigned char> bytes;
  std::string error;
  ASSERT_TRUE(EncodeAnimatedGif(action, &bytes, &error)) << error;
  // 33, 43 and 34 ms end at 33, 76 and 110 ms: 3, 8 and 11 hundredths, the whole 110 ms.
  ExpectPlays(bytes, action, {{0, 3}, {2, 5}, {3, 3}});
}

TEST(AnimatedGif, SplitsLongPicturesKeepsALoneShortOneAndRefusesOddActions) {
  CExportAction action{"idle", kSide, kSide, 0, 0, {Picture(700000, 0x102030FF)}};
  std::vector<unsigned char> bytes;
  std::string error;
  ASSERT_TRUE(EncodeAnimatedGif(action, &bytes, &error)) << error;
  ExpectPlays(bytes, action, {{0, 65535}, {0, 4465}});
  action.pictures = {Picture(4, 0x102030FF)};
  ASSERT_TRUE(EncodeAnimatedGif(action, &bytes, &error)) << error;
  ExpectPlays(bytes, action, {{0, 1}});
  action.pictures.push_back(Picture(40, 0));
  // A drawing that reaches past the canvas.
  auto wide = std::make_shared<CPictureBits>(*action.pictures[1].bits);
  wide->w = kSide + 1;
  action.pictures[1].bits = wide;
  EXPECT_FALSE(EncodeAnimatedGif(action, &bytes, &error));
  EXPECT_EQ(error, "picture 1 does not match the action's canvas");
  action.pictures.clear();
  EXPECT_FALSE(EncodeAnimatedGif(action, &bytes, &error));
  EXPECT_EQ(error, "the action has no pictures");
  EXPECT_TRUE(bytes.empty());
}

}  // namespace
