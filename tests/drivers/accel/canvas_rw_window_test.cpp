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
