#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "tests/drivers/accel/accel_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;

}  // namespace

class QuarterTurnTest : public AccelTest {
 protected:
  std::vector<uint32_t> Draw(const URect& dst, USurface* surface, const URect& src,
                             const BLTFX& fx) {
    canvas_.SetBackGroundColor(kBlack);
    EXPECT_EQ(canvas_.Clear(), 1);
    canvas_.DrawSurface(&dst, surface, &src, &fx);
    EXPECT_EQ(canvas_.Present(), 1);
    return Picture();
  }
};

TEST_F(QuarterTurnTest, PicturesAreMirroredThenTurnedClockwiseThenScaled) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  const URect src(4, 5, 10, 9);  // 6 x 4 texels
  const URect dst(3, 2, 15, 6);  // twice as wide, as tall: a scale of (2, 1)
  const int w = src.GetWidth();
  const int h = src.GetHeight();
  canvas_.SetDrawQuarterTurns(true);
  ASSERT_TRUE(canvas_.GetDrawQuarterTurns());
  struct Case {
    uint32_t flags;
    int turns;
  };
  const Case cases[] = {{0, 0},
                        {BLTFX_ROT90, 1},
                        {BLTFX_ROT180, 2},
                        {BLTFX_ROT270, 3},
                        {BLTFX_ROT90 | BLTFX_MIRRORX, 1},
                        {BLTFX_ROT270 | BLTFX_MIRRORY, 3},
                        {BLTFX_ROT180 | BLTFX_MIRRORX | BLTFX_MIRRORY, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    BLTFX fx;
    fx.flags = c.flags;
    const std::vector<uint32_t> picture = Draw(dst, surface, src, fx);
    // The turned picture is h x w texels on its side; each texel covers 2 x 1 pixels from the
    // destination's top-left.
    const bool onSide = c.turns % 2 == 1;
    const int turnedW = onSide ? h : w;
    const int turnedH = onSide ? w : h;
    std::vector<uint32_t> expected(picture.size(), kBlack);
    for (int ty = 0; ty < turnedH; ++ty) {
      for (int tx = 0; tx < turnedW; ++tx) {
        // Back from the turned picture to the mirrored one, then to the module.
        int mx = tx;
        int my = ty;
        if (c.turns == 1) {
          mx = ty;
          my = h - 1 - tx;
        } else if (c.turns == 2) {
          mx = w - 1 - tx;
          my = h - 1 - ty;
        } else if (c.turns == 3) {
          mx = w - 1 - ty;
          my = tx;
        }
        const int u = src.left + ((c.flags & BLTFX_MIRRORX) != 0 ? w - 1 - mx : mx);
        const int v = src.top + ((c.flags & BLTFX_MIRRORY) != 0 ? h - 1 - my : my);
        for (int dx = 0; dx < 2; ++dx) {
          expected[static_cast<size_t>((dst.top + ty) * kWidth + dst.left + tx * 2 + dx)] =
              texels[static_cast<size_t>(v * 16 + u)];
        }
      }
    }
    int wrong = 0;
    for (size_t i = 0; i < picture.size(); ++i) {
      if (picture[i] != expected[i] && ++wrong <= 4) {
        ADD_FAILURE() << "pixel (" << i % kWidth << ", " << i / kWidth << ") is 0x" << std::hex
                      << picture[i] << ", expected 0x" << expected[i];
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST_F(QuarterTurnTest, FreeRotationComesLastAboutTheTurnedPictureAndTheOptionStartsOff) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  const URect src(0, 0, 8, 4);
  const URect dst(20, 10, 28, 14);
  EXPECT_FALSE(canvas_.GetDrawQuarterTurns());
  BLTFX plain;
  BLTFX turned;
  turned.flags = BLTFX_ROT90;
  // Off: the bit is recorded and the picture drawn as it is.
  EXPECT_EQ(Draw(dst, surface, src, turned), Draw(dst, surface, src, plain));

  canvas_.SetDrawQuarterTurns(true);
  // A quarter turn and a free half turn about the turned picture's centre make three quarters.
  BLTFX threeQuarters;
  threeQuarters.flags = BLTFX_ROT270;
  BLTFX quarterAndHalf;
  quarterAndHalf.flags = BLTFX_ROT90 | BLTFX_ROTATE;
  quarterAndHalf.angle = 180.0f;
  EXPECT_EQ(Draw(dst, surface, src, quarterAndHalf), Draw(dst, surface, src, threeQuarters));
}
