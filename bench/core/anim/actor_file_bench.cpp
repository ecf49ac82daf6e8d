// Loading and saving a large document through the file archive, against one plain fread or
// fwrite of the same number of bytes, neither side syncing. The archive should stay within ten
// times the plain block. The synced safe save is measured on its own.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench/support/large_actor.h"
#include "core/anim/actor_file.h"
#include "core/anim/obj_actor.h"
#include "core/foundation/archive_ansi.h"

namespace {

// The large document, written once, and its size.
struct Fixture {
  Fixture() {
    path = (std::filesystem::temp_directory_path() /
            ("quillet-bench-" + std::to_string(::getpid()) + ".an1"))
               .string();
    plain_path = path + ".plain";
    BuildLargeActor(actor);
    UArchiveAnsi ar(path.c_str(), ArWrite);
    ar << actor;
    size = ar.TotalSize();
    ar.Close();
    bytes.resize(static_cast<size_t>(size));
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr || std::fread(bytes.data(), bytes.size(), 1, file) != 1) {
      std::abort();
    }
    std::fclose(file);
  }
  ~Fixture() {
    std::remove(path.c_str());
    std::remove(plain_path.c_str());
  }

  std::string path;
  std::string plain_path;
  UObjActor actor;
  int size = 0;
  std::vector<unsigned char> bytes;
};

Fixture& Shared() {
  static Fixture fixture;
  return fixture;
}

void BM_ArchiveLoad(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    auto actor = std::make_unique<UObjActor>();
    actor->Init();
    UArchiveAnsi ar(f.path.c_str(), ArRead);
    ar >> *actor;
    ar.Close();
    if (ar.IsFailed() || actor->frames.Num() != kLargeActorFrames) {
      state.SkipWithError("the document did not load");
    }
    // Loading ends with the actor in memory; freeing it is not part of loading.
    state.PauseTiming();
    actor.reset();
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * f.size);
}

void BM_PlainRead(benchmark::State& state) {
  Fixture& f = Shared();
  std::vector<unsigned char> buffer(f.bytes.size());
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.path.c_str(), "rb");
    const size_t read = std::fread(buffer.data(), buffer.size(), 1, file);
    std::fclose(file);
    benchmark::DoNotOptimize(read);
    benchmark::DoNotOptimize(buffer.data());
  }
  state.SetBytesProcessed(state.iterations() * f.size);
}

void BM_ArchiveSave(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    UArchiveAnsi ar(f.plain_path.c_str(), ArWrite);
    ar << f.actor;
    ar.Close();
    if (ar.IsFailed()) {
      state.SkipWithError("the document was not written");
    }
  }
  state.SetBytesProcessed(state.iterations() * f.size);
}

void BM_PlainWrite(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    std::FILE* file = std::fopen(f.plain_path.c_str(), "wb");
    const size_t written = std::fwrite(f.bytes.data(), f.bytes.size(), 1, file);
    std::fclose(file);
    benchmark::DoNotOptimize(written);
  }
  state.SetBytesProcessed(state.iterations() * f.size);
}

// The whole safe save: temporary file, sync, rename and folder sync. Measured apart from the
// archive's own speed, since the syncs cost what the disk makes them cost.
void BM_SaveActorFileSynced(benchmark::State& state) {
  Fixture& f = Shared();
  for (auto _ : state) {
    if (!SaveActorFile(f.plain_path.c_str(), f.actor)) {
      state.SkipWithError("the document was not saved");
    }
  }
  state.SetBytesProcessed(state.iterations() * f.size);
}

}  // namespace

BENCHMARK(BM_ArchiveLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ArchiveSave)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveActorFileSynced)->Unit(benchmark::kMillisecond);
