#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "core/canvas/recording_canvas.h"
#include "drivers/accel/engine/gl_objects.h"
#include "drivers/accel/geometry.h"
#include "tests/drivers/accel/accel_fixture.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000u;
constexpr uint32_t kRed = 0xFFFF0000u;

BLTFX Effects(uint32_t flags, float angle = 0.0f, uint32_t color = 0) {
  BLTFX fx;
  fx.flags = flags;
  fx.angle = angle;
  fx.color = color;
  return fx;
}

using Pixel = std::pair<int, int>;

// Pixels of an axis-aligned line as a device whose pixel centres lie on whole coordinates draws
// it: from the first end up to, not including, the last.
std::set<Pixel> AxisLine(int x1, int y1, int x2, int y2) {
  std::set<Pixel> pixels;
  const int dx = (x2 > x1) - (x2 < x1);
  const int dy = (y2 > y1) - (y2 < y1);
  for (int x = x1, y = y1; x != x2 || y != y2; x += dx, y += dy) {
    pixels.insert({x, y});
  }
  return pixels;
}

}  // namespace

class UCanvasRwTest : public AccelTest {
 protected:
  // The picture after one frame: cleared to `background`, then `draw`.
  template <typename Draw>
  std::vector<uint32_t> Frame(uint32_t background, Draw draw) {
    canvas_.SetBackGroundColor(background);
    EXPECT_EQ(canvas_.Clear(), 1);
    draw();
    EXPECT_EQ(canvas_.Present(), 1);
    return Picture();
  }

  void ExpectPixels(const std::vector<uint32_t>& actual, const std::vector<uint32_t>& expected) {
    int wrong = 0;
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        if (At(actual, x, y) != At(expected, x, y) && ++wrong <= 5) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ") is 0x" << std::hex << At(actual, x, y)
                        << ", expected 0x" << At(expected, x, y);
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
};

TEST_F(UCanvasRwTest, ClearFillsTheCameraWithTheBackgroundColour) {
  // The accelerated canvas starts with a green background whose alpha byte is 0.
  EXPECT_EQ(canvas_.GetBackGroundColor(), 0x0000C800u);
  EXPECT_EQ(canvas_.GetCameraWidth(), kWidth);
  EXPECT_EQ(canvas_.GetClipWidth(), kWidth);
  for (uint32_t background : {0x0000C800u, 0x80102030u, 0xFFFFFFFFu}) {
    const std::vector<uint32_t> picture = Frame(background, [] {});
    ExpectPixels(picture, std::vector<uint32_t>(picture.size(), background));
  }
}

TEST_F(UCanvasRwTest, ModulesReproduceTheirTexelsAtEveryZoom) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  const URect src(4, 5, 10, 9);  // 6 x 4 texels in the middle of the texture
  const URect dst(2, 3, 8, 7);
  for (int zoom = 1; zoom <= 3; ++zoom) {
    SCOPED_TRACE(zoom);
    canvas_.ZoomIn();
    while (canvas_.GetZoom() > zoom) {
      canvas_.ZoomOut();
    }
    ASSERT_EQ(canvas_.GetZoom(), zoom);
    const std::vector<uint32_t> picture =
        Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, nullptr); });
    std::vector<uint32_t> expected(picture.size(), kBlack);
    for (int y = dst.top * zoom; y < dst.bottom * zoom; ++y) {
      for (int x = dst.left * zoom; x < dst.right * zoom; ++x) {
        const int u = src.left + x / zoom - dst.left;
        const int v = src.top + y / zoom - dst.top;
        expected[static_cast<size_t>(y * kWidth + x)] = texels[static_cast<size_t>(v * 16 + u)];
      }
    }
    ExpectPixels(picture, expected);
  }
}

