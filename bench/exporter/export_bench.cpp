#include <FreeImage.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/large_actor.h"
#include "core/anim/actor_file.h"
#include "exporter/export_batch.h"
#include "exporter/png_memory_encoder.h"
#include "tests/support/png_reader.h"

// Exporting every action of a document as sprite sheets (drawing, trimming, packing, the atlas
// and the page encoding) against encoding the same pages alone, for the example and for the
// large document; and several documents exported on one worker thread against two.

namespace {

// The documents on disk, made once, each beside its texture.
struct BenchDocuments {
  std::filesystem::path folder;
  std::string example;
  std::string large;

  BenchDocuments() {
    char pattern[] = "/tmp/quillet-export-bench-XXXXXX";
    folder = mkdtemp(pattern);
    for (const char* name : {"hero.an1", "hero.png"}) {
      std::filesystem::copy_file(std::filesystem::path(QUILLET_EXAMPLES_DIR) / name, folder / name);
    }
    example = (folder / "hero.an1").string();
    UObjActor actor;
    BuildLargeActor(actor);
    large = (folder / "large.an1").string();
    SaveActorFile(large.c_str(), actor);
    FIBITMAP* texture = FreeImage_Allocate(kLargeActorTextureSize, kLargeActorTextureSize, 32);
    for (int y = 0; y < kLargeActorTextureSize; ++y) {
      auto* row = reinterpret_cast<uint32_t*>(FreeImage_GetScanLine(texture, y));
      for (int x = 0; x < kLargeActorTextureSize; ++x) {
        row[x] = 0xFF000000u | static_cast<uint32_t>(x * 7 ^ y * 13) << 8 | (x + y);
      }
    }
    FreeImage_Save(FIF_PNG, texture, (folder / "sheet.png").c_str(), PNG_DEFAULT);
    FreeImage_Unload(texture);
  }
  ~BenchDocuments() {
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
  }
};

const BenchDocuments& Documents() {
  static const BenchDocuments documents;
  return documents;
}

const std::string& DocumentFor(const benchmark::State& state) {
  return state.range(0) == 0 ? Documents().example : Documents().large;
}

std::vector<CDocumentExport> ExportSheets(const std::vector<std::string>& paths, int jobs) {
  CFormatOptions files;
  files.version = "bench";
  return ExportDocuments(paths, CDrawOptions(), ExportFormat::Sheet, files, jobs, nullptr);
}

void BM_ExportSheets(benchmark::State& state) {
  const std::vector<std::string> paths = {DocumentFor(state)};
  for (auto _ : state) {
    if (!ExportSheets(paths, 1)[0].ok) {
      state.SkipWithError("the export failed");
    }
  }
}
BENCHMARK(BM_ExportSheets)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_EncodePagesAlone(benchmark::State& state) {
  std::vector<DecodedPng> pages;
  const std::vector<CDocumentExport> exported = ExportSheets({DocumentFor(state)}, 1);
  for (const CExportFile& file : exported[0].files) {
    if (file.name.ends_with(".png")) {
      pages.push_back(DecodePng(file.bytes));
    }
  }
  state.counters["pages"] = static_cast<double>(pages.size());
  std::string error;
  for (auto _ : state) {
    for (const DecodedPng& page : pages) {
      std::vector<unsigned char> bytes;
      EncodeRgbaPng(page.w, page.h, page.rgba, &bytes, &error);
      benchmark::DoNotOptimize(bytes.data());
    }
  }
}
BENCHMARK(BM_EncodePagesAlone)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Eight copies of the example on `jobs` worker threads.
void BM_ExportDocumentsOnThreads(benchmark::State& state) {
  const std::vector<std::string> paths(8, Documents().example);
  for (auto _ : state) {
    benchmark::DoNotOptimize(ExportSheets(paths, static_cast<int>(state.range(0))).data());
  }
}
BENCHMARK(BM_ExportDocumentsOnThreads)->Arg(1)->Arg(2)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
