#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "editor/doc/sprite_slicing.h"

// Slicing a 4,096 x 4,096 sheet of 4,096 irregular sprites (64 x 64 cells of 48 x 48 sprites and
// 16-pixel gaps) by opaque regions must take under 200 ms.

namespace {

constexpr int kSheetSize = 4096;
constexpr int kCell = 64;
constexpr int kSprite = 48;

// Each sprite is a disc with three smaller discs whose centres lie inside it, so it is one
// region of a shape of its own; translucent texels and the colour key stay outside the sprites.
std::vector<uint32_t> MakeSheet() {
  std::vector<uint32_t> sheet(static_cast<size_t>(kSheetSize) * kSheetSize, 0x00000000u);
  std::mt19937 random(7);
  std::uniform_int_distribution<int> radius(8, 16);
  std::uniform_int_distribution<int> shift(-8, 8);
  for (int cellY = 0; cellY < kSheetSize / kCell; ++cellY) {
    for (int cellX = 0; cellX < kSheetSize / kCell; ++cellX) {
      const int centre = kSprite / 2;
      struct Disc {
        int x, y, r;
      };
      std::vector<Disc> discs = {{centre, centre, radius(random)}};
      for (int i = 0; i < 3; ++i) {
        discs.push_back({centre + shift(random), centre + shift(random), radius(random) / 2 + 2});
      }
      const uint32_t colour = 0xFF000000u | static_cast<uint32_t>(random() & 0xFFFFFFu);
      for (int y = 0; y < kSprite; ++y) {
        for (int x = 0; x < kSprite; ++x) {
          const bool inside = std::any_of(discs.begin(), discs.end(), [&](const Disc& d) {
            return (x - d.x) * (x - d.x) + (y - d.y) * (y - d.y) <= d.r * d.r;
          });
          if (inside) {
            sheet[static_cast<size_t>(cellY * kCell + y) * kSheetSize + cellX * kCell + x] = colour;
          }
        }
      }
    }
  }
  return sheet;
}

void BM_SliceSheetByRegions(benchmark::State& state) {
  static const std::vector<uint32_t> sheet = MakeSheet();
  CSliceImage image;
  image.pixels = sheet.data();
  image.width = kSheetSize;
  image.height = kSheetSize;
  image.stride = kSheetSize;
  CRegionSlicing regions;
  regions.mergeDistance = 2;
  std::vector<URect> boxes;
  for (auto _ : state) {
    benchmark::DoNotOptimize(SliceByRegions(image, regions, &boxes));
  }
  state.counters["sprites"] = static_cast<double>(boxes.size());
}
BENCHMARK(BM_SliceSheetByRegions)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