TEST_F(UCanvasRwTest, MirrorsTurnExactlyTheModuleTexelsAndQuarterTurnBitsDoNothing) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  const URect src(0, 2, 7, 7);  // against the texture's left edge: nothing may wrap around
  const URect dst(10, 20, 17, 25);
  struct Case {
    uint32_t flags;
    bool mirrorX;
    bool mirrorY;
  };
  const Case cases[] = {
      {0, false, false},
      {BLTFX_MIRRORX, true, false},
      {BLTFX_MIRRORY, false, true},
      {BLTFX_MIRRORX | BLTFX_MIRRORY, true, true},
      {BLTFX_ROT90, false, false},
      {BLTFX_ROT180 | BLTFX_MIRRORX, true, false},
      {BLTFX_ROT270, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.flags);
    const BLTFX fx = Effects(c.flags);
    const std::vector<uint32_t> picture =
        Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, &fx); });
    std::vector<uint32_t> expected(picture.size(), kBlack);
    for (int y = 0; y < dst.GetHeight(); ++y) {
      for (int x = 0; x < dst.GetWidth(); ++x) {
        const int u = src.left + (c.mirrorX ? src.GetWidth() - 1 - x : x);
        const int v = src.top + (c.mirrorY ? src.GetHeight() - 1 - y : y);
        expected[static_cast<size_t>((dst.top + y) * kWidth + dst.left + x)] =
            texels[static_cast<size_t>(v * 16 + u)];
      }
    }
    ExpectPixels(picture, expected);
  }
}

TEST_F(UCanvasRwTest, RotationTurnsClockwiseAboutTheDestinationCentre) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  const URect src(1, 1, 13, 7);     // 12 x 6
  const URect dst(20, 16, 32, 22);  // centre (26, 19)
  for (float angle : {90.0f, 180.0f, 270.0f, -90.0f, 360.0f}) {
    SCOPED_TRACE(angle);
    const BLTFX fx = Effects(BLTFX_ROTATE, angle);
    const std::vector<uint32_t> picture =
        Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, &fx); });
    // Each pixel centre turned back by the angle lands on the texel it shows.
    const double radians = angle * M_PI / 180.0;
    const double c = std::round(std::cos(radians));
    const double s = std::round(std::sin(radians));
    std::vector<uint32_t> expected(picture.size(), kBlack);
    for (int y = 0; y < kHeight; ++y) {
      for (int x = 0; x < kWidth; ++x) {
        const double dx = x + 0.5 - 26;
        const double dy = y + 0.5 - 19;
        const double lx = 26 + dx * c + dy * s;
        const double ly = 19 - dx * s + dy * c;
        if (lx > dst.left && lx < dst.right && ly > dst.top && ly < dst.bottom) {
          const int u = src.left + static_cast<int>(std::floor(lx)) - dst.left;
          const int v = src.top + static_cast<int>(std::floor(ly)) - dst.top;
          expected[static_cast<size_t>(y * kWidth + x)] = texels[static_cast<size_t>(v * 16 + u)];
        }
      }
    }
    ExpectPixels(picture, expected);
    if (angle == 90.0f) {
      // Clockwise with y down: the module's top-left texel goes to the top-right corner.
      EXPECT_EQ(At(picture, 26 + 3 - 1, 19 - 6), texels[1 * 16 + 1]);
    }
  }
}

TEST_F(UCanvasRwTest, ColourModulationMultipliesTexels) {
  const std::vector<uint32_t> texels = DistinctTexels(8, 8);
  USurface* surface = Texture(8, 8, texels);
  const URect src(0, 0, 8, 8);
  const URect dst(0, 0, 8, 8);
  struct Case {
    uint32_t color;
    double red, green, blue, alpha;
  };
  const Case cases[] = {
      {0x80FFFFFFu, 1, 1, 1, 128 / 255.0},  // white at half opacity
      {0xFF808080u, 128 / 255.0, 128 / 255.0, 128 / 255.0, 1},
      {0xFFFF0000u, 1, 0, 0, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.color);
    const BLTFX fx = Effects(BLTFX_COLOR, 0, c.color);
    const std::vector<uint32_t> picture =
        Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, &fx); });
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const uint32_t t = texels[static_cast<size_t>(y * 8 + x)];
        // Over opaque black: colour = texel x modulation x alpha; alpha stays opaque.
        auto channel = [&](int shift, double factor) {
          return static_cast<uint32_t>(std::lround(((t >> shift) & 0xFF) * factor * c.alpha))
                 << shift;
        };
        const uint32_t expected =
            0xFF000000u | channel(16, c.red) | channel(8, c.green) | channel(0, c.blue);
        EXPECT_TRUE(ChannelsNear(At(picture, x, y), expected, 1)) << x << ", " << y;
      }
    }
  }
}

