#include <epoxy/gl.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/drivers/accel/accel_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

}  // namespace

// How the accelerated canvas meets its window: a camera that follows the window's size, and a
// picture that reaches the window opaque.
class UCanvasRwWindowTest : public AccelTest {
 protected:
  // The window's picture as 0xAARRGGBB words, top row first.
  std::vector<uint32_t> WindowPicture(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
    EXPECT_TRUE(host_.ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()), width * 4,
                                 RwPixelOrder::kBgra));
    return pixels;
  }

  std::vector<uint32_t> CameraPicture(int width, int height) {
    std::vector<uint32_t> pixels(static_cast<size_t>(width * height));
    EXPECT_TRUE(canvas_.ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()), width * 4,
                                   RwPixelOrder::kBgra));
    return pixels;
  }
};

TEST_F(UCanvasRwWindowTest, TheCameraFollowsTheWindowSizeAndTexturesLoadedBeforeStillDraw) {
  const std::vector<uint32_t> texels = DistinctTexels(8, 8);
  USurface* surface = Texture(8, 8, texels);

  // An unchanged window keeps its camera; the clip extent, made at the screen's size as the
  // editor makes it, becomes the window's.
  ASSERT_TRUE(canvas_.CreateCanvas(&util_, 800, 600));
  const RwCamera* first = canvas_.GetCamera();
  EXPECT_EQ(canvas_.UpdateBounds(), 1);
  EXPECT_EQ(canvas_.GetCamera(), first);
  EXPECT_EQ(canvas_.GetClipWidth(), kWidth);
  EXPECT_EQ(canvas_.GetClipHeight(), kHeight);

  // The user makes the window larger: the camera and the clip extent take the new size.
  constexpr int kWide = 100;
  constexpr int kTall = 70;
  ASSERT_TRUE(host_.Resize(kWide, kTall));
  EXPECT_EQ(canvas_.UpdateBounds(), 1);
  EXPECT_EQ(canvas_.GetCameraWidth(), kWide);
  EXPECT_EQ(canvas_.GetCameraHeight(), kTall);
  EXPECT_EQ(canvas_.GetClipWidth(), kWide);
  EXPECT_EQ(canvas_.GetClipHeight(), kTall);

  // The texture read before the resize draws into the part of the view that is new.
  const URect src(0, 0, 8, 8);
  const URect dst(90, 60, 98, 68);
  canvas_.SetBackGroundColor(kBlack);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&dst, surface, &src, nullptr);
  ASSERT_EQ(canvas_.Present(), 1);
  std::vector<uint32_t> expected(static_cast<size_t>(kWide * kTall), kBlack);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      expected[static_cast<size_t>((dst.top + y) * kWide + dst.left + x)] =
          texels[static_cast<size_t>(y * 8 + x)];
    }
  }
  EXPECT_EQ(CameraPicture(kWide, kTall), expected);
  // The whole window shows it, the view's top-left corner at the window's.
  EXPECT_EQ(WindowPicture(kWide, kTall), expected);

  // Smaller again: the camera shrinks with the window and still draws.
  ASSERT_TRUE(host_.Resize(20, 12));
  EXPECT_EQ(canvas_.UpdateBounds(), 1);
  EXPECT_EQ(canvas_.GetCameraWidth(), 20);
  EXPECT_EQ(canvas_.GetCameraHeight(), 12);
  const URect corner(2, 2, 10, 10);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&corner, surface, &src, nullptr);
  ASSERT_EQ(canvas_.Present(), 1);
  const std::vector<uint32_t> small = WindowPicture(20, 12);
  EXPECT_EQ(small[0], kBlack);
  EXPECT_EQ(small[2 * 20 + 2], texels[0]);
  EXPECT_EQ(small[9 * 20 + 9], texels[63]);
}

TEST_F(UCanvasRwWindowTest, ACanvasWithoutACameraHasNothingToFollow) {
  canvas_.Release();
  ASSERT_TRUE(host_.Resize(30, 30));
  EXPECT_EQ(canvas_.UpdateBounds(), 1);
  EXPECT_EQ(canvas_.GetCamera(), nullptr);
  EXPECT_EQ(canvas_.Clear(), 0);
}

