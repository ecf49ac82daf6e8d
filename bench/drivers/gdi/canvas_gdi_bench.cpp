// One frame of a sprite editor: 1,000 placements of 32 x 32 modules from a 512 x 512 texture onto
// a 1024 x 1024 back buffer, drawn through the GDI-style canvas (alpha-blended, colour-keyed and
// mirrored) and, for comparison, straight with QPainter::drawImage onto a picture of the same
// format. The canvas blends with the widest row loops the processor runs; the same frames drawn
// straight onto the driver's picture with each level forced show what every level gives.
#include <FreeImage.h>
#include <benchmark/benchmark.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "core/canvas/memory_window_host.h"
#include "core/canvas/surface.h"
#include "drivers/gdi/canvas_gdi.h"
#include "drivers/gdi/canvas_util_gdi.h"
#include "drivers/gdi/raster_picture.h"
#include "drivers/gdi/surface_gdi.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr int kTextureSize = 512;
constexpr int kModule = 32;
constexpr int kModulesPerRow = kTextureSize / kModule;
constexpr int kBackBuffer = 1024;
constexpr int kPlacements = 1000;

// A module is a disc: opaque inside, a soft edge of partial alpha, transparent corners. With
// `keyed`, the edge is hard and the corners magenta, as in a 24-bit sprite sheet.
uint32_t Texel(int x, int y, bool keyed) {
  const int module = (y / kModule) * kModulesPerRow + x / kModule;
  const double dx = x % kModule - 15.5;
  const double dy = y % kModule - 15.5;
  const double distance = std::sqrt(dx * dx + dy * dy);
  const uint32_t rgb = static_cast<uint32_t>(module * 2654435761u) & 0x00FFFFFFu & ~0x0000FF00u;
  if (keyed) {
    return distance < 15.0 ? 0xFF000000u | rgb : 0xFFFF00FFu;
  }
  const double coverage = std::clamp(15.0 - distance, 0.0, 1.0);
  return static_cast<uint32_t>(coverage * 255.0 + 0.5) << 24 | rgb;
}

bool WriteTexture(const std::string& path, bool keyed) {
  FIBITMAP* bitmap = FreeImage_Allocate(kTextureSize, kTextureSize, keyed ? 24 : 32);
  const int bytes = keyed ? 3 : 4;
  for (int y = 0; y < kTextureSize; ++y) {
    BYTE* line = FreeImage_GetScanLine(bitmap, kTextureSize - 1 - y);
    for (int x = 0; x < kTextureSize; ++x) {
      const uint32_t texel = Texel(x, y, keyed);
      BYTE* pixel = line + x * bytes;
      pixel[FI_RGBA_BLUE] = static_cast<BYTE>(texel);
      pixel[FI_RGBA_GREEN] = static_cast<BYTE>(texel >> 8);
      pixel[FI_RGBA_RED] = static_cast<BYTE>(texel >> 16);
      if (!keyed) {
        pixel[FI_RGBA_ALPHA] = static_cast<BYTE>(texel >> 24);
      }
    }
  }
  const bool saved = FreeImage_Save(keyed ? FIF_BMP : FIF_PNG, bitmap, path.c_str(), 0) != 0;
  FreeImage_Unload(bitmap);
  return saved;
}

struct TPlacement {
  URect dst;
  URect src;
};

// The same frame for every run: placements spread over the back buffer at the given zoom.
std::vector<TPlacement> Placements(int zoom) {
  std::mt19937 random(20240601);
  std::uniform_int_distribution<int> position(0, kBackBuffer / zoom - kModule);
  std::uniform_int_distribution<int> module(0, kModulesPerRow * kModulesPerRow - 1);
  std::vector<TPlacement> placements;
  for (int i = 0; i < kPlacements; ++i) {
    const int x = position(random);
    const int y = position(random);
    const int m = module(random);
    const int sx = (m % kModulesPerRow) * kModule;
    const int sy = (m / kModulesPerRow) * kModule;
    placements.push_back(
        {URect(x, y, x + kModule, y + kModule), URect(sx, sy, sx + kModule, sy + kModule)});
  }
  return placements;
}

enum class EPath { kAlphaBlended, kColourKeyed, kMirrored };

struct SurfaceReleaser {
  void operator()(USurface* surface) const {
    surface->Release();
    delete surface;
  }
};