TEST_F(UCanvasRwTest, ATintWhitensTexelsThenMultipliesAndTheStartDrawsAsBefore) {
  const std::vector<uint32_t> texels = DistinctTexels(8, 8);
  USurface* surface = Texture(8, 8, texels);
  const URect src(0, 0, 8, 8);
  const URect dst(0, 0, 8, 8);
  const auto draw = [&](uint32_t color, int whiten) {
    return Frame(kBlack, [&] {
      canvas_.SetSurfaceTint(color, whiten);
      canvas_.DrawSurface(&dst, surface, &src, nullptr);
      canvas_.SetSurfaceTint(0xFFFFFFFFu, 0);
    });
  };
  const std::vector<uint32_t> plain = draw(0xFFFFFFFFu, 0);
  // Without whitening a tint is the effects' colour modulation, to the byte.
  const BLTFX fx = Effects(BLTFX_COLOR, 0, 0xA0FF6040u);
  ExpectPixels(draw(0xA0FF6040u, 0),
               Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, &fx); }));
  // Whitened all the way, the picture's shape takes the tint's colour exactly.
  const std::vector<uint32_t> filled = draw(0xFF20C040u, 300);
  EXPECT_EQ(At(filled, 3, 5), 0xFF20C040u);
  EXPECT_EQ(At(filled, 8, 8), kBlack);
  // Taken off again, nothing of the tint stays behind.
  ExpectPixels(Frame(kBlack, [&] { canvas_.DrawSurface(&dst, surface, &src, nullptr); }), plain);
}

TEST_F(UCanvasRwTest, BlendingOntoATransparentStartAccumulatesAlpha) {
  const std::vector<uint32_t> texels = {0xFFFF0000u, 0x80FF0000u, 0x4000FF00u, 0x00FFFFFFu,
                                        0xC00000FFu, 0x10FFFFFFu, 0xFF00FF00u, 0x00000000u};
  USurface* surface = Texture(8, 1, texels);
  const URect src(0, 0, 8, 1);
  const URect dst(0, 0, 8, 1);
  const BLTFX fx = Effects(0);
  const std::vector<uint32_t> picture = Frame(0x00000000u, [&] {
    canvas_.DrawSurface(&dst, surface, &src, &fx);
    canvas_.DrawSurface(&dst, surface, &src, &fx);
  });
  for (int x = 0; x < 8; ++x) {
    const uint32_t t = texels[static_cast<size_t>(x)];
    const double a = (t >> 24) / 255.0;
    // Colour: source alpha over inverse source alpha, twice. Alpha: one over inverse source
    // alpha, twice.
    const double coverage = a + a * (1 - a);
    auto channel = [&](int shift) {
      const double once = ((t >> shift) & 0xFF) * a;
      return static_cast<uint32_t>(std::lround(once + once * (1 - a))) << shift;
    };
    const uint32_t expected = static_cast<uint32_t>(std::lround(coverage * 255)) << 24 |
                              channel(16) | channel(8) | channel(0);
    EXPECT_TRUE(ChannelsNear(At(picture, x, 0), expected, 1)) << x;
  }
}

TEST_F(UCanvasRwTest, LinesCoverTheRowsAndColumnsTheyName) {
  struct Case {
    float x1, y1, x2, y2;
    int zoom;
  };
  const Case cases[] = {
      {2, 5, 20, 5, 1},
      {30, 40, 30, 3, 1},
      {1, 1, 5, 1, 2},
      {4, 2, 4, 6, 3},
  };
  for (const Case& c : cases) {
    while (canvas_.ZoomOut() > 1) {
    }
    while (canvas_.GetZoom() < c.zoom) {
      canvas_.ZoomIn();
    }
    const std::vector<uint32_t> picture =
        Frame(kBlack, [&] { canvas_.DrawLine(c.x1, c.y1, c.x2, c.y2, kRed, 1); });
    std::vector<uint32_t> expected(picture.size(), kBlack);
    for (const Pixel& p :
         AxisLine(static_cast<int>(c.x1) * c.zoom, static_cast<int>(c.y1) * c.zoom,
                  static_cast<int>(c.x2) * c.zoom, static_cast<int>(c.y2) * c.zoom)) {
      expected[static_cast<size_t>(p.second * kWidth + p.first)] = kRed;
    }
    ExpectPixels(picture, expected);
  }
}

