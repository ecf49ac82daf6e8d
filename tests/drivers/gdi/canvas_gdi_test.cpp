#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/drivers/gdi/gdi_test_support.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000;
constexpr uint32_t kMagenta = 0xFFFF00FF;

// An 8 x 6 picture with magenta on every third diagonal and distinct colours elsewhere.
uint32_t MagentaTexel(int x, int y) {
  return (x + y) % 3 == 0 ? kMagenta : kOpaque | (x * 30) << 16 | (y * 40) << 8 | 0x40;
}

// A 16 x 4 picture whose alpha rises from 0 to 255 along each row, one colour a row.
uint32_t AlphaTexel(int x, int y) {
  static constexpr uint32_t kRows[4] = {0xFF0000, 0x00FF00, 0x0000FF, 0x80C0FF};
  return static_cast<uint32_t>(x * 17) << 24 | kRows[y];
}

// A 12 x 10 opaque picture in which every pixel has its own colour.
uint32_t DistinctTexel(int x, int y) {
  return kOpaque | (x * 20) << 16 | (y * 25) << 8 | 0x80;
}

// Exact straight-alpha `source` over the opaque colour `under`, per channel.
void Over(uint32_t source, uint32_t under, double (&result)[4]) {
  const double alpha = Channel(source, 24) / 255.0;
  const int shifts[3] = {16, 8, 0};
  for (int i = 0; i < 3; ++i) {
    result[i] = Channel(source, shifts[i]) * alpha + Channel(under, shifts[i]) * (1.0 - alpha);
  }
  result[3] = 255;
}

struct TDrawCase {
  const char* name;
  bool effects;
  uint32_t flags;
  int zoom;
};

}  // namespace

TEST_F(GdiCanvasTest, MagentaOfA24BitBmpLeavesTheBackgroundUntouched) {
  constexpr uint32_t kBackground = 0x336699;
  const TSurfacePtr texture = Load("magenta.bmp", FIF_BMP, 24, 8, 6, MagentaTexel);
  ASSERT_NE(texture, nullptr);
  const TDrawCase cases[] = {
      {"plain", false, 0, 1},
      {"plain", false, 0, 2},
      {"effects", true, 0, 1},
      {"effects", true, 0, 2},
      {"effects mirrored", true, BLTFX_MIRRORX, 2},
  };
  for (const TDrawCase& draw : cases) {
    SCOPED_TRACE(std::string(draw.name) + " at zoom " + std::to_string(draw.zoom));
    SetView(1, 0, 0);
    PaintBackground(kBackground);
    SetView(draw.zoom, 5, 3);
    BLTFX fx;
    fx.flags = draw.flags;
    const URect dst(3, 2, 11, 8);
    const URect src(0, 0, 8, 6);
    canvas.DrawSurface(&dst, texture.get(), &src, draw.effects ? &fx : nullptr);

    const int zoom = draw.zoom;
    EXPECT_TRUE(ShowsPicture([&](int x, int y) {
      const int left = zoom * 3 + 5;
      const int top = zoom * 2 + 3;
      if (x < left || y < top || x >= left + zoom * 8 || y >= top + zoom * 6) {
        return kOpaque | kBackground;
      }
      const int u = (x - left) / zoom;
      const uint32_t texel =
          MagentaTexel((draw.flags & BLTFX_MIRRORX) != 0 ? 7 - u : u, (y - top) / zoom);
      return texel == kMagenta ? kOpaque | kBackground : texel;
    }));
  }
}

TEST_F(GdiCanvasTest, PartialAlphaOfA32BitPngBlendsSourceOver) {
  constexpr uint32_t kBackground = 0x406080;
  const TSurfacePtr texture = Load("alpha.png", FIF_PNG, 32, 16, 4, AlphaTexel);
  ASSERT_NE(texture, nullptr);
  for (const bool effects : {false, true}) {
    SCOPED_TRACE(effects ? "effects" : "plain");
    PaintBackground(kBackground);
    const BLTFX fx;
    const URect dst(2, 3, 18, 7);
    const URect src(0, 0, 16, 4);
    canvas.DrawSurface(&dst, texture.get(), &src, effects ? &fx : nullptr);
    canvas.Present();
    for (int y = 0; y < 4; ++y) {
      for (int x = 0; x < 16; ++x) {
        double expected[4];
        Over(AlphaTexel(x, y), kBackground, expected);
        // The loader premultiplies truncating, the blend rounds: within 1.5 of the exact value.
        EXPECT_TRUE(ColorNear(Shown(x + 2, y + 3), expected, 1.5)) << "texel " << x << ", " << y;
      }
    }
    EXPECT_EQ(Shown(1, 3), kOpaque | kBackground);
    EXPECT_EQ(Shown(18, 6), kOpaque | kBackground);
  }
}

