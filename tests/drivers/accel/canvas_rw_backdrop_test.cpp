#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "drivers/accel/engine/gl_objects.h"
#include "tests/drivers/accel/accel_fixture.h"

namespace {

constexpr uint32_t kGrey = 0xFF777777u;
constexpr uint32_t kWhite = 0xFFFFFFFFu;

}  // namespace

// A kept backdrop stands in for the drawing that repeats under every frame, and only while
// nothing it was drawn from has changed.
class UCanvasRwBackdropTest : public AccelTest {
 protected:
  void SetUp() override {
    AccelTest::SetUp();
    sprite_ = Texture(8, 8, DistinctTexels(8, 8));
    canvas_.SetBackGroundColor(0x60203040u);
  }

  void DrawBackdrop() {
    canvas_.DrawGrid(6, 5, kGrey);
    canvas_.DrawLine(0, 20, 64, 20, kWhite, 1);
    canvas_.DrawLine(30, 0, 30, 48, kWhite, 1);
  }

  void DrawSprite(int x, int y) {
    const URect src(0, 0, 8, 8);
    const URect dst(x, y, x + 8, y + 8);
    canvas_.DrawSurface(&dst, sprite_, &src, nullptr);
  }

  // The frame drawn whole, as a canvas without a backdrop draws it.
  std::vector<uint32_t> DrawnWhole(int spriteX, int spriteY) {
    EXPECT_EQ(canvas_.Clear(), 1);
    DrawBackdrop();
    DrawSprite(spriteX, spriteY);
    canvas_.Present();
    return Picture();
  }

  USurface* sprite_ = nullptr;
  const std::vector<int32_t> key_ = {6, 5};
};

TEST_F(UCanvasRwBackdropTest, FramesFromTheBackdropMatchFramesDrawnWhole) {
  EXPECT_EQ(canvas_.ClearToBackdrop(key_), 0);  // nothing kept yet

  const int objects = RwGlLiveObjectCount();
  ASSERT_EQ(canvas_.Clear(), 1);
  DrawBackdrop();
  ASSERT_TRUE(canvas_.KeepBackdrop(key_));
  EXPECT_EQ(RwGlLiveObjectCount(), objects + 2);  // the backdrop's texture and framebuffer
  DrawSprite(3, 4);
  canvas_.Present();
  const std::vector<uint32_t> first = Picture();
  EXPECT_EQ(first, DrawnWhole(3, 4));

  // The next frames start from the backdrop: the sprite drawn before has gone, the grid and
  // axes are there, and each picture is the one drawn whole.
  for (const UPoint at : {UPoint(20, 9), UPoint(50, 37), UPoint(-4, 44)}) {
    ASSERT_EQ(canvas_.ClearToBackdrop(key_), 1);
    DrawSprite(at.x, at.y);
    canvas_.Present();
    const std::vector<uint32_t> fromBackdrop = Picture();
    EXPECT_EQ(fromBackdrop, DrawnWhole(at.x, at.y)) << at.x << ", " << at.y;
  }

  // Keeping again replaces the backdrop in the same raster.
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawLine(0, 1, 64, 1, kWhite, 1);
  ASSERT_TRUE(canvas_.KeepBackdrop({7}));
  canvas_.Present();
  EXPECT_EQ(RwGlLiveObjectCount(), objects + 2);
  EXPECT_EQ(canvas_.ClearToBackdrop(key_), 0);
  ASSERT_EQ(canvas_.ClearToBackdrop({7}), 1);
  canvas_.Present();
  const std::vector<uint32_t> line = Picture();
  EXPECT_EQ(At(line, 5, 1), kWhite);
  EXPECT_EQ(At(line, 5, 2), 0x60203040u);

  canvas_.Release();
  EXPECT_EQ(RwGlLiveObjectCount(), objects - 3);  // the camera's texture, framebuffer, z-buffer
}

TEST_F(UCanvasRwBackdropTest, AChangeToWhatTheBackdropWasDrawnFromDrawsItAgain) {
  const auto keep = [this] {
    ASSERT_EQ(canvas_.Clear(), 1);
    DrawBackdrop();
    ASSERT_TRUE(canvas_.KeepBackdrop(key_));
    canvas_.Present();
  };
  const auto reused = [this] {
    const int begun = canvas_.ClearToBackdrop(key_);
    if (begun != 0) {
      canvas_.Present();
    }
    return begun != 0;
  };

  keep();
  EXPECT_FALSE(canvas_.ClearToBackdrop({6, 4}));
  EXPECT_TRUE(reused());

  canvas_.SetBackGroundColor(0xFF102030u);
  EXPECT_FALSE(reused());
  keep();
  EXPECT_TRUE(reused());

  canvas_.ZoomIn();
  EXPECT_FALSE(reused());
  keep();
  EXPECT_TRUE(reused());

  canvas_.SetOrigin(3, 2);
  EXPECT_FALSE(reused());
  keep();
  EXPECT_TRUE(reused());

  canvas_.SetClip(40, 30);
  EXPECT_FALSE(reused());
  keep();
  EXPECT_TRUE(reused());

  // A new camera for a resized window has no backdrop; one kept for it has the new size.
  ASSERT_TRUE(host_.Resize(50, 40));
  ASSERT_EQ(canvas_.UpdateBounds(), 1);
  EXPECT_FALSE(reused());
  ASSERT_EQ(canvas_.Clear(), 1);
  canvas_.DrawLine(0, 19, 25, 19, kWhite, 1);  // zoomed in: row 38
  ASSERT_TRUE(canvas_.KeepBackdrop(key_));
  canvas_.Present();
  ASSERT_EQ(canvas_.ClearToBackdrop(key_), 1);
  canvas_.Present();
  std::vector<uint32_t> pixels(50 * 40);
  ASSERT_TRUE(
      canvas_.ReadPixels(reinterpret_cast<uint8_t*>(pixels.data()), 50 * 4, RwPixelOrder::kBgra));
  EXPECT_EQ(pixels[38 * 50 + 49], kWhite);
  EXPECT_EQ(pixels[39 * 50 + 49], 0xFF102030u);

  // Without a camera nothing is kept or begun.
  canvas_.Release();
  EXPECT_FALSE(canvas_.KeepBackdrop(key_));
  EXPECT_EQ(canvas_.ClearToBackdrop(key_), 0);
}
