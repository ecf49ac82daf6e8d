// Decoding run-length bitmaps costs what the data holds, never the pixels its runs claim: a
// 1 x 1 picture made of four million runs decodes as fast with runs of 255 pixels as with runs of
// one.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "core/foundation/bmp_format.h"

namespace {

void PutLe(std::vector<uint8_t>* bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) {
    bytes->push_back(static_cast<uint8_t>(value >> (8 * i)));
  }
}

// A 1 x 1 RLE8 bitmap with two palette entries whose data is `runs` runs of `runLength` pixels.
std::vector<uint8_t> Rle8File(int runs, uint8_t runLength) {
  constexpr uint32_t kDataOffset = 14 + 40 + 2 * 4;
  std::vector<uint8_t> file = {'B', 'M'};
  PutLe(&file, kDataOffset + 2 * uint32_t(runs) + 2, 4);
  PutLe(&file, 0, 4);
  PutLe(&file, kDataOffset, 4);
  PutLe(&file, 40, 4);  // info header size
  PutLe(&file, 1, 4);   // width
  PutLe(&file, 1, 4);   // height
  PutLe(&file, 1, 2);   // planes
  PutLe(&file, 8, 2);   // bits per pixel
  PutLe(&file, 1, 4);   // RLE8
  PutLe(&file, 2 * uint32_t(runs) + 2, 4);
  PutLe(&file, 0, 8);  // resolution
  PutLe(&file, 2, 4);  // palette entries
  PutLe(&file, 0, 4);
  PutLe(&file, 0x000000, 4);
  PutLe(&file, 0xFF8040, 4);
  for (int run = 0; run < runs; ++run) {
    file.push_back(runLength);
    file.push_back(1);
  }
  file.push_back(0);  // end of picture
  file.push_back(1);
  return file;
}

void BM_DecodeRle8Runs(benchmark::State& state) {
  const std::vector<uint8_t> file = Rle8File(4'000'000, static_cast<uint8_t>(state.range(0)));
  for (auto _ : state) {
    TBmpPicture picture;
    const bool decoded = DecodeBmp(file.data(), file.size(), int64_t{1} << 26, &picture);
    benchmark::DoNotOptimize(decoded);
    if (!decoded || picture.pixels.size() != 1) {
      state.SkipWithError("the picture did not decode");
    }
  }
  state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(file.size()));
}
BENCHMARK(BM_DecodeRle8Runs)->Arg(1)->Arg(255)->Unit(benchmark::kMillisecond);

}  // namespace