TEST_F(UCanvasRwTest, BoxesAreFourLinesAndStockBoxesAreFilled) {
  // DrawBox at angle 0: lines c0-c1, c1-c2, c2-c3 and c0-c3 of the rectangle (4, 4)-(14, 10).
  std::vector<uint32_t> picture = Frame(kBlack, [&] {
    canvas_.DrawBox({4, 4}, {10, 6}, 0.0f, kRed, 1);
  });
  std::vector<uint32_t> expected(picture.size(), kBlack);
  for (const auto& line : {AxisLine(14, 4, 4, 4), AxisLine(4, 4, 4, 10), AxisLine(4, 10, 14, 10),
                           AxisLine(14, 4, 14, 10)}) {
    for (const Pixel& p : line) {
      expected[static_cast<size_t>(p.second * kWidth + p.first)] = kRed;
    }
  }
  ExpectPixels(picture, expected);

  // Stock boxes: zoom 2, 6 x 3 at (4, 4), then the same turned a quarter about its centre.
  canvas_.ZoomIn();
  for (float angle : {0.0f, 90.0f}) {
    SCOPED_TRACE(angle);
    picture = Frame(kBlack, [&] { canvas_.DrawStockBox({4, 4}, {6, 3}, angle, kRed); });
    std::fill(expected.begin(), expected.end(), kBlack);
    const int halfW = angle == 0.0f ? 6 : 3;
    const int halfH = angle == 0.0f ? 3 : 6;
    for (int y = 11 - halfH; y < 11 + halfH; ++y) {
      for (int x = 14 - halfW; x < 14 + halfW; ++x) {
        expected[static_cast<size_t>(y * kWidth + x)] = kRed;
      }
    }
    ExpectPixels(picture, expected);
  }
}

TEST_F(UCanvasRwTest, CirclesPassThroughTheirCardinalPoints) {
  const std::vector<uint32_t> picture = Frame(kBlack, [&] {
    canvas_.DrawCircle(20, 20, 10, kRed);
    canvas_.DrawCircle(50, 10, 0, kRed);  // a degenerate polyline of identical points
  });
  int drawn = 0;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (At(picture, x, y) != kRed) {
        continue;
      }
      ++drawn;
      const double distance = std::hypot(x - 20.0, y - 20.0);
      const bool onCircle = distance > 8.5 && distance < 11.5;
      EXPECT_TRUE(onCircle || (x == 50 && y == 10)) << x << ", " << y;
    }
  }
  EXPECT_GT(drawn, 50);
  for (const Pixel& p : {Pixel{30, 20}, Pixel{20, 30}, Pixel{10, 20}, Pixel{20, 10}}) {
    bool near = false;
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        near = near || At(picture, p.first + dx, p.second + dy) == kRed;
      }
    }
    EXPECT_TRUE(near) << p.first << ", " << p.second;
  }
}

TEST_F(UCanvasRwTest, GradientPanelTakesOneColourPerCorner) {
  const RwRGBA colors[4] = {
      {255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}};
  const std::vector<uint32_t> picture =
      Frame(kBlack, [&] { canvas_.DrawGroudPanel(8, 8, 32, 32, colors, nullptr); });
  // Fan order: top-right, top-left, bottom-left, bottom-right.
  EXPECT_TRUE(ChannelsNear(At(picture, 39, 8), 0xFFFF0000u, 16));
  EXPECT_TRUE(ChannelsNear(At(picture, 8, 8), 0xFF00FF00u, 16));
  EXPECT_TRUE(ChannelsNear(At(picture, 8, 39), 0xFF0000FFu, 16));
  EXPECT_TRUE(ChannelsNear(At(picture, 39, 39), 0xFFFFFFFFu, 16));
  EXPECT_EQ(At(picture, 7, 7), kBlack);
  EXPECT_EQ(At(picture, 40, 40), kBlack);
}

TEST_F(UCanvasRwTest, TrianglesUseTheCallersVertices) {
  const std::vector<uint32_t> texels(4, 0xFF0000FFu);
  USurface* surface = Texture(2, 2, texels);
  const RwD3D9Vertex vertices[3] = {{0, 0, 0, 1, 0xFFFFFFFFu, 0, 0},
                                    {32, 0, 0, 1, 0xFFFFFFFFu, 1, 0},
                                    {0, 32, 0, 1, 0xFFFFFFFFu, 0, 1}};
  const std::vector<uint32_t> picture = Frame(kBlack, [&] { canvas_.DrawTrig(vertices, surface); });
  EXPECT_EQ(At(picture, 2, 2), 0xFF0000FFu);
  EXPECT_EQ(At(picture, 30, 30), kBlack);
}

