#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <variant>
#include <vector>

#include "core/canvas/canvas_util.h"
#include "core/canvas/recording_canvas.h"

namespace {

std::vector<URecordedLine> Lines(const URecordingCanvas& canvas) {
  std::vector<URecordedLine> lines;
  for (const URecordedCall& call : canvas.GetCalls()) {
    if (const auto* line = std::get_if<URecordedLine>(&call)) {
      lines.push_back(*line);
    }
  }
  return lines;
}

}  // namespace

TEST(UCanvasTest, ZoomStaysWithinOneToEight) {
  URecordingCanvas canvas;
  EXPECT_EQ(canvas.GetZoom(), 1);
  EXPECT_EQ(canvas.ZoomOut(), 1);
  for (int step = 2; step <= 8; ++step) {
    EXPECT_EQ(canvas.ZoomIn(), step);
  }
  EXPECT_EQ(canvas.ZoomIn(), 8);
  EXPECT_EQ(canvas.ZoomOut(), 7);
}

TEST(UCanvasTest, ScreenToCanvasDividesByZoomAndAddsTheOrigin) {
  URecordingCanvas canvas;
  canvas.ZoomIn();
  UPoint point(7, 5);
  canvas.ScreenToCanvas(&point);
  EXPECT_EQ(point, UPoint(3, 2));
  canvas.SetOrigin(10.9f, -4.9f);
  UPoint negative(-7, 5);
  canvas.ScreenToCanvas(&negative);
  EXPECT_EQ(negative, UPoint(-3 + 10, 2 - 4));
  canvas.ScreenToCanvas(nullptr);
}

TEST(UCanvasTest, SettersTruncateTowardZeroAndHoldWildValues) {
  URecordingCanvas canvas;
  canvas.SetPos(2.9f, -2.9f);
  EXPECT_EQ(canvas.GetPos(), UPoint(2, -2));
  canvas.SetClip(100.7f, 40.2f);
  EXPECT_EQ(canvas.GetClipWidth(), 100);
  EXPECT_EQ(canvas.GetClipHeight(), 40);
  canvas.SetOrigin(std::numeric_limits<float>::quiet_NaN(), 1e20f);
  EXPECT_EQ(canvas.GetOrigin(), UPoint(0, std::numeric_limits<int32_t>::max()));
}

TEST(UCanvasTest, DrawRectIsFourUnitLinesInOrder) {
  URecordingCanvas canvas;
  canvas.DrawRect(1, 2, 30, 40, 0xFF00FF00);
  const std::vector<URecordedLine> lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 4u);
  const float expected[4][4] = {{1, 2, 1, 40}, {1, 2, 30, 2}, {30, 2, 30, 40}, {1, 40, 30, 40}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].x1, expected[i][0]);
    EXPECT_EQ(lines[i].y1, expected[i][1]);
    EXPECT_EQ(lines[i].x2, expected[i][2]);
    EXPECT_EQ(lines[i].y2, expected[i][3]);
    EXPECT_EQ(lines[i].width, 1);
    EXPECT_EQ(lines[i].color, 0xFF00FF00u);
  }
}

TEST(UCanvasTest, GridCoversTheClipWithoutALineAtZero) {
  URecordingCanvas canvas;
  canvas.CreateCanvas(nullptr, 100, 40);
  canvas.DrawGrid(16, 16, 0x808080);
  const std::vector<URecordedLine> lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 8u);
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(lines[i].x1, 16.0f * static_cast<float>(i + 1));
    EXPECT_EQ(lines[i].x2, lines[i].x1);
    EXPECT_EQ(lines[i].y1, 0.0f);
    EXPECT_EQ(lines[i].y2, 40.0f);
  }
  EXPECT_EQ(lines[6].y1, 16.0f);
  EXPECT_EQ(lines[7].y1, 32.0f);
  EXPECT_EQ(lines[7].x2, 100.0f);
}

TEST(UCanvasTest, GridFromAnOffsetIgnoresTheOrigin) {
  URecordingCanvas canvas;
  canvas.CreateCanvas(nullptr, 20, 10);
  canvas.SetOrigin(100, 100);
  canvas.DrawGrid(3, 1, 10, 10, 0);
  std::vector<URecordedLine> lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x1, 13.0f);
  EXPECT_EQ(lines[1].x1, 23.0f);
  EXPECT_EQ(lines[2].y1, 11.0f);

  canvas.ForgetCalls();
  canvas.DrawGrid(10, 10, 0);  // from the origin
  lines = Lines(canvas);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].x1, 110.0f);
}

TEST(UCanvasTest, ZeroCellSizesDrawNothing) {
  URecordingCanvas canvas;
  canvas.CreateCanvas(nullptr, 100, 100);
  canvas.DrawGrid(0, 16, 0);
  canvas.DrawGrid(5, 5, 16, -1, 0);
  EXPECT_TRUE(canvas.GetCalls().empty());
}

TEST(UCanvasTest, TilesDrawTheMainSurface) {
  URecordingCanvas canvas;
  UMaterialBmp material(new URecordingSurface(0, 64, 64));
  const URect dst(0, 0, 16, 16);
  const URect src(16, 16, 32, 24);
  canvas.DrawTile(&material, &dst, &src);
  canvas.DrawTile(&material, 5u, 7u, &src);
  canvas.DrawMaterial(&dst, &material, &src, nullptr);  // no driver draws materials
  UMaterialBmp empty;
  canvas.DrawTile(&empty, &dst, &src);
  canvas.DrawTile(nullptr, 1u, 1u, &src);

  ASSERT_EQ(canvas.GetCalls().size(), 2u);
  const auto& plain = std::get<URecordedSurfaceDraw>(canvas.GetCalls()[0]);
  EXPECT_EQ(plain.surface, material.GetMainSurface());
  EXPECT_FALSE(plain.fx.has_value());
  const auto& placed = std::get<URecordedSurfaceDraw>(canvas.GetCalls()[1]);
  ASSERT_TRUE(placed.dst.has_value());
  EXPECT_EQ(placed.dst->left, 5);
  EXPECT_EQ(placed.dst->top, 7);
  EXPECT_EQ(placed.dst->right, 21);
  EXPECT_EQ(placed.dst->bottom, 15);
  ASSERT_TRUE(placed.fx.has_value());
  EXPECT_EQ(placed.fx->size, 16u);
  EXPECT_EQ(placed.fx->flags, 0u);
}
