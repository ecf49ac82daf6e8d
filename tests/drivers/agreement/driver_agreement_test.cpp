#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/canvas/memory_window_host.h"
#include "core/canvas/surface.h"
#include "drivers/accel/canvas_rw.h"
#include "drivers/accel/canvas_util_rw.h"
#include "drivers/accel/egl_window_host.h"
#include "drivers/gdi/canvas_gdi.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "tests/support/image_variants.h"
#include "tests/support/temp_dir.h"

namespace {

using image_variants::kBmpVariants;
using image_variants::PngVariants;

constexpr int kWidth = 32;
constexpr int kHeight = 16;

// Pictures are compared as premultiplied 0xAARRGGBB words: the accelerated camera blends colour
// by coverage onto a transparent start, and the GDI-style back buffer keeps premultiplied
// pixels, so both hold the same values there.
using Picture = std::vector<uint32_t>;

uint32_t Premultiplied(uint32_t straight) {
  const uint32_t alpha = straight >> 24;
  uint32_t result = straight & 0xFF000000u;
  for (int shift = 0; shift < 24; shift += 8) {
    const uint32_t channel = (straight >> shift) & 0xFFu;
    result |= ((channel * alpha + 127) / 255) << shift;
  }
  return result;
}

Picture FromBgra(const std::vector<uint8_t>& bgra, bool premultiply) {
  Picture picture;
  for (size_t i = 0; i + 3 < bgra.size(); i += 4) {
    const uint32_t word = uint32_t{bgra[i + 3]} << 24 | uint32_t{bgra[i + 2]} << 16 |
                          uint32_t{bgra[i + 1]} << 8 | bgra[i];
    picture.push_back(premultiply ? Premultiplied(word) : word);
  }
  return picture;
}

// One draw of a whole texture.
struct Draw {
  const char* name;
  int zoom;
  std::optional<uint32_t> fx_flags;  // empty for a plain draw
};

const Draw kDraws[] = {
    {"plain", 1, std::nullopt},
    {"effects without bits", 1, 0u},
    {"mirrored left-right", 1, BLTFX_MIRRORX},
    {"mirrored top-bottom", 1, BLTFX_MIRRORY},
    {"mirrored both ways at zoom 2", 2, BLTFX_MIRRORX | BLTFX_MIRRORY},
    {"plain at zoom 3", 3, std::nullopt},
};

// Where a draw puts the texture's top left corner, in canvas units (pixels at zoom 1).
constexpr int kLeft = 1;
constexpr int kTop = 2;

void DrawTexture(UCanvas& canvas, USurface* texture, const Draw& draw) {
  while (canvas.GetZoom() < draw.zoom) {
    canvas.ZoomIn();
  }
  const URect src(0, 0, texture->GetWidth(), texture->GetHeight());
  const URect dst(kLeft, kTop, kLeft + texture->GetWidth(), kTop + texture->GetHeight());
  BLTFX fx;
  if (draw.fx_flags) {
    fx.flags = *draw.fx_flags;
  }
  canvas.DrawSurface(&dst, texture, &src, draw.fx_flags ? &fx : nullptr);
}

// The picture the GDI-style driver shows of `draw` on a transparent start; empty when the file
// does not load.
Picture DrawWithGdi(const std::string& file, const Draw& draw) {
  UMemoryWindowHost host(kWidth, kHeight);
  UCanvasUtilGdi util;
  UCanvasGdi canvas;
  if (util.Init(&host) != 1 || canvas.Init(&host) != 1 ||
      !canvas.CreateCanvas(&util, kWidth, kHeight)) {
    return {};
  }
  Picture picture;
  if (USurface* texture = util.CreateUSurfaceFromFile(file.c_str(), 0, 0)) {
    canvas.ClearTransparent();
    canvas.SetPresentAlpha(true);
    DrawTexture(canvas, texture, draw);
    canvas.Present();
    picture = FromBgra(host.GetPicture(), true);
    texture->Release();
    delete texture;
  }
  canvas.Release();
  util.DeInit();
  return picture;
}

Picture DrawWithAccel(UEglWindowHost& host, const std::string& file, const Draw& draw) {
  UCanvasUtilRw util;
  UCanvasRw canvas;
  if (util.Init(&host) != 1) {
    return {};
  }
  Picture picture;
  if (canvas.Init(&host) == 1 && canvas.CreateCanvas(&util, kWidth, kHeight)) {
    if (USurface* texture = util.CreateUSurfaceFromFile(file.c_str(), 0, 0)) {
      canvas.SetBackGroundColor(0);
      canvas.Clear();
      DrawTexture(canvas, texture, draw);
      std::vector<uint8_t> bgra(static_cast<size_t>(kWidth * kHeight * 4));
      if (canvas.ReadPixels(bgra.data(), kWidth * 4, RwPixelOrder::kBgra)) {
        picture = FromBgra(bgra, false);
      }
      texture->Release();
      delete texture;
    }
    canvas.Release();
  }
  util.DeInit();
  return picture;
}

bool OnlyOpaqueOrTransparent(const std::vector<uint32_t>& pixels) {
  for (uint32_t pixel : pixels) {
    const uint32_t alpha = pixel >> 24;
    if (alpha != 0 && alpha != 255) {
      return false;
    }
  }
  return true;
}

// The texel of a `width` x `height` texture that `draw` puts at picture pixel (x, y), as its
// index in the texture's rows, or -1 where the draw leaves the pixel alone.
int TexelAt(const Draw& draw, int width, int height, int x, int y) {
  const int column = x / draw.zoom - kLeft;
  const int row = y / draw.zoom - kTop;
  if (column < 0 || column >= width || row < 0 || row >= height) {
    return -1;
  }
  const uint32_t flags = draw.fx_flags.value_or(0);
  const int u = (flags & BLTFX_MIRRORX) != 0 ? width - 1 - column : column;
  const int v = (flags & BLTFX_MIRRORY) != 0 ? height - 1 - row : row;
  return v * width + u;
}

// What each driver shows where the texture holds opaque magenta. The GDI-style driver's
// surfaces carry the magenta colour key, so it leaves the transparent start there; the
// accelerated driver has no colour key and draws the magenta.
constexpr uint32_t kGdiOverMagenta = 0x00000000u;
constexpr uint32_t kAccelOverMagenta = 0xFFFF00FFu;

// Both pictures of `draw` agree: within `tolerance` on every channel, except that where the
// texture (`decoded`, `width` texels a row) holds opaque magenta each driver shows exactly what
// its colour key rule gives.
::testing::AssertionResult SamePicture(const Picture& gdi, const Picture& accel, const Draw& draw,
                                       const std::vector<uint32_t>& decoded, int width,
                                       int tolerance) {
  if (gdi.size() != static_cast<size_t>(kWidth * kHeight) || accel.size() != gdi.size()) {
    return ::testing::AssertionFailure() << "a driver drew no picture";
  }
  const int height = static_cast<int>(decoded.size()) / width;
  for (size_t i = 0; i < gdi.size(); ++i) {
    const int x = static_cast<int>(i) % kWidth;
    const int y = static_cast<int>(i) / kWidth;
    const int texel = TexelAt(draw, width, height, x, y);
    if (texel >= 0 && decoded[static_cast<size_t>(texel)] == 0xFFFF00FFu) {
      if (gdi[i] != kGdiOverMagenta || accel[i] != kAccelOverMagenta) {
        return ::testing::AssertionFailure()
               << "at (" << x << ", " << y << "), over opaque magenta, GDI shows 0x" << std::hex
               << gdi[i] << ", accelerated 0x" << accel[i];
      }
      continue;
    }
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = static_cast<int>((gdi[i] >> shift) & 0xFF);
      const int b = static_cast<int>((accel[i] >> shift) & 0xFF);
      if (a - b > tolerance || b - a > tolerance) {
        return ::testing::AssertionFailure()
               << "at (" << x << ", " << y << ") GDI shows 0x" << std::hex << gdi[i]
               << ", accelerated 0x" << accel[i];
      }
    }
  }
  return ::testing::AssertionSuccess();
}

class DriverAgreementTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(egl_.IsValid()) << "no surfaceless EGL context with OpenGL 3.3 core";
  }

  // Every draw of the texture in `file` (`decoded`, `width` texels a row) looks the same through
  // both drivers: exactly, when the texture holds only opaque and transparent pixels, else within
  // 1 on every channel; opaque magenta as each driver's colour key rule gives.
  void ExpectAgreement(const std::string& file, const std::vector<uint32_t>& decoded, int width) {
    const int tolerance = OnlyOpaqueOrTransparent(decoded) ? 0 : 1;
    for (const Draw& draw : kDraws) {
      SCOPED_TRACE(draw.name);
      const Picture gdi = DrawWithGdi(file, draw);
      const Picture accel = DrawWithAccel(egl_, file, draw);
      EXPECT_TRUE(SamePicture(gdi, accel, draw, decoded, width, tolerance));
    }
  }

  TempDir dir_;
  UEglWindowHost egl_{kWidth, kHeight};
};

}  // namespace

TEST_F(DriverAgreementTest, EveryBmpKindLooksTheSame) {
  for (const image_variants::BmpVariant& variant : kBmpVariants) {
    SCOPED_TRACE(variant.name);
    std::vector<uint32_t> decoded;
    const std::string path = dir_.File(std::string(variant.name) + ".bmp");
    WriteFileBytes(path, image_variants::WriteBmp(variant, &decoded));
    ExpectAgreement(path, decoded, image_variants::kW);
  }
}

TEST_F(DriverAgreementTest, EveryPngKindLooksTheSame) {
  for (const image_variants::PngVariant& variant : PngVariants()) {
    SCOPED_TRACE(variant.name);
    const std::string path = dir_.File(std::string(variant.name) + ".png");
    ASSERT_TRUE(WritePng(path, variant.picture));
    ExpectAgreement(path, variant.expected, variant.picture.width);
  }
}
