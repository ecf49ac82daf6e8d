#include <benchmark/benchmark.h>

#include "exporter/picture_trim.h"
#include "exporter/png_memory_encoder.h"
#include "exporter/sprite_sheet.h"
#include "tests/support/png_reader.h"

// Building a sprite sheet of 2,000 pictures against encoding its pages alone: what trimming,
// finding repeats, packing and the atlas add to the PNG encoding every export pays for.

namespace {

constexpr int kCanvas = 96;

// 20 actions of 100 pictures; a figure that moves and changes size, each key held for two
// pictures as actions with long keys hold them.
CExportDocument MakeDocument() {
  CExportDocument document;
  for (int a = 0; a < 20; ++a) {
    CExportAction action{"action" + std::to_string(a), kCanvas, kCanvas, 48, 90, {}};
    for (int p = 0; p < 100; ++p) {
      const int key = p / 2;
      std::vector<uint8_t> canvas(kCanvas * kCanvas * 4, 0);
      const int x0 = 10 + (key * 7 + a) % 30;
      const int y0 = 5 + (key * 3) % 20;
      const int size = 30 + (key * 5 + a) % 30;
      for (int y = y0; y < y0 + size && y < kCanvas; ++y) {
        for (int x = x0; x < x0 + size && x < kCanvas; ++x) {
          uint8_t* pixel = &canvas[(y * kCanvas + x) * 4];
          pixel[0] = static_cast<uint8_t>(x * 3 + a);
          pixel[1] = static_cast<uint8_t>(y * 2 + key);
          pixel[2] = static_cast<uint8_t>((x ^ y) + a * key);
          pixel[3] = static_cast<uint8_t>(x + y > 40 ? 255 : 128);
        }
      }
      CExportPicture picture;
      picture.bits = std::make_shared<const CPictureBits>(
          TrimPicture(canvas.data(), kCanvas, kCanvas, kCanvas, PixelOrder::Rgba));
      picture.durationMs = 33;
      action.pictures.push_back(std::move(picture));
    }
    document.actions.push_back(std::move(action));
  }
  return document;
}

CFormatOptions Options() {
  CFormatOptions options;
  options.baseName = "bench";
  options.version = "bench";
  return options;
}

// The pages the sheet holds, decoded back from its PNG files.
std::vector<DecodedPng> SheetPages(const std::vector<CExportFile>& files) {
  std::vector<DecodedPng> pages;
  for (const CExportFile& file : files) {
    if (file.name.ends_with(".png")) {
      pages.push_back(DecodePng(file.bytes));
    }
  }
  return pages;
}

void BM_BuildSheet(benchmark::State& state) {
  const CExportDocument document = MakeDocument();
  for (auto _ : state) {
    std::vector<CExportFile> files;
    std::string error;
    if (!BuildSpriteSheet(document, Options(), &files, &error)) {
      state.SkipWithError(error.c_str());
      return;
    }
    benchmark::DoNotOptimize(files.data());
  }
}
BENCHMARK(BM_BuildSheet)->Unit(benchmark::kMillisecond);

void BM_EncodeSheetPagesAlone(benchmark::State& state) {
  std::vector<CExportFile> files;
  std::string error;
  BuildSpriteSheet(MakeDocument(), Options(), &files, &error);
  const std::vector<DecodedPng> pages = SheetPages(files);
  state.counters["pages"] = static_cast<double>(pages.size());
  double pixels = 0;
  for (const DecodedPng& page : pages) {
    pixels += static_cast<double>(page.w) * page.h;
  }
  state.counters["page_pixels"] = pixels;
  for (auto _ : state) {
    for (const DecodedPng& page : pages) {
      std::vector<unsigned char> bytes;
      EncodeRgbaPng(page.w, page.h, page.rgba, &bytes, &error);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
}
BENCHMARK(BM_EncodeSheetPagesAlone)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