TEST_F(UCanvasRwTest, PlacedDrawsFollowTheirMatrix) {
  const std::vector<uint32_t> texels = DistinctTexels(16, 16);
  USurface* surface = Texture(16, 16, texels);
  RwV3d offset{5, 7, 0};
  const RwMatrixTag placement = GetTransMatrix(&offset);
  const RwRect src{2, 3, 6, 4};
  std::vector<uint32_t> picture =
      Frame(kBlack, [&] { canvas_.DrawSurface(&placement, surface, &src, nullptr); });
  std::vector<uint32_t> expected(picture.size(), kBlack);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) {
      expected[static_cast<size_t>((7 + y) * kWidth + 5 + x)] =
          texels[static_cast<size_t>((3 + y) * 16 + 2 + x)];
    }
  }
  ExpectPixels(picture, expected);

  // The whole texture through caller-made texture coordinates, mirrored left to right.
  const RwV2d uv[4] = {{1, 0}, {1, 1}, {0, 0}, {0, 1}};
  const BLTFX white = Effects(0, 0, 0xFFFFFFFFu);
  picture = Frame(kBlack, [&] { canvas_.DrawSurfaceRw(&placement, surface, uv, &white); });
  std::fill(expected.begin(), expected.end(), kBlack);
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 16; ++x) {
      expected[static_cast<size_t>((7 + y) * kWidth + 5 + x)] =
          texels[static_cast<size_t>(y * 16 + 15 - x)];
    }
  }
  ExpectPixels(picture, expected);
}

TEST_F(UCanvasRwTest, PresentShowsThePictureInTheWindow) {
  const std::vector<uint32_t> picture =
      Frame(0xFF336699u, [&] { canvas_.DrawLine(0, 0, 10, 0, kRed, 1); });
  EXPECT_EQ(host_.GetPresentCount(), 1);
  std::vector<uint32_t> window(picture.size());
  ASSERT_TRUE(
      host_.ReadPixels(reinterpret_cast<uint8_t*>(window.data()), kWidth * 4, RwPixelOrder::kBgra));
  EXPECT_EQ(window, picture);
  // The same picture in the other byte order.
  std::vector<uint8_t> rgba(picture.size() * 4);
  ASSERT_TRUE(canvas_.ReadPixels(rgba.data(), kWidth * 4, RwPixelOrder::kRgba));
  EXPECT_EQ(rgba[0], 0xFF);
  EXPECT_EQ(rgba[2], 0x00);
  EXPECT_EQ(rgba[kWidth * 4 + 0], 0x33);
  EXPECT_EQ(rgba[kWidth * 4 + 2], 0x99);
  EXPECT_FALSE(canvas_.ReadPixels(rgba.data(), kWidth * 4 - 1, RwPixelOrder::kRgba));
}

TEST_F(UCanvasRwTest, ConsecutiveDrawsOfOneTextureBecomeOneDrawCall) {
  USurface* surface = Texture(8, 8, DistinctTexels(8, 8));
  RwEngine* engine = util_.GetEngine();
  const URect src(0, 0, 8, 8);
  const BLTFX fx = Effects(BLTFX_MIRRORX | BLTFX_COLOR, 0, 0xFFFFFFFFu);
  ASSERT_EQ(canvas_.Clear(), 1);
  const int before = engine->GetDrawCallCount();
  for (int i = 0; i < 40; ++i) {
    const URect dst(i % 8 * 8, i / 8 * 8, i % 8 * 8 + 8, i / 8 * 8 + 8);
    canvas_.DrawSurface(&dst, surface, &src, i % 2 == 0 ? &fx : nullptr);
  }
  // Reading the picture mid-frame draws what is batched first.
  const std::vector<uint32_t> midFrame = Picture();
  EXPECT_EQ(engine->GetDrawCallCount(), before + 1);
  EXPECT_NE(At(midFrame, 0, 0), 0x0000C800u);
  // A line changes texture and primitive: the batch goes out before it.
  canvas_.DrawSurface(&src, surface, &src, nullptr);
  canvas_.DrawLine(0, 40, 10, 40, kRed, 1);
  canvas_.DrawSurface(&src, surface, &src, nullptr);
  canvas_.Present();
  EXPECT_EQ(engine->GetDrawCallCount(), before + 4);
}