TEST_F(GdiCanvasTest, MirroredDrawsShowExactlyTheSourceRectangle) {
  constexpr uint32_t kBackground = 0x000000;
  const TSurfacePtr texture = Load("distinct.bmp", FIF_BMP, 24, 12, 10, DistinctTexel);
  ASSERT_NE(texture, nullptr);
  const TDrawCase cases[] = {
      {"unmirrored", true, 0, 1},
      {"left to right", true, BLTFX_MIRRORX, 1},
      {"top to bottom", true, BLTFX_MIRRORY, 1},
      {"both", true, BLTFX_MIRRORX | BLTFX_MIRRORY, 1},
      {"unmirrored", true, 0, 3},
      {"left to right", true, BLTFX_MIRRORX, 3},
      {"top to bottom", true, BLTFX_MIRRORY, 3},
      {"both", true, BLTFX_MIRRORX | BLTFX_MIRRORY, 3},
  };
  for (const TDrawCase& draw : cases) {
    SCOPED_TRACE(std::string(draw.name) + " at zoom " + std::to_string(draw.zoom));
    SetView(1, 0, 0);
    PaintBackground(kBackground);
    SetView(draw.zoom, 0, 0);
    BLTFX fx;
    fx.flags = draw.flags;
    // A module in the middle of the texture, with neighbours on every side that must not show.
    const URect src(3, 2, 7, 6);
    const URect dst(2, 1, 6, 5);
    canvas.DrawSurface(&dst, texture.get(), &src, &fx);

    const int zoom = draw.zoom;
    EXPECT_TRUE(ShowsPicture([&](int x, int y) {
      const int u = x / zoom - 2;
      const int v = y / zoom - 1;
      if (u < 0 || v < 0 || u >= 4 || v >= 4) {
        return kOpaque | kBackground;
      }
      return DistinctTexel(3 + ((draw.flags & BLTFX_MIRRORX) != 0 ? 3 - u : u),
                           2 + ((draw.flags & BLTFX_MIRRORY) != 0 ? 3 - v : v));
    }));
  }
}

TEST_F(GdiCanvasTest, ClearPaintsAnOpaqueGradientFromTheBackgroundToWhite) {
  for (const uint32_t background : {0x00000000u, 0xFF3070A0u, 0x80FFFFFFu}) {
    SCOPED_TRACE(Hex(background));
    canvas.SetBackGroundColor(background);
    EXPECT_EQ(canvas.Clear(), 1);
    canvas.Present();
    for (int y = 0; y < kHeight; ++y) {
      double expected[4];
      const int shifts[3] = {16, 8, 0};
      for (int i = 0; i < 3; ++i) {
        const int top = Channel(background, shifts[i]);
        expected[i] = top + (255 - top) * static_cast<double>(y) / kHeight;
      }
      expected[3] = 255;
      for (const int x : {0, kWidth / 2, kWidth - 1}) {
        EXPECT_TRUE(ColorNear(Shown(x, y), expected, 1.0)) << x << ", " << y;
      }
    }
    EXPECT_EQ(Shown(0, 0), kOpaque | background);
  }
}

TEST_F(GdiCanvasTest, ClearCoversOnlyTheClipExtent) {
  PaintBackground(0x123456);
  canvas.SetBackGroundColor(0x00FF0000);
  canvas.SetClip(20, 10);
  canvas.Clear();
  canvas.SetClip(kWidth, kHeight);
  canvas.Present();
  EXPECT_EQ(Shown(0, 0), 0xFFFF0000);
  EXPECT_EQ(Shown(19, 0), 0xFFFF0000);
  EXPECT_EQ(Shown(20, 0), 0xFF123456);
  EXPECT_EQ(Shown(0, 10), 0xFF123456);
}

