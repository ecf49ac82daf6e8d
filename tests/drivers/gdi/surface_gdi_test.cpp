#include <gtest/gtest.h>

#include <climits>
#include <utility>

#include "core/canvas/recording_canvas.h"
#include "tests/drivers/gdi/gdi_test_support.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

// A 4 x 4 opaque picture without magenta.
uint32_t TileTexel(int x, int y) {
  return kOpaque | (40 + x * 50) << 16 | (y * 60) << 8 | 0x10;
}

}  // namespace

TEST_F(GdiCanvasTest, BitBltComposesSurfacesLeavingTheColourKeyOut) {
  const TSurfacePtr tile = Load("tile.bmp", FIF_BMP, 24, 4, 4, TileTexel);
  ASSERT_NE(tile, nullptr);
  // A sprite sheet made in memory: opaque magenta with the tile in its middle.
  const TSurfacePtr sheet(util.CreateUSurface(8, 8, 0));
  const TSurfacePtr target(util.CreateUSurface(24, 12, 0));
  ASSERT_NE(sheet, nullptr);
  ASSERT_NE(target, nullptr);
  EXPECT_TRUE(sheet->Clear(0x00FF00FF));
  EXPECT_TRUE(target->Clear(0x000000FF));  // 0x..RRGGBB: blue
  const URect tile_rect(0, 0, 4, 4);
  const URect middle(2, 2, 6, 6);
  EXPECT_TRUE(sheet->BitBlt(&middle, tile.get(), &tile_rect, nullptr));

  const URect whole_sheet(0, 0, 8, 8);
  const URect left(1, 2, 9, 10);
  const URect right(13, 2, 21, 10);
  BLTFX mirror;
  mirror.flags = BLTFX_MIRRORX;
  EXPECT_TRUE(target->BitBlt(&left, sheet.get(), &whole_sheet, nullptr));
  EXPECT_TRUE(target->BitBlt(&right, sheet.get(), &whole_sheet, &mirror));
  URecordingSurface foreign(1, 8, 8);
  EXPECT_FALSE(target->BitBlt(&left, &foreign, &whole_sheet, nullptr));

  PaintBackground(0x000000);
  const URect whole_target(0, 0, 24, 12);
  canvas.DrawSurface(&whole_target, target.get(), &whole_target, nullptr);
  EXPECT_TRUE(ShowsPicture([](int x, int y) -> uint32_t {
    if (x >= 24 || y >= 12) {
      return kOpaque;
    }
    // Where the sheet was magenta the blue of the target shows, up to its very edge.
    if (y >= 4 && y < 8 && x >= 3 && x < 7) {
      return TileTexel(x - 3, y - 4);
    }
    if (y >= 4 && y < 8 && x >= 15 && x < 19) {
      return TileTexel(18 - x, y - 4);
    }
    return 0xFF0000FF;
  }));
}

TEST_F(GdiCanvasTest, SurfaceSizesOutsideTheLimitsGiveNoSurface) {
  const std::pair<int, int> sizes[] = {{0, 5}, {5, 0}, {-3, 4}, {1 << 14, 1 << 13}, {INT_MAX, 2}};
  for (const auto& [width, height] : sizes) {
    EXPECT_EQ(util.CreateUSurface(width, height, 0), nullptr) << width << " x " << height;
  }
  const TSurfacePtr released(util.CreateUSurface(30, 20, 0));
  ASSERT_NE(released, nullptr);
  EXPECT_TRUE(released->Release());
  EXPECT_EQ(released->GetWidth(), 30);

  UCanvasGdi other;
  EXPECT_FALSE(other.CreateCanvas(&util, 1 << 14, 1 << 14));
  EXPECT_FALSE(other.CreateCanvas(&util, 0, 10));
}
