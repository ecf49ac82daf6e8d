#include <gtest/gtest.h>

#include <variant>
#include <vector>

#include "core/anim/path_2d.h"
#include "core/canvas/recording_canvas.h"

namespace {

std::vector<URecordedLine> Lines(const URecordingCanvas& canvas) {
  std::vector<URecordedLine> lines;
  for (const URecordedCall& call : canvas.GetCalls()) {
    lines.push_back(std::get<URecordedLine>(call));
  }
  return lines;
}

}  // namespace

TEST(U2DPathTest, StartsAsAnEmptyPathShape) {
  U2DPath path;
  EXPECT_EQ(path.type, 3);
  EXPECT_EQ(path.color, 0xFFFFu);
  EXPECT_FALSE(path.showPoints);
  EXPECT_EQ(path.GetLast(), nullptr);
  EXPECT_EQ(path.GetPoint(0), nullptr);
  path.DelPoint(0);
  EXPECT_EQ(path.GetNumPoints(), 0);
}

TEST(U2DPathTest, HoldsAtMost512Points) {
  U2DPath path;
  for (int i = 0; i < 513; ++i) {
    path.AddPoint(UPoint(i, -i));
  }
  EXPECT_EQ(path.GetNumPoints(), 512);
  EXPECT_EQ(*path.GetLast(), UPoint(511, -511));
  EXPECT_EQ(path.GetPoint(512), nullptr);
  EXPECT_EQ(path.GetPoint(-1), nullptr);

  path.DelPoint(0);
  EXPECT_EQ(path.GetNumPoints(), 511);
  EXPECT_EQ(*path.GetPoint(0), UPoint(1, -1));
  path.DelPoint(1000);  // past the end removes the last point
  EXPECT_EQ(*path.GetLast(), UPoint(510, -510));
  path.DelPoint(-1);
  EXPECT_EQ(path.GetNumPoints(), 510);
}

TEST(U2DPathTest, DrawsSegmentsBetweenConsecutivePoints) {
  U2DPath path;
  path.color = 0xFF123456;
  path.AddPoint(UPoint(0, 0));
  path.AddPoint(UPoint(10, 0));
  path.AddPoint(UPoint(10, 5));
  URecordingCanvas canvas;
  path.Render(canvas);
  const std::vector<URecordedLine> lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].x2, 10.0f);
  EXPECT_EQ(lines[1].x1, 10.0f);
  EXPECT_EQ(lines[1].y2, 5.0f);
  EXPECT_EQ(lines[1].color, 0xFF123456u);
  EXPECT_EQ(lines[1].width, 1);
}

TEST(U2DPathTest, OnePointDrawsOnlyItsMarkers) {
  U2DPath path;
  path.AddPoint(UPoint(20, 30));
  URecordingCanvas canvas;
  path.Render(canvas);
  EXPECT_TRUE(canvas.GetCalls().empty());

  path.showPoints = true;
  path.Render(canvas);
  const std::vector<URecordedLine> lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 8u);  // two rectangles of four lines
  EXPECT_EQ(lines[0].x1, 18.0f);
  EXPECT_EQ(lines[0].y1, 28.0f);
  EXPECT_EQ(lines[0].y2, 32.0f);
  EXPECT_EQ(lines[0].color, 0xFFFF00u);
  EXPECT_EQ(lines[4].x1, 19.0f);
  EXPECT_EQ(lines[4].y2, 31.0f);
  EXPECT_EQ(lines[4].color, 0xFF0000u);
}

TEST(U2DPathTest, CopiesCarryThePoints) {
  U2DPath path;
  path.AddPoint(UPoint(1, 2));
  path.showPoints = true;
  path.name = UName("route");
  U2DPath copy(path);
  path.AddPoint(UPoint(3, 4));
  EXPECT_EQ(copy.GetNumPoints(), 1);
  EXPECT_TRUE(copy.showPoints);
  EXPECT_TRUE(copy.name == UName("route"));
  copy = path;
  EXPECT_EQ(copy.GetNumPoints(), 2);
}