TEST_F(GdiCanvasTest, LinesAndRectanglesAtZoomTwoLeaveTheirEndPointsOut) {
  constexpr uint32_t kBackground = 0x202020;
  PaintBackground(kBackground);
  SetView(2, 1, 3);
  // Colours are 0xAARRGGBB; whatever their alpha byte, lines are opaque.
  canvas.DrawLine(1, 2, 6, 2, 0x80FF0000, 1);     // (3, 7) to (13, 7)
  canvas.DrawLine(20, 1, 20, 8, 0x000000FF, 1);   // (41, 5) to (41, 19)
  canvas.DrawLine(10, 15, 2, 15, 0x0000FF00, 1);  // (21, 33) back to (5, 33)
  canvas.DrawRect(15, 12, 25, 20, 0x00FFFF00);    // (31, 27) to (51, 43)

  std::map<std::pair<int, int>, uint32_t> drawn;
  // The pixels of an axis-aligned line from its start up to, not including, its end.
  const auto line = [&](int x1, int y1, int x2, int y2, uint32_t color) {
    const int step_x = x2 > x1 ? 1 : (x2 < x1 ? -1 : 0);
    const int step_y = y2 > y1 ? 1 : (y2 < y1 ? -1 : 0);
    for (int x = x1, y = y1; x != x2 || y != y2; x += step_x, y += step_y) {
      drawn[{x, y}] = color;
    }
  };
  line(3, 7, 13, 7, 0xFFFF0000);
  line(41, 5, 41, 19, 0xFF0000FF);
  line(21, 33, 5, 33, 0xFF00FF00);
  line(31, 27, 31, 43, 0xFFFFFF00);
  line(31, 27, 51, 27, 0xFFFFFF00);
  line(51, 27, 51, 43, 0xFFFFFF00);
  line(31, 43, 51, 43, 0xFFFFFF00);
  EXPECT_TRUE(ShowsPicture([&](int x, int y) {
    const auto found = drawn.find({x, y});
    return found == drawn.end() ? kOpaque | kBackground : found->second;
  }));
  EXPECT_EQ(Shown(51, 43), kOpaque | kBackground);  // the corner no line reaches
}

TEST_F(GdiCanvasTest, TextIsDrawnUnzoomedOnAnOpaqueBoxOfTheBackgroundColour) {
  constexpr uint32_t kCanvas = 0xFF808080;
  constexpr uint32_t kBox = 0xFF102030;
  constexpr uint32_t kInk = 0xFF00FF00;
  canvas.SetBackGroundColor(0x00102030);
  std::vector<std::vector<uint32_t>> pictures;
  for (const int zoom : {1, 2}) {
    SetView(1, 0, 0);
    PaintBackground(kCanvas);
    SetView(zoom, 7, 5);
    canvas.DrawTextA(5, 3, "Ab", 0x0000FF00);
    canvas.DrawTextA(30, 30, nullptr, 0x0000FF00);
    canvas.Present();
    std::vector<uint32_t> picture;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        picture.push_back(Shown(x, y));
      }
    }
    pictures.push_back(std::move(picture));
  }
  EXPECT_EQ(pictures[0], pictures[1]) << "zoom moved or scaled the text";

  // The changed pixels form a box whose top-left corner is the text position, filled with the
  // box colour and the text colour only.
  int left = kWidth, top = kHeight, right = -1, bottom = -1, ink = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      const uint32_t pixel = pictures[0][static_cast<size_t>(y * kWidth + x)];
      if (pixel != kCanvas) {
        left = std::min(left, x);
        top = std::min(top, y);
        right = std::max(right, x);
        bottom = std::max(bottom, y);
        ink += pixel == kInk ? 1 : 0;
      }
    }
  }
  EXPECT_EQ(left, 5);
  EXPECT_EQ(top, 3);
  EXPECT_GT(right, left + 5);
  EXPECT_GT(bottom, top + 5);
  EXPECT_GT(ink, 10);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const uint32_t pixel = pictures[0][static_cast<size_t>(y * kWidth + x)];
      EXPECT_TRUE(pixel == kBox || pixel == kInk) << x << ", " << y << ": " << Hex(pixel);
    }
  }
}