TEST_F(UCanvasRwWindowTest, PresentHandsTheWindowOpaquePixelsWhateverTheBackgroundAlpha) {
  // A grey with alpha 0x88 behind a texel that is itself half transparent.
  USurface* surface = Texture(2, 1, {0x40FF0000u, 0xFF00FF00u});
  const URect src(0, 0, 2, 1);
  const URect dst(4, 4, 6, 5);
  ASSERT_TRUE(host_.MakeContextCurrent());
  glScissor(1, 2, 3, 4);
  canvas_.SetBackGroundColor(0x88888888u);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&dst, surface, &src, nullptr);
  ASSERT_EQ(canvas_.Present(), 1);

  const std::vector<uint32_t> camera = CameraPicture(kWidth, kHeight);
  const std::vector<uint32_t> window = WindowPicture(kWidth, kHeight);
  // The camera keeps the alpha it was drawn with; the window gets the same colours, opaque.
  EXPECT_EQ(camera[0] >> 24, 0x88u);
  int seeThrough = 0;
  for (size_t i = 0; i < window.size(); ++i) {
    if (window[i] >> 24 != 0xFFu) {
      ++seeThrough;
    }
    ASSERT_EQ(window[i] & 0xFFFFFFu, camera[i] & 0xFFFFFFu) << "pixel " << i;
  }
  EXPECT_EQ(seeThrough, 0);
  EXPECT_EQ(window[0], 0xFF888888u);
  EXPECT_EQ(At(window, 5, 4), 0xFF00FF00u);

  // The owner's scissor box is as it was.
  GLint box[4] = {};
  glGetIntegerv(GL_SCISSOR_BOX, box);
  EXPECT_EQ(box[0], 1);
  EXPECT_EQ(box[1], 2);
  EXPECT_EQ(box[2], 3);
  EXPECT_EQ(box[3], 4);
}

TEST_F(UCanvasRwWindowTest, AWindowOfAnotherSizeShowsThePictureFromItsTopLeftCorner) {
  // Texels of every alpha over a see-through background fill the camera, so a pixel moved,
  // filtered or left with its own alpha shows.
  std::vector<uint32_t> texels;
  for (uint32_t i = 0; i < 16 * 12; ++i) {
    texels.push_back((i * 37u % 256u) << 24 | (i * 7u % 256u) << 16 | (i * 13u % 256u) << 8 | i);
  }
  USurface* surface = Texture(16, 12, texels);
  canvas_.SetBackGroundColor(0x30A05010u);
  ASSERT_EQ(canvas_.Clear(), 1);
  const URect src(0, 0, 16, 12);
  for (int y = 0; y < kHeight; y += 12) {
    for (int x = 0; x < kWidth; x += 16) {
      const URect dst(x + y / 12, y, x + y / 12 + 16, y + 12);
      canvas_.DrawSurface(&dst, surface, &src, nullptr);
    }
  }
  ASSERT_EQ(canvas_.Present(), 1);
  const std::vector<uint32_t> camera = CameraPicture(kWidth, kHeight);

  // A window grown past the camera, before the canvas follows it: the picture fills the window's
  // top-left corner, opaque, and the rest of the window keeps what it held, alpha and all.
  constexpr int kWide = kWidth + 10;
  constexpr int kTall = kHeight + 7;
  constexpr uint32_t kUntouched = 0x20406080u;
  ASSERT_TRUE(host_.Resize(kWide, kTall));
  glBindFramebuffer(GL_FRAMEBUFFER, host_.GetFramebuffer());
  glClearColor(0x40 / 255.0f, 0x60 / 255.0f, 0x80 / 255.0f, 0x20 / 255.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawSurface(&src, surface, &src, nullptr);
  ASSERT_EQ(canvas_.Present(), 1);
  const std::vector<uint32_t> grown = CameraPicture(kWidth, kHeight);
  const std::vector<uint32_t> large = WindowPicture(kWide, kTall);
  for (int y = 0; y < kTall; ++y) {
    for (int x = 0; x < kWide; ++x) {
      const uint32_t expected = x < kWidth && y < kHeight
                                    ? 0xFF000000u | grown[static_cast<size_t>(y * kWidth + x)]
                                    : kUntouched;
      ASSERT_EQ(large[static_cast<size_t>(y * kWide + x)], expected) << x << ", " << y;
    }
  }

  // A window shrunk below the camera shows the picture's top-left part.
  constexpr int kNarrow = kWidth - 23;
  constexpr int kShort = kHeight - 17;
  ASSERT_TRUE(host_.Resize(kNarrow, kShort));
  ASSERT_EQ(canvas_.Clear(), 1);
  for (int y = 0; y < kHeight; y += 12) {
    for (int x = 0; x < kWidth; x += 16) {
      const URect dst(x + y / 12, y, x + y / 12 + 16, y + 12);
      canvas_.DrawSurface(&dst, surface, &src, nullptr);
    }
  }
  ASSERT_EQ(canvas_.Present(), 1);
  const std::vector<uint32_t> small = WindowPicture(kNarrow, kShort);
  for (int y = 0; y < kShort; ++y) {
    for (int x = 0; x < kNarrow; ++x) {
      ASSERT_EQ(small[static_cast<size_t>(y * kNarrow + x)],
                0xFF000000u | camera[static_cast<size_t>(y * kWidth + x)])
          << x << ", " << y;
    }
  }
}
