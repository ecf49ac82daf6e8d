// Runs a sequence of STX operations on arbitrary bytes read as an STX file. The first byte is
// the number of operation bytes that follow it (at most 15); the rest is the file. Whatever parts
// an image holds (none, a header, a map, a tile set), every operation either works or fails
// with a reason, and what save writes, load takes back.
#include <FreeImage.h>
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/foundation/archive_ansi.h"
#include "core/foundation/archive_memory.h"
#include "core/tiles/stx_image.h"

namespace {

// Composing a picture the size of the cap takes long; small ones show the same faults.
constexpr int64_t kMaxComposedPixels = int64_t{1} << 20;

// A folder of the run's own, holding the file under test and tile sets its header may name:
// "t.png" beside it and "sets/t.png" below it, four pixels wide and three tiles of 4 x 4 tall.
struct Workspace {
  Workspace() {
    char pattern[] = "/tmp/quillet-stx-fuzz-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
      __builtin_trap();
    }
    folder = pattern;
    std::filesystem::create_directory(folder + "/sets");
    FIBITMAP* tiles = FreeImage_Allocate(4, 12, 32);
    for (unsigned y = 0; y < 12; ++y) {
      BYTE* line = FreeImage_GetScanLine(tiles, int(y));
      for (unsigned i = 0; i < 16; ++i) {
        line[i] = BYTE(y * 16 + i);
      }
    }
    if (!FreeImage_Save(FIF_PNG, tiles, (folder + "/t.png").c_str(), 0) ||
        !FreeImage_Save(FIF_PNG, tiles, (folder + "/sets/t.png").c_str(), 0)) {
      __builtin_trap();
    }
    FreeImage_Unload(tiles);
  }

  std::string File(const char* name) const { return folder + "/" + name; }

  std::string folder;
};

bool Small(const UStxImage& image) {
  return int64_t{image.GetWidth()} * image.GetHeight() <= kMaxComposedPixels;
}

// Whether the picture the file's header claims is small enough to compose.
bool SmallFile(const uint8_t* file, size_t size) {
  if (size < 12) {
    return true;
  }
  auto word = [&](size_t at) {
    return uint32_t{file[at]} | uint32_t{file[at + 1]} << 8 | uint32_t{file[at + 2]} << 16 |
           uint32_t{file[at + 3]} << 24;
  };
  return uint64_t{word(4)} * word(8) <= uint64_t{kMaxComposedPixels};
}

// A failed operation says why; one that needs a map it lacks fails.
void CheckOutcome(const UStxImage& image, bool done) {
  if (!done && image.GetError().empty()) {
    __builtin_trap();
  }
  if (image.GetMap() != nullptr && int64_t{image.GetMapWidth()} * image.GetMapHeight() <= 0) {
    __builtin_trap();
  }
  if (image.IsCreated() && (image.GetMap() == nullptr || image.GetTileSet() == nullptr)) {
    __builtin_trap();
  }
}

void Run(const Workspace& space, UStxImage& image, uint8_t op, const uint8_t* file,
         size_t fileSize) {
  const std::string input = space.File("in.stx");
  switch (op % 9) {
    case 0:
      CheckOutcome(image, image.loadHeader(input.c_str()));
      break;
    case 1:
      if (SmallFile(file, fileSize)) {
        CheckOutcome(image, image.load(input.c_str()));
      }
      break;
    case 2: {
      UArchiveMemory ar(file, fileSize);
      CheckOutcome(image, image.load(ar));
      break;
    }
    case 3: {
      if (image.GetMap() != nullptr && !Small(image)) {
        break;
      }
      const int width = image.GetTileWidth() == 0 ? 4 : image.GetTileWidth();
      const int height = (image.GetTileHeight() == 0 ? 4 : image.GetTileHeight()) * (op / 9 % 4);
      const bool taken = image.setTileSet(FreeImage_Allocate(width, height, 32));
      CheckOutcome(image, taken);
      if (taken != (image.GetMap() != nullptr && height > 0)) {
        __builtin_trap();
      }
      break;
    }
    case 4: {
      const std::string output = space.File("out.stx");
      std::remove(output.c_str());
      const bool saved = image.save(output.c_str());
      CheckOutcome(image, saved);
      UArchiveAnsi ar;
      const bool written = ar.Open(output.c_str(), ArRead) == 1;
      if (saved != written) {
        __builtin_trap();
      }
      UStxImage again;
      if (saved && !again.load(ar)) {
        __builtin_trap();
      }
      break;
    }
    case 5:
      if (Small(image)) {
        CheckOutcome(image, image.exportPicture(space.File("out.bmp").c_str()));
      }
      break;
    case 6:
      if (image.GetTileNum() <= 4096) {
        CheckOutcome(image, image.ExportTileSetSquare(space.File("square.bmp").c_str()));
      }
      break;
    case 7: {
      FIBITMAP* picture = FreeImage_Allocate(8, 8, 24);
      CheckOutcome(image, image.import(picture, 1 + op / 9 % 8, 1 + op / 72, true));
      FreeImage_Unload(picture);
      break;
    }
    default:
      image.Release();
      if (image.GetMap() != nullptr || image.GetTileSet() != nullptr) {
        __builtin_trap();
      }
      break;
  }
  image.GetMapData(1, 1);
  image.GetPixel(0, 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const Workspace space;
  if (size < 1) {
    return 0;
  }
  const size_t ops = data[0] % 16;
  if (size < 1 + ops) {
    return 0;
  }
  const uint8_t* file = data + 1 + ops;
  const size_t fileSize = size - 1 - ops;
  std::FILE* out = std::fopen(space.File("in.stx").c_str(), "wb");
  if (out == nullptr || (fileSize > 0 && std::fwrite(file, fileSize, 1, out) != 1) ||
      std::fclose(out) != 0) {
    __builtin_trap();
  }
  UStxImage image;
  for (size_t i = 0; i < ops; ++i) {
    Run(space, image, data[1 + i], file, fileSize);
  }
  return 0;
}
