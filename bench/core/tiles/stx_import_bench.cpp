// Importing a picture as a tiled image with flip matching: the de-duplication by hashing against
// the comparison of every cell with every tile kept so far, on the same 1024 x 1024 picture (they
// must give the same map and tile set); then the hashing one alone on 4096 x 4096, from the
// decoded picture in memory to the map and tile set in memory, with PNG decoding and encoding
// of that picture timed apart. Targets: at least 20 times faster at 1024, under 2 s at 4096.
#include <FreeImage.h>
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/tiles/stx_image.h"
#include "core/tiles/tile_dedup.h"

namespace {

constexpr int kTile = 16;

// A picture of 16 x 16 tiles: a third repeat one of 64 tiles, a third show one of those mirrored
// one of three ways, and a third are new.
std::vector<uint32_t> MixedPicture(int size) {
  std::mt19937 random(size);
  std::vector<uint32_t> pool(64 * kTile * kTile);
  for (uint32_t& pixel : pool) {
    pixel = 0xFF000000u | static_cast<uint32_t>(random() & 0xFFFFFF);
  }
  std::vector<uint32_t> pixels(size_t(size) * size);
  const int cells = size / kTile;
  for (int ty = 0; ty < cells; ++ty) {
    for (int tx = 0; tx < cells; ++tx) {
      const uint32_t kind = static_cast<uint32_t>(random() % 3);
      const uint32_t source = static_cast<uint32_t>(random() % 64);
      const uint32_t flips = kind == 1 ? static_cast<uint32_t>(1 + random() % 3) : 0u;
      for (int v = 0; v < kTile; ++v) {
        for (int u = 0; u < kTile; ++u) {
          const int su = (flips & 1) != 0 ? kTile - 1 - u : u;
          const int sv = (flips & 2) != 0 ? kTile - 1 - v : v;
          uint32_t& pixel = pixels[size_t(ty * kTile + v) * size + size_t(tx * kTile + u)];
          pixel = kind == 2 ? 0xFF000000u | static_cast<uint32_t>(random() & 0xFFFFFF)
                            : pool[source * kTile * kTile + size_t(sv * kTile + su)];
        }
      }
    }
  }
  return pixels;
}

FIBITMAP* ToBitmap(const std::vector<uint32_t>& pixels, int size) {
  FIBITMAP* bitmap = FreeImage_Allocate(size, size, 32);
  for (int y = 0; y < size; ++y) {
    BYTE* line = FreeImage_GetScanLine(bitmap, size - 1 - y);
    for (int x = 0; x < size; ++x) {
      const uint32_t color = pixels[size_t(y) * size + x];
      BYTE* pixel = line + size_t(x) * 4;
      pixel[FI_RGBA_BLUE] = BYTE(color);
      pixel[FI_RGBA_GREEN] = BYTE(color >> 8);
      pixel[FI_RGBA_RED] = BYTE(color >> 16);
      pixel[FI_RGBA_ALPHA] = BYTE(color >> 24);
    }
  }
  return bitmap;
}

const std::vector<uint32_t>& Picture1024() {
  static const std::vector<uint32_t> pixels = MixedPicture(1024);
  return pixels;
}

void BM_DeduplicateByComparison1024(benchmark::State& state) {
  const TTilePicture picture{Picture1024().data(), 1024, 1024};
  for (auto _ : state) {
    TTileCut cut = DeduplicateTilesByComparison(picture, kTile, kTile, true);
    benchmark::DoNotOptimize(cut);
    state.counters["tiles"] = cut.tileCount;
  }
}
BENCHMARK(BM_DeduplicateByComparison1024)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Deduplicate1024(benchmark::State& state) {
  const TTilePicture picture{Picture1024().data(), 1024, 1024};
  const TTileCut reference = DeduplicateTilesByComparison(picture, kTile, kTile, true);
  for (auto _ : state) {
    TTileCut cut = DeduplicateTiles(picture, kTile, kTile, true);
    benchmark::DoNotOptimize(cut);
    state.PauseTiming();
    if (cut.map != reference.map || cut.tiles != reference.tiles) {
      state.SkipWithError("the two de-duplications differ");
    }
    state.counters["tiles"] = cut.tileCount;
    state.ResumeTiming();
  }
}
BENCHMARK(BM_Deduplicate1024)->Unit(benchmark::kMillisecond);

// The whole import of a decoded 4096 x 4096 picture: reading its pixels, de-duplicating, and
// building the tile-set bitmap.
void BM_StxImport4096(benchmark::State& state) {
  FIBITMAP* bitmap = ToBitmap(MixedPicture(4096), 4096);
  for (auto _ : state) {
    UStxImage image;
    if (!image.import(bitmap, kTile, kTile, true)) {
      state.SkipWithError("import failed");
    }
    state.counters["tiles"] = image.GetTileNum();
  }
  FreeImage_Unload(bitmap);
}
BENCHMARK(BM_StxImport4096)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PngEncode4096(benchmark::State& state) {
  FIBITMAP* bitmap = ToBitmap(MixedPicture(4096), 4096);
  for (auto _ : state) {
    FIMEMORY* memory = FreeImage_OpenMemory();
    FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, 0);
    FreeImage_CloseMemory(memory);
  }
  FreeImage_Unload(bitmap);
}
BENCHMARK(BM_PngEncode4096)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_PngDecode4096(benchmark::State& state) {
  FIBITMAP* bitmap = ToBitmap(MixedPicture(4096), 4096);
  FIMEMORY* memory = FreeImage_OpenMemory();
  FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, 0);
  FreeImage_Unload(bitmap);
  for (auto _ : state) {
    FreeImage_SeekMemory(memory, 0, SEEK_SET);
    FIBITMAP* decoded = FreeImage_LoadFromMemory(FIF_PNG, memory, 0);
    FreeImage_Unload(decoded);
  }
  FreeImage_CloseMemory(memory);
}
BENCHMARK(BM_PngDecode4096)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
