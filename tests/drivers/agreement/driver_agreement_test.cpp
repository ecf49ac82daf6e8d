#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
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

// The accelerated picture of `draw` shows `decoded` itself: each texel source-over on the
// transparent start, nothing elsewhere. Together with SamePicture this pins both drivers to the
// decoded pixels, so that a texture both read wrongly alike cannot pass.
::testing::AssertionResult ShowsDecodedTexels(const Picture& accel, const Draw& draw,
                                              const std::vector<uint32_t>& decoded, int width,
                                              int tolerance) {
  if (accel.size() != static_cast<size_t>(kWidth * kHeight)) {
    return ::testing::AssertionFailure() << "no picture";
  }
  const int height = static_cast<int>(decoded.size()) / width;
  for (size_t i = 0; i < accel.size(); ++i) {
    const int x = static_cast<int>(i) % kWidth;
    const int y = static_cast<int>(i) / kWidth;
    const int texel = TexelAt(draw, width, height, x, y);
    const uint32_t expected = texel < 0 ? 0u : Premultiplied(decoded[static_cast<size_t>(texel)]);
    for (int shift = 0; shift < 32; shift += 8) {
      const int a = static_cast<int>((accel[i] >> shift) & 0xFF);
      const int b = static_cast<int>((expected >> shift) & 0xFF);
      if (a - b > tolerance || b - a > tolerance) {
        return ::testing::AssertionFailure()
               << "at (" << x << ", " << y << ") the picture shows 0x" << std::hex << accel[i]
               << " for 0x" << expected << std::dec;
      }
    }
  }
  return ::testing::AssertionSuccess();
}

// Bitmaps as other programs write them. A writer that fills the spare bits of its pixels with
// zeros gives an image whose alpha bits are zero throughout: it is opaque, with the magenta rule.
// A plain 32-bit bitmap whose fourth bytes hold values is read with them as alpha.
struct ForeignBmp {
  image_variants::BmpVariant variant;
  bool alphaBitsCleared;
};