TEST_F(UCanvasRwTest, DrawingLeavesTheOwnersGlStateAsItWas) {
  ASSERT_TRUE(host_.MakeContextCurrent());
  glBindFramebuffer(GL_FRAMEBUFFER, host_.GetFramebuffer());
  glEnable(GL_BLEND);
  glBlendFuncSeparate(GL_ONE, GL_ZERO, GL_DST_COLOR, GL_ZERO);
  glViewport(3, 4, 5, 6);
  glEnable(GL_SCISSOR_TEST);
  glClearColor(0.25f, 0.5f, 0.75f, 1.0f);
  USurface* surface = Texture(4, 4, DistinctTexels(4, 4));
  const URect rect(0, 0, 4, 4);
  Frame(kBlack, [&] {
    canvas_.DrawSurface(&rect, surface, &rect, nullptr);
    canvas_.DrawLineRw(0, 0, 9, 9, kRed, rwBLENDONE);
  });
  GLint value = 0;
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &value);
  EXPECT_EQ(static_cast<GLuint>(value), host_.GetFramebuffer());
  glGetIntegerv(GL_CURRENT_PROGRAM, &value);
  EXPECT_EQ(value, 0);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &value);
  EXPECT_EQ(value, 0);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_TRUE(glIsEnabled(GL_SCISSOR_TEST));
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &value);
  EXPECT_EQ(value, GL_DST_COLOR);
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  EXPECT_EQ(viewport[2], 5);
  GLfloat clear[4] = {};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
  EXPECT_EQ(clear[1], 0.5f);
}

TEST_F(UCanvasRwTest, DrawsOutsideAFrameOrWithoutATextureDrawNothing) {
  USurface* surface = Texture(4, 4, DistinctTexels(4, 4));
  const URect rect(0, 0, 4, 4);
  canvas_.DrawSurface(&rect, surface, &rect, nullptr);  // before Clear: no update is open
  URecordingSurface foreign(1, 4, 4);
  const std::vector<uint32_t> picture = Frame(kBlack, [&] {
    canvas_.DrawSurface(&rect, &foreign, &rect, nullptr);
    canvas_.DrawSurface(&rect, nullptr, &rect, nullptr);
    canvas_.DrawGroudPanel(0, 0, 4, 4, nullptr, nullptr);
    canvas_.DrawTrig(nullptr, nullptr);
  });
  ExpectPixels(picture, std::vector<uint32_t>(picture.size(), kBlack));
}

TEST_F(UCanvasRwTest, SurfacesReportTheirRasterFormat) {
  const std::pair<int, int> formats[] = {
      {0, 32},      {0x500, 32}, {0x600, 24}, {0x700, 16}, {0x800, 32}, {0x900, 32}, {0xA00, 16},
      {0x1000, 32}, {0x2000, 8}, {0x4000, 4}, {0x200, -1}, {0x100, -1}, {0x300, -1}, {0x8500, -1},
  };
  for (const auto& [flags, bpp] : formats) {
    USurface* surface = util_.CreateUSurface(3, 2, flags);
    ASSERT_NE(surface, nullptr);
    surfaces_.push_back(surface);
    EXPECT_EQ(static_cast<USurfaceRw*>(surface)->GetBpp(), bpp) << std::hex << flags;
    EXPECT_EQ(surface->GetWidth(), 3);
    EXPECT_EQ(surface->GetHeight(), 2);
  }
  USurfaceRw empty;
  EXPECT_EQ(empty.GetBpp(), -1);
  EXPECT_EQ(empty.GetWidth(), 0);
  EXPECT_EQ(util_.CreateUSurface(0, 5, 0), nullptr);
  EXPECT_EQ(util_.CreateUSurface(1 << 14, 1 << 14, 0), nullptr);  // beyond the pixel cap
}

TEST_F(UCanvasRwTest, SurfaceOperationsThisDriverDoesNotOffer) {
  USurface* surface = util_.CreateUSurface(4, 4, 0);
  ASSERT_NE(surface, nullptr);
  surfaces_.push_back(surface);
  EXPECT_FALSE(surface->SetColorKey(kColorKeyMagenta));
  EXPECT_FALSE(surface->UsesColorKey());
  EXPECT_TRUE(surface->BitBlt(nullptr, surface, nullptr, nullptr));
  EXPECT_EQ(surface->ReSize(8, 8, 0), 1);
  EXPECT_EQ(surface->GetWidth(), 4);

  // Clear fills the surface's own texture.
  ASSERT_TRUE(surface->Clear(0xFF00FF00u));
  const URect rect(0, 0, 4, 4);
  const std::vector<uint32_t> picture =
      Frame(kBlack, [&] { canvas_.DrawSurface(&rect, surface, &rect, nullptr); });
  EXPECT_EQ(At(picture, 3, 3), 0xFF00FF00u);
  EXPECT_EQ(At(picture, 4, 4), kBlack);
}