void LumselFrame(benchmark::State& state, EPath path, int zoom) {
  TempDir temp;
  const bool keyed = path == EPath::kColourKeyed;
  const std::string file = temp.File(keyed ? "texture.bmp" : "texture.png");
  if (!WriteTexture(file, keyed)) {
    state.SkipWithError("cannot write the texture");
    return;
  }
  UMemoryWindowHost host(kBackBuffer, kBackBuffer);
  UCanvasUtilGdi util;
  UCanvasGdi canvas;
  util.Init(&host);
  canvas.Init(&host);
  canvas.CreateCanvas(&util, kBackBuffer, kBackBuffer);
  for (int step = 1; step < zoom; ++step) {
    canvas.ZoomIn();
  }
  const std::unique_ptr<USurface, SurfaceReleaser> texture(
      util.CreateUSurfaceFromFile(file.c_str(), 0, 0));
  if (texture == nullptr) {
    state.SkipWithError("cannot load the texture");
    return;
  }
  BLTFX mirror;
  mirror.flags = BLTFX_MIRRORX;
  const BLTFX* fx = path == EPath::kMirrored ? &mirror : nullptr;
  const std::vector<TPlacement> placements = Placements(zoom);
  canvas.Clear();
  for (auto _ : state) {
    for (const TPlacement& placement : placements) {
      canvas.DrawSurface(&placement.dst, texture.get(), &placement.src, fx);
    }
  }
  canvas.Release();
  util.DeInit();
}

// LumselFrame at zoom 1 without the canvas: the placements blended straight onto a picture with
// the row loops of `level`.
void LumselLevelFrame(benchmark::State& state, EPath path, EBlendLevel level) {
  if (!IsBlendLevelAvailable(level)) {
    state.SkipWithError("this processor does not run this level");
    return;
  }
  TempDir temp;
  const bool keyed = path == EPath::kColourKeyed;
  const std::string file = temp.File(keyed ? "texture.bmp" : "texture.png");
  if (!WriteTexture(file, keyed)) {
    state.SkipWithError("cannot write the texture");
    return;
  }
  UMemoryWindowHost host(kBackBuffer, kBackBuffer);
  UCanvasUtilGdi util;
  util.Init(&host);
  const std::unique_ptr<USurface, SurfaceReleaser> texture(
      util.CreateUSurfaceFromFile(file.c_str(), 0, 0));
  const auto* surface = dynamic_cast<const USurfaceGdi*>(texture.get());
  URasterPicture back_buffer;
  if (surface == nullptr || !back_buffer.Create(kBackBuffer, kBackBuffer)) {
    state.SkipWithError("cannot load the texture");
    return;
  }
  back_buffer.FillVerticalGradient(kBackBuffer, kBackBuffer, 0x808080, 0xFFFFFF);
  TBlendMode mode;
  mode.mirrorX = path == EPath::kMirrored;
  mode.keyed = texture->UsesColorKey();
  mode.key = texture->GetColorKey();
  const std::vector<TPlacement> placements = Placements(1);
  for (auto _ : state) {
    for (const TPlacement& placement : placements) {
      const URect& dst = placement.dst;
      const URect& src = placement.src;
      back_buffer.Blend({dst.left, dst.top, kModule, kModule}, surface->GetPicture(),
                        {src.left, src.top, kModule, kModule}, mode, level);
    }
  }
  util.DeInit();
}

void QPainterFrame(benchmark::State& state, int zoom) {
  QImage source(kTextureSize, kTextureSize, QImage::Format_ARGB32);
  for (int y = 0; y < kTextureSize; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(source.scanLine(y));
    for (int x = 0; x < kTextureSize; ++x) {
      row[x] = Texel(x, y, false);
    }
  }
  const QImage texture = source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QImage back_buffer(kBackBuffer, kBackBuffer, QImage::Format_ARGB32_Premultiplied);
  back_buffer.fill(0xFF808080u);
  const std::vector<TPlacement> placements = Placements(zoom);
  for (auto _ : state) {
    QPainter painter(&back_buffer);
    for (const TPlacement& placement : placements) {
      const URect& dst = placement.dst;
      const URect& src = placement.src;
      painter.drawImage(QRect(dst.left * zoom, dst.top * zoom, kModule * zoom, kModule * zoom),
                        texture, QRect(src.left, src.top, kModule, kModule));
    }
  }
}

}  // namespace

BENCHMARK_CAPTURE(QPainterFrame, zoom1, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, alpha_blended_zoom1, EPath::kAlphaBlended, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, colour_keyed_zoom1, EPath::kColourKeyed, 1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, mirrored_zoom1, EPath::kMirrored, 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, alpha_blended_sse2_zoom1, EPath::kAlphaBlended,
                  EBlendLevel::kSse2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, colour_keyed_sse2_zoom1, EPath::kColourKeyed,
                  EBlendLevel::kSse2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, mirrored_sse2_zoom1, EPath::kMirrored, EBlendLevel::kSse2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, alpha_blended_avx2_zoom1, EPath::kAlphaBlended,
                  EBlendLevel::kAvx2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, colour_keyed_avx2_zoom1, EPath::kColourKeyed,
                  EBlendLevel::kAvx2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselLevelFrame, mirrored_avx2_zoom1, EPath::kMirrored, EBlendLevel::kAvx2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(QPainterFrame, zoom2, 2)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, alpha_blended_zoom2, EPath::kAlphaBlended, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, colour_keyed_zoom2, EPath::kColourKeyed, 2)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LumselFrame, mirrored_zoom2, EPath::kMirrored, 2)->Unit(benchmark::kMillisecond);
