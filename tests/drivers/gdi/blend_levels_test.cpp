#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "drivers/gdi/blend_rows.h"
#include "drivers/gdi/raster_picture.h"

namespace {

constexpr uint32_t kMagenta = 0xFFFF00FF;

// A premultiplied pixel: channels never above alpha. Pictures come in runs of one kind, as
// sprites do, so that whole vector groups of opaque and of transparent pixels occur beside mixed
// ones.
class TPixelMaker {
 public:
  explicit TPixelMaker(uint32_t seed) : m_Random(seed) {}

  uint32_t Next() {
    if (m_Left == 0) {
      m_Kind = Uniform(0, 3);
      m_Left = Uniform(1, 12);
    }
    --m_Left;
    switch (m_Kind) {
      case 0:
        return 0;
      case 1:
        return Uniform(0, 4) == 0 ? kMagenta : 0xFF000000u | Uniform(0, 0xFFFFFF);
      case 2:
        return kMagenta;
      default:
        return Premultiplied(Uniform(0, 255));
    }
  }

  uint32_t Premultiplied(uint32_t alpha) {
    uint32_t pixel = alpha << 24;
    for (int shift = 0; shift < 24; shift += 8) {
      pixel |= Uniform(0, alpha) << shift;
    }
    return pixel;
  }

  uint32_t Uniform(uint32_t low, uint32_t high) {
    return std::uniform_int_distribution<uint32_t>(low, high)(m_Random);
  }
  int64_t Between(int64_t low, int64_t high) {
    return std::uniform_int_distribution<int64_t>(low, high)(m_Random);
  }

 private:
  std::mt19937 m_Random;
  uint32_t m_Kind = 0;
  uint32_t m_Left = 0;
};

URasterPicture RandomPicture(int width, int height, TPixelMaker& maker) {
  URasterPicture picture;
  EXPECT_TRUE(picture.Create(width, height));
  for (int y = 0; y < height; ++y) {
    uint32_t* row = picture.Row(y);
    for (int x = 0; x < width; ++x) {
      row[x] = maker.Next();
    }
  }
  return picture;
}

// The first pixel where two pictures of one size differ, or "" when none does.
std::string FirstDifference(const URasterPicture& actual, const URasterPicture& expected) {
  for (int y = 0; y < expected.Height(); ++y) {
    for (int x = 0; x < expected.Width(); ++x) {
      if (actual.Row(y)[x] != expected.Row(y)[x]) {
        return "(" + std::to_string(x) + ", " + std::to_string(y) +
               "): " + std::to_string(actual.Row(y)[x]) + " instead of " +
               std::to_string(expected.Row(y)[x]);
      }
    }
  }
  return "";
}

struct TDraw {
  TPixelRect to;
  TPixelRect from;
  TBlendMode mode;
};

// Draws of every kind: widths one to one (every remainder of the vector width) and stretched,
// rectangles reaching past either picture on any side, each mirror, with and without a key that
// the source holds.
std::vector<TDraw> RandomDraws(int count, int width, int height, TPixelMaker& maker) {
  std::vector<TDraw> draws;
  for (int i = 0; i < count; ++i) {
    TDraw draw;
    draw.from = {maker.Between(-6, width - 1), maker.Between(-6, height - 1),
                 maker.Between(1, width + 6), maker.Between(1, height + 6)};
    const bool stretched = maker.Uniform(0, 3) == 0;
    draw.to = {maker.Between(-20, 70), maker.Between(-20, 50),
               stretched ? maker.Between(1, 3 * width) : draw.from.width,
               stretched ? maker.Between(1, 3 * height) : draw.from.height};
    draw.mode.mirrorX = maker.Uniform(0, 1) == 1;
    draw.mode.mirrorY = maker.Uniform(0, 1) == 1;
    draw.mode.keyed = maker.Uniform(0, 2) != 0;
    draw.mode.key = maker.Uniform(0, 1) == 1 ? kMagenta : maker.Uniform(0, 0xFFFFFF);
    draws.push_back(draw);
  }
  return draws;
}

class BlendLevelTest : public ::testing::TestWithParam<EBlendLevel> {};

// Every level runs the same draws onto the same picture as the one-pixel-at-a-time loops and
// must leave every pixel as they do.
TEST_P(BlendLevelTest, GivesThePixelsOfTheScalarLoops) {
  const EBlendLevel level = GetParam();
  if (!IsBlendLevelAvailable(level)) {
    GTEST_SKIP() << "this processor does not run this level";
  }
  TPixelMaker maker(20261207);
  for (const auto& [source_width, source_height] : {std::pair{37, 23}, {8, 8}, {3, 5}}) {
    const URasterPicture source = RandomPicture(source_width, source_height, maker);
    URasterPicture expected = RandomPicture(71, 53, maker);
    URasterPicture actual = expected;
    for (const TDraw& draw : RandomDraws(400, source_width, source_height, maker)) {
      expected.Blend(draw.to, source, draw.from, draw.mode, EBlendLevel::kScalar);
      actual.Blend(draw.to, source, draw.from, draw.mode, level);
      const std::string difference = FirstDifference(actual, expected);
      ASSERT_EQ(difference, "") << "source " << source_width << " x " << source_height
                                << ", draw to (" << draw.to.x << ", " << draw.to.y << ") "
                                << draw.to.width << " x " << draw.to.height << " from ("
                                << draw.from.x << ", " << draw.from.y << ") " << draw.from.width
                                << " x " << draw.from.height << ", mirror " << draw.mode.mirrorX
                                << draw.mode.mirrorY << ", keyed " << draw.mode.keyed;
    }
  }
}

// A picture drawn onto itself reads its pixels as they were before the draw, at every level.
TEST_P(BlendLevelTest, DrawsAPictureOntoItselfFromItsFormerPixels) {
  const EBlendLevel level = GetParam();
  if (!IsBlendLevelAvailable(level)) {
    GTEST_SKIP() << "this processor does not run this level";
  }
  TPixelMaker maker(7);
  URasterPicture expected = RandomPicture(29, 17, maker);
  URasterPicture actual = expected;
  const URasterPicture former = expected;
  const TBlendMode mirrored{true, false, true, kMagenta};
  expected.Blend({3, 2, 25, 14}, former, {0, 1, 25, 14}, mirrored, EBlendLevel::kScalar);
  actual.Blend({3, 2, 25, 14}, actual, {0, 1, 25, 14}, mirrored, level);
  EXPECT_EQ(FirstDifference(actual, expected), "");
}

std::string LevelName(const ::testing::TestParamInfo<EBlendLevel>& info) {
  switch (info.param) {
    case EBlendLevel::kScalar:
      return "Scalar";
    case EBlendLevel::kSse2:
      return "Sse2";
    case EBlendLevel::kAvx2:
      return "Avx2";
  }
  return "Unknown";
}

INSTANTIATE_TEST_SUITE_P(EveryLevel, BlendLevelTest,
                         ::testing::Values(EBlendLevel::kScalar, EBlendLevel::kSse2,
                                           EBlendLevel::kAvx2),
                         LevelName);

TEST(BlendLevels, TheBestLevelRunsAndEveryX86ProcessorHasSse2) {
  EXPECT_TRUE(IsBlendLevelAvailable(BestBlendLevel()));
  EXPECT_TRUE(IsBlendLevelAvailable(EBlendLevel::kScalar));
#if defined(__x86_64__)
  EXPECT_TRUE(IsBlendLevelAvailable(EBlendLevel::kSse2));
#endif
}

}  // namespace