const ForeignBmp kForeignBmps[] = {
    {{"16-bit 1-5-5-5 alpha bit fields, alpha bits all zero",
      16,
      6,
      40,
      false,
      {0x7C00, 0x03E0, 0x001F, 0x8000}},
     true},
    {{"16-bit V5 header 4-4-4-4, alpha bits all zero",
      16,
      3,
      124,
      true,
      {0x0F00, 0x00F0, 0x000F, 0xF000}},
     true},
    {{"32-bit V5 header with alpha mask, alpha bytes all zero",
      32,
      3,
      124,
      false,
      {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
     true},
    {{"32-bit plain with alpha in the fourth byte",
      32,
      0,
      40,
      false,
      {0xFF0000, 0xFF00, 0xFF, 0xFF000000}},
     false},
};

// The file of `foreign` and the pixels it decodes to.
image_variants::Bytes WriteForeignBmp(const ForeignBmp& foreign, std::vector<uint32_t>* decoded) {
  const image_variants::BmpVariant& v = foreign.variant;
  image_variants::Bytes file = image_variants::WriteBmp(v, decoded);
  if (!foreign.alphaBitsCleared) {
    return file;
  }
  const size_t pixelsAt = file[10] | size_t{file[11]} << 8;
  const size_t bytes = static_cast<size_t>(v.bpp / 8);
  const size_t stride = (image_variants::kW * bytes + 3) / 4 * 4;
  for (size_t row = 0; row < image_variants::kH; ++row) {
    for (size_t x = 0; x < image_variants::kW; ++x) {
      for (size_t byte = 0; byte < bytes; ++byte) {
        file[pixelsAt + row * stride + x * bytes + byte] &=
            static_cast<uint8_t>(~(v.masks[3] >> (8 * byte)));
      }
    }
  }
  for (uint32_t& pixel : *decoded) {
    const uint32_t rgb = pixel & 0x00FFFFFFu;
    pixel = rgb == 0x00FF00FFu ? rgb : rgb | 0xFF000000u;
  }
  return file;
}

// PNG kinds beyond the shared variants: every depth of grey, grey with alpha, 16-bit samples,
// and transparency chunks on grey and colour pictures. Samples of 16 bits keep their high byte.
std::vector<image_variants::PngVariant> MorePngVariants() {
  std::vector<image_variants::PngVariant> variants;
  image_variants::AddPngVariant(variants, "grey 1", PNG_COLOR_TYPE_GRAY, 1,
                                {{0b10'000000}, {0b01'000000}},
                                {0xFFFFFFFFu, 0xFF000000u, 0xFF000000u, 0xFFFFFFFFu});
  image_variants::AddPngVariant(variants, "grey 4", PNG_COLOR_TYPE_GRAY, 4, {{0x0F}, {0x58}},
                                {0xFF000000u, 0xFFFFFFFFu, 0xFF555555u, 0xFF888888u});
  image_variants::AddPngVariant(variants, "grey 16", PNG_COLOR_TYPE_GRAY, 16,
                                {{0x00, 0x00, 0xFF, 0xFF}, {0x80, 0x7F, 0x12, 0xFF}},
                                {0xFF000000u, 0xFFFFFFFFu, 0xFF808080u, 0xFF121212u});
  image_variants::AddPngVariant(variants, "grey and alpha 8", PNG_COLOR_TYPE_GRAY_ALPHA, 8,
                                {{0x40, 0xFF, 0x80, 0x10}, {0, 0, 255, 0x7F}},
                                {0xFF404040u, 0x10808080u, 0x00000000u, 0x7FFFFFFFu});
  image_variants::AddPngVariant(
      variants, "RGBA 16", PNG_COLOR_TYPE_RGB_ALPHA, 16,
      {{0xFF, 0x01, 0x00, 0xFF, 0xFF, 0x80, 0xFF, 0xFF, 0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0x80,
        0x00},
       {0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF}},
      {0xFFFF00FFu, 0x8012569Au, 0x00000000u, 0xFFFF00FFu});
  image_variants::PngVariant* grey16Key = image_variants::AddPngVariant(
      variants, "grey 16 with a transparent value", PNG_COLOR_TYPE_GRAY, 16,
      {{0x12, 0x34, 0x12, 0x35}, {0xFF, 0xFF, 0x12, 0x34}},
      {0x00121212u, 0xFF121212u, 0xFFFFFFFFu, 0x00121212u});
  grey16Key->picture.greyKey = true;
  grey16Key->picture.keyGrey = 0x1234;
  image_variants::PngVariant* rgbKey =
      image_variants::AddPngVariant(variants, "RGB 8 with a transparent colour", PNG_COLOR_TYPE_RGB,
                                    8, {{10, 20, 30, 255, 0, 255}, {10, 20, 31, 10, 20, 30}},
                                    {0x000A141Eu, 0xFFFF00FFu, 0xFF0A141Fu, 0x000A141Eu});
  rgbKey->picture.rgbKey = true;
  rgbKey->picture.keyRgb[0] = 10;
  rgbKey->picture.keyRgb[1] = 20;
  rgbKey->picture.keyRgb[2] = 30;
  image_variants::PngVariant* rgb16Key = image_variants::AddPngVariant(
      variants, "RGB 16 with a transparent colour", PNG_COLOR_TYPE_RGB, 16,
      {{0x10, 0x01, 0x20, 0x02, 0x30, 0x03, 0x10, 0x01, 0x20, 0x02, 0x30, 0x04},
       {0xFF, 0, 0, 0, 0xFF, 0, 0x10, 0x01, 0x20, 0x02, 0x30, 0x03}},
      {0x00102030u, 0xFF102030u, 0xFFFF00FFu, 0x00102030u});
  rgb16Key->picture.rgbKey = true;
  rgb16Key->picture.keyRgb[0] = 0x1001;
  rgb16Key->picture.keyRgb[1] = 0x2002;
  rgb16Key->picture.keyRgb[2] = 0x3003;
  image_variants::PngVariant* palette = image_variants::AddPngVariant(
      variants, "palette 2 without transparency", PNG_COLOR_TYPE_PALETTE, 2,
      {{0b00'01'0000}, {0b10'11'0000}}, {0x00FF00FFu, 0xFF102030u, 0xFFF0E0D0u, 0xFF00FF00u});
  palette->picture.palette = {{255, 0, 255}, {0x10, 0x20, 0x30}, {0xF0, 0xE0, 0xD0}, {0, 255, 0}};
  return variants;
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
      EXPECT_TRUE(ShowsDecodedTexels(accel, draw, decoded, width, tolerance));
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

TEST_F(DriverAgreementTest, BitmapsOfOtherProgramsFollowTheirAlphaBits) {
  for (const ForeignBmp& foreign : kForeignBmps) {
    SCOPED_TRACE(foreign.variant.name);
    std::vector<uint32_t> decoded;
    const std::string path = dir_.File(std::string(foreign.variant.name) + ".bmp");
    WriteFileBytes(path, WriteForeignBmp(foreign, &decoded));
    ExpectAgreement(path, decoded, image_variants::kW);
  }
}

TEST_F(DriverAgreementTest, EveryPngKindLooksTheSame) {
  std::vector<image_variants::PngVariant> variants = PngVariants();
  for (image_variants::PngVariant& more : MorePngVariants()) {
    variants.push_back(std::move(more));
  }
  for (const image_variants::PngVariant& variant : variants) {
    SCOPED_TRACE(variant.name);
    const std::string path = dir_.File(std::string(variant.name) + ".png");
    ASSERT_TRUE(WritePng(path, variant.picture));
    ExpectAgreement(path, variant.expected, variant.picture.width);
  }
}
