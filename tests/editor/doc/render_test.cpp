#include <cstdint>
#include <functional>
#include <vector>

#include "tests/editor/doc/editor_fixture.h"

namespace {

constexpr uint32_t kGrid = 0x777777;
constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kOrigin = 0xFFEE0E;
constexpr uint32_t kGreen = 0x00FF00;
constexpr uint32_t kRed = 0xFF0000;
constexpr uint32_t kTagBlue = 0x0055FF;

}  // namespace

class RenderTest : public EditorTest {
 protected:
  std::vector<uint32_t> Paint() {
    editor_.Render();
    return Picture();
  }

  // A frame with one 16 x 8 placement at the world origin, drawn without grid and axes.
  void MakePlainFrame() {
    MakeFrame({UPoint(0, 0)});
    editor_.ToggleGrid();
    editor_.ToggleCentre();
  }

  // Expects texel (sx, sy) of the 16 x 8 texture at frame-local pixel `to(sx, sy)` for all.
  void ExpectTexels(const std::vector<uint32_t>& picture,
                    const std::function<UPoint(int, int)>& to) {
    int wrong = 0;
    for (int sy = 0; sy < 8; ++sy) {
      for (int sx = 0; sx < 16; ++sx) {
        const UPoint at = to(sx, sy);
        const uint32_t actual = Rgb(picture, editor_.Centre().x + at.x, editor_.Centre().y + at.y);
        if (actual != (Texel(sx, sy) & 0xFFFFFF) && ++wrong <= 4) {
          ADD_FAILURE() << "texel (" << sx << ", " << sy << ") at (" << at.x << ", " << at.y
                        << ") is 0x" << std::hex << actual;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
};

TEST_F(RenderTest, AnEmptyViewShowsTheBackgroundGridAndAxes) {
  std::vector<uint32_t> picture = Paint();
  EXPECT_EQ(editor_.Centre().x, 160);
  EXPECT_EQ(editor_.Centre().y, 120);
  // The starting background, alpha included, until a colour is chosen.
  EXPECT_EQ(picture[3 * kViewWidth + 3], 0x88888888u);
  EXPECT_EQ(Rgb(picture, 8, 3), kGrid);
  EXPECT_EQ(Rgb(picture, 3, 16), kGrid);
  EXPECT_EQ(Rgb(picture, 3, 120), kWhite);
  EXPECT_EQ(Rgb(picture, 160, 3), kWhite);
  EXPECT_EQ(Rgb(picture, 9, 3), 0x888888u);

  editor_.ToggleGrid();
  editor_.ToggleCentre();
  editor_.SetBackgroundColor(0x123456);
  picture = Paint();
  for (const UPoint at : {UPoint(3, 3), UPoint(8, 3), UPoint(3, 120), UPoint(160, 3)}) {
    EXPECT_EQ(Rgb(picture, at.x, at.y), 0x123456u);
  }
  EXPECT_GE(listener_.Count(kChangeTools), 3);

  // Zoomed in, the world origin moves to half the clip size in canvas units.
  editor_.ZoomIn();
  editor_.Render();
  EXPECT_EQ(editor_.Centre().x, 80);
  EXPECT_EQ(editor_.Centre().y, 60);
}

TEST_F(RenderTest, TheGridFollowsItsCellSizeAndAPlacementLeavesNoTrailWhenItMoves) {
  MakeFrame({UPoint(0, 0)});
  std::vector<uint32_t> picture = Paint();
  EXPECT_EQ(picture, Paint());
  EXPECT_EQ(Rgb(picture, 8, 3), kGrid);

  editor_.SetGridSize(10, 12);
  picture = Paint();
  EXPECT_EQ(Rgb(picture, 8, 3), 0x888888u);
  EXPECT_EQ(Rgb(picture, 10, 3), kGrid);
  EXPECT_EQ(Rgb(picture, 3, 12), kGrid);
  EXPECT_EQ(Rgb(picture, 3, 16), 0x888888u);

  // Moved away and back, the placement leaves the picture as it was.
  Placement(0).x = 40;
  const std::vector<uint32_t> moved = Paint();
  int changed = 0;
  for (size_t i = 0; i < moved.size(); ++i) {
    changed += moved[i] != picture[i] ? 1 : 0;
  }
  EXPECT_GT(changed, 0);
  Placement(0).x = 0;
  EXPECT_EQ(Paint(), picture);
}

TEST_F(RenderTest, AFrameShowsItsOriginSelectionCollisionAndTags) {
  MakePlainFrame();
  Frame().origin = UPoint16{4, 6};
  Placement(0).x = 10;
  Placement(0).y = 20;
  Frame().collision = URect(-30, -20, -10, -5);
  editor_.ToggleTagMode();
  editor_.CreateTag(160 + 4 + 40, 120 + 6 - 30);
  Frame().tags[0].width = 10;
  Frame().tags[0].height = 6;
  std::vector<uint32_t> picture = Paint();

  // The module at origin + position + centre.
  EXPECT_EQ(Rgb(picture, 174 + 2, 146 + 3), Texel(2, 3) & 0xFFFFFF);
  // The origin cross through (164, 126).
  EXPECT_EQ(Rgb(picture, 50, 126), kOrigin);
  EXPECT_EQ(Rgb(picture, 164, 50), kOrigin);
  // The collision rectangle (134, 106) - (154, 121).
  EXPECT_EQ(Rgb(picture, 134, 112), kRed);
  EXPECT_EQ(Rgb(picture, 140, 106), kRed);
  EXPECT_EQ(Rgb(picture, 154, 112), kRed);
  // The tag at (204, 96): its 10 x 6 outline in blue, its cross in white.
  EXPECT_EQ(Rgb(picture, 199, 98), kTagBlue);
  EXPECT_EQ(Rgb(picture, 209, 94), kTagBlue);
  EXPECT_EQ(Rgb(picture, 204, 91), kWhite);
  EXPECT_EQ(Rgb(picture, 204, 100), kWhite);
  EXPECT_TRUE(Rgb(picture, 200, 95) == kWhite || Rgb(picture, 200, 96) == kWhite);
  // No selection box yet.
  EXPECT_EQ(Rgb(picture, 174, 150), Texel(0, 4) & 0xFFFFFF);

  editor_.SelectPlacement(0);
  editor_.SelectTag(0);
  picture = Paint();
  // The green box around the 16 x 8 placement at (174, 146), and the selected tag's cross.
  EXPECT_EQ(Rgb(picture, 174, 150), kGreen);
  EXPECT_EQ(Rgb(picture, 190, 150), kGreen);
  EXPECT_EQ(Rgb(picture, 180, 146), kGreen);
  EXPECT_EQ(Rgb(picture, 180, 154), kGreen);
  EXPECT_EQ(Rgb(picture, 204, 91), kGreen);

  // The box follows the placement when it moves, without a new click.
  editor_.NudgePlacement(0, 10);
  picture = Paint();
  EXPECT_EQ(Rgb(picture, 174, 160), kGreen);
  EXPECT_NE(Rgb(picture, 180, 146), kGreen);

  // Outside tag mode no tag is drawn.
  editor_.ToggleTagMode();
  picture = Paint();
  EXPECT_NE(Rgb(picture, 204, 91), kGreen);
  EXPECT_NE(Rgb(picture, 199, 98), kTagBlue);
}

TEST_F(RenderTest, QuarterTurnsAndMirrorsAreDrawnAsTheyArePicked) {
  MakePlainFrame();
  // The picture at the world origin, the frame's origin cross clear of it.
  Frame().origin = UPoint16{-5, -5};
  TObjFrame& placement = Placement(0);
  placement.x = 5;
  placement.y = 5;

  placement.affine.Rotate = 1;  // clockwise: the left column becomes the top row
  ExpectTexels(Paint(), [](int sx, int sy) { return UPoint(7 - sy, sx); });
  placement.affine.Rotate = 2;
  ExpectTexels(Paint(), [](int sx, int sy) { return UPoint(15 - sx, 7 - sy); });
  placement.affine.Rotate = 3;
  ExpectTexels(Paint(), [](int sx, int sy) { return UPoint(sy, 15 - sx); });
  // Mirrored first, then turned.
  placement.affine.Rotate = 1;
  placement.affine.FlipX = 1;
  ExpectTexels(Paint(), [](int sx, int sy) { return UPoint(7 - sy, 15 - sx); });

  // The selection box stands on its side with the picture.
  editor_.SelectPlacement(0);
  const std::vector<uint32_t> picture = Paint();
  EXPECT_EQ(Rgb(picture, 160 + 8, 120 + 10), kGreen);
  EXPECT_EQ(Rgb(picture, 160 + 4, 120 + 16), kGreen);
}
