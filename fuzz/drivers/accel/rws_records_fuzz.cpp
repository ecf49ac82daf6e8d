// Reads Core's stored records (tile formats, name lists, documents) from a chunk stream through
// UArchiveRws, as a file that mixes engine and Core data would hold them. The first byte picks the
// record kind and where it lies (at the start of the stream, in a chunk of its own, in a chunk
// inside a group, or straight after a group's start); the second gives the size of the maps that
// are read into; the rest is the stream. Nothing may crash, and no record may allocate more than
// the chunk holding it backs (libFuzzer's malloc limit catches a one-shot allocation from a claimed
// length).
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/anim/obj_actor.h"
#include "core/foundation/message.h"
#include "core/foundation/name.h"
#include "core/tiles/material_tile_map.h"
#include "core/tiles/phy_layer.h"
#include "core/tiles/stx_image.h"
#include "core/tiles/tile_lib.h"
#include "core/tiles/xbm_image.h"
#include "drivers/accel/archive_rws.h"
#include "fuzz/drivers/accel/memory_file.h"

namespace {

// The chunk type the seeds frame their records with.
constexpr int kRecordChunk = 0x7E1;

enum RecordKind { kXbm, kStx, kTileMap, kPhyLayer, kTileLib, kNames, kActor, kRecordKinds };

enum Placing { kAtStart, kInChunk, kInGroupChunk, kAfterGroupStart };

void ReadRecord(UArchiveRws& ar, RecordKind kind, uint8_t mapSize) {
  const int width = mapSize & 0xF;
  const int height = mapSize >> 4;
  switch (kind) {
    case kXbm: {
      UXbmImage image;
      ar >> image;
      if (!ar.IsFailed() && image.GetCompression() == 0 &&
          image.GetData().size() != image.GetDataLength()) {
        __builtin_trap();
      }
      break;
    }
    case kStx: {
      UStxImage image;
      const bool loaded = image.load(ar);
      if (loaded != (image.GetMap() != nullptr)) {
        __builtin_trap();
      }
      if (loaded && int64_t{image.GetWidth()} * image.GetHeight() <= (1 << 20)) {
        image.setTileSet(FreeImage_Allocate(image.GetTileWidth(), image.GetTileHeight() * 2, 32));
        image.GetPixel(image.GetWidth() - 1, image.GetHeight() - 1);
      }
      break;
    }
    case kTileMap: {
      UMaterialTileMap map;
      map.Init(width, height, 8, 8);
      ar >> map;
      if (map.GetCells().size() != size_t(width) * size_t(height)) {
        __builtin_trap();
      }
      break;
    }
    case kPhyLayer: {
      UPhyLayer layer;
      layer.CreatePhyData(width, height);
      ar >> layer;
      break;
    }
    case kTileLib: {
      UTileLib lib;
      lib.SetDefaultPath("/nonexistent-quillet-fuzz");
      ar >> lib;
      if (lib.size() != 0 || !lib.IsEmpty()) {
        __builtin_trap();
      }
      break;
    }
    case kActor: {
      // The chunk stream lends no bytes in place, so the document is decoded record by record.
      UObjActor actor;
      actor.Init();
      ar >> actor;
      break;
    }
    case kNames:
    default: {
      UArray<UName> names;
      ar >> names;
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool silenced = [] {
    SetMessageHook([](const UMessageRequest&) { return UMessageAnswer::Ok; });
    return true;
  }();
  (void)silenced;
  static MemoryFile file;
  if (size < 2) {
    return 0;
  }
  const auto kind = static_cast<RecordKind>(data[0] % kRecordKinds);
  const auto placing = static_cast<Placing>((data[0] / kRecordKinds) % 4);
  file.Fill(data + 2, size - 2);
  UArchiveRws ar;
  if (ar.Open(file.Path().c_str(), ArRead) != 1) {
    __builtin_trap();
  }
  if (placing == kInGroupChunk || placing == kAfterGroupStart) {
    ar.BeginReadChunkGroup();
    if (ar.GetChunkGroup() == nullptr) {
      return 0;
    }
  }
  if ((placing == kInChunk || placing == kInGroupChunk) &&
      !ar.FindChunk(kRecordChunk, nullptr, nullptr)) {
    return 0;
  }
  ReadRecord(ar, kind, data[1]);
  if (placing == kInGroupChunk || placing == kAfterGroupStart) {
    ar.EndReadChunkGroup();
  }
  return 0;
}
