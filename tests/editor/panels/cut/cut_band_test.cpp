#include <gtest/gtest.h>

#include "editor/panels/cut_band.h"

namespace {

void ExpectRect(const URect& rect, int left, int top, int right, int bottom) {
  EXPECT_EQ(rect.left, left);
  EXPECT_EQ(rect.top, top);
  EXPECT_EQ(rect.right, right);
  EXPECT_EQ(rect.bottom, bottom);
}

// A band over a 64 x 32 image: drawn, moved, resized and zoomed, it stays on whole cells inside
// the image and never becomes empty.
TEST(CutBandTest, StaysOnCellsInsideTheImage) {
  CCutBand band;
  band.Rescale(64, 32, 1);
  EXPECT_FALSE(band.HasRect());

  // Drawing up and to the left of the first cell covers both cells.
  band.Press({20, 20});
  EXPECT_EQ(band.GetState(), CCutBand::State::Drawing);
  ExpectRect(band.Rect(), 16, 16, 24, 24);
  band.Move({3, 5});
  ExpectRect(band.Rect(), 0, 0, 24, 24);
  // Past the image the band stops at its edge.
  band.Move({200, 100});
  ExpectRect(band.Rect(), 16, 16, 64, 32);
  band.Release({200, 100});
  EXPECT_EQ(band.GetState(), CCutBand::State::Idle);

  // Moving keeps the size and is pushed back inside.
  band.SetRect({0, 0, 16, 16});
  ASSERT_EQ(band.HitTest({8, 8}), CCutBand::Hit::Inside);
  band.Press({8, 8});
  band.Move({33, 9});
  ExpectRect(band.Rect(), 24, 0, 40, 16);
  band.Move({500, 500});
  ExpectRect(band.Rect(), 48, 16, 64, 32);
  band.Release({500, 500});

  // A corner grip moves two edges; an edge can not pass the one opposite.
  ASSERT_EQ(band.HitTest({48, 16}), CCutBand::Hit::TopLeft);
  band.Press({48, 16});
  band.Move({41, 9});
  ExpectRect(band.Rect(), 40, 8, 64, 32);
  band.Move({100, 100});
  ExpectRect(band.Rect(), 56, 24, 64, 32);
  band.Release({100, 100});
  EXPECT_TRUE(band.HasRect());

  // Zooming keeps the same image pixels under the band and scales the cell.
  band.Rescale(64, 32, 3);
  ExpectRect(band.Rect(), 168, 72, 192, 96);
  EXPECT_EQ(band.SnapWidth(), 24);
  ExpectRect(band.Bounds(), 0, 0, 192, 96);
  band.Rescale(64, 32, 1);
  ExpectRect(band.Rect(), 56, 24, 64, 32);
}

TEST(CutBandTest, HitTestNamesEveryGrip) {
  CCutBand band;
  band.Rescale(64, 64, 1);
  band.SetRect({8, 8, 40, 32});
  EXPECT_EQ(band.HitTest({7, 20}), CCutBand::Hit::Outside);
  EXPECT_EQ(band.HitTest({24, 20}), CCutBand::Hit::Inside);
  EXPECT_EQ(band.HitTest({8, 8}), CCutBand::Hit::TopLeft);
  EXPECT_EQ(band.HitTest({40, 8}), CCutBand::Hit::TopRight);
  EXPECT_EQ(band.HitTest({39, 31}), CCutBand::Hit::BottomRight);
  EXPECT_EQ(band.HitTest({10, 30}), CCutBand::Hit::BottomLeft);
  EXPECT_EQ(band.HitTest({9, 20}), CCutBand::Hit::Left);
  EXPECT_EQ(band.HitTest({38, 20}), CCutBand::Hit::Right);
  EXPECT_EQ(band.HitTest({24, 11}), CCutBand::Hit::Top);
  EXPECT_EQ(band.HitTest({24, 32}), CCutBand::Hit::Bottom);
  band.Clear();
  EXPECT_EQ(band.HitTest({24, 20}), CCutBand::Hit::Outside);
}

}  // namespace