TEST_F(GdiCanvasTest, TransparentStartPresentsStraightAlphaForExport) {
  const TSurfacePtr texture = Load("alpha.png", FIF_PNG, 32, 16, 4, AlphaTexel);
  ASSERT_NE(texture, nullptr);
  canvas.SetBackGroundColor(0x00FFFFFF);
  canvas.Clear();
  EXPECT_EQ(canvas.ClearTransparent(), 1);
  const URect dst(0, 0, 16, 4);
  canvas.DrawSurface(&dst, texture.get(), &dst, nullptr);

  canvas.SetPresentAlpha(true);
  canvas.Present();
  EXPECT_EQ(Shown(0, 0), 0x00000000u);
  EXPECT_EQ(Shown(20, 20), 0x00000000u);
  for (int x = 8; x < 16; ++x) {
    const uint32_t texel = AlphaTexel(x, 3);
    const double expected[4] = {
        static_cast<double>(Channel(texel, 16)), static_cast<double>(Channel(texel, 8)),
        static_cast<double>(Channel(texel, 0)), static_cast<double>(Channel(texel, 24))};
    // Premultiplied storage loses up to 255 / alpha of a straight channel.
    EXPECT_TRUE(ColorNear(Shown(x, 3), expected, 255.0 / Channel(texel, 24) + 1)) << x;
  }

  canvas.SetPresentAlpha(false);
  canvas.Present();
  EXPECT_EQ(Shown(20, 20), kOpaque);
  for (int x = 0; x < 16; ++x) {
    double expected[4];
    Over(AlphaTexel(x, 0), 0x000000, expected);
    EXPECT_TRUE(ColorNear(Shown(x, 0), expected, 1.0)) << x;
  }
}

TEST_F(GdiCanvasTest, UpdateBoundsTakesTheClipExtentFromTheWindow) {
  host.SetClientSize(30, 20);
  host.SetScreenPosition({100, 50});
  EXPECT_EQ(canvas.UpdateBounds(), 1);
  EXPECT_EQ(canvas.GetClipWidth(), 30);
  EXPECT_EQ(canvas.GetClipHeight(), 20);
  canvas.Present();
  EXPECT_EQ(host.GetPictureWidth(), 30);
  EXPECT_EQ(host.GetPictureHeight(), 20);
}

TEST_F(GdiCanvasTest, WildCoordinatesDrawOnlyWhatLandsOnTheBackBuffer) {
  constexpr uint32_t kBackground = 0x102030;
  const TSurfacePtr texture = Load("distinct.bmp", FIF_BMP, 24, 12, 10, DistinctTexel);
  ASSERT_NE(texture, nullptr);
  PaintBackground(kBackground);
  SetView(8, 0, 0);
  const URect huge(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
  const URect texture_rect(0, 0, 12, 10);
  const URect outside(100, 100, 112, 110);
  const URect inverted(12, 10, 0, 0);
  const BLTFX fx;
  canvas.DrawSurface(&huge, texture.get(), &texture_rect, nullptr);
  canvas.DrawSurface(&texture_rect, texture.get(), &huge, &fx);
  canvas.DrawSurface(&texture_rect, texture.get(), &outside, nullptr);
  canvas.DrawSurface(&texture_rect, texture.get(), &inverted, nullptr);
  canvas.DrawSurface(&inverted, texture.get(), &texture_rect, nullptr);
  canvas.DrawSurface(nullptr, texture.get(), &texture_rect, nullptr);
  canvas.DrawSurface(&texture_rect, nullptr, &texture_rect, nullptr);
  canvas.DrawTextA(INT_MAX, INT_MIN, "x", 0xFFFFFF);
  canvas.DrawTextA(INT_MIN, 0, "x", 0xFFFFFF);
  EXPECT_TRUE(ShowsPicture([](int, int) { return kOpaque | kBackground; }));

  SetView(1, 0, 0);
  const float nan = std::numeric_limits<float>::quiet_NaN();
  canvas.DrawLine(0, 0, 1e9f, 1e9f, 0x0000FF, 1 << 30);  // a pen wider than the back buffer
  canvas.DrawLine(-1e30f, 5, 1e30f, 5, 0xFF0000, 1);
  canvas.DrawLine(3, -1e30f, 3, nan, 0x00FF00, 1);  // ends at y = 0, above the buffer
  canvas.Present();
  EXPECT_EQ(Shown(10, 20), 0xFF0000FF);
  for (int x = 0; x < kWidth; ++x) {
    EXPECT_EQ(Shown(x, 5), 0xFFFF0000) << x;
  }
}
