// Reads arbitrary bytes as a stored tile map. The first two bytes give the size of the map read
// into; nothing may crash or write outside it, a read that fails leaves the map as it was, and a
// map that reads cleanly writes back the same bytes. The absolute export must survive any cell.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/material_tile.h"
#include "core/tiles/material_tile_map.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  UMaterialTileMap map;
  map.Init(data[0] % 17, data[1] % 17, 8, 8);
  const std::vector<MAPDATA> before = map.GetCells();
  UArchiveMemory ar(data + 2, size - 2);
  ar >> map;
  if (ar.IsFailed()) {
    if (map.GetCells() != before) {
      __builtin_trap();
    }
    return 0;
  }
  UArchiveMemory out;
  out << map;
  const size_t stored = out.GetBuffer().size();
  if (stored > size - 2 || !std::equal(out.GetBuffer().begin(), out.GetBuffer().end(), data + 2)) {
    __builtin_trap();
  }
  UMaterialTile tiles;
  const MAPDATA stx[4] = {0, 0x0C000001, 0xFFFFFFFF, 0x3FFFFFE};
  tiles.SetMapInfo(2, 2, stx);
  UArray<UMaterial*> list{&tiles, nullptr, &tiles};
  map.SetTileMaterials(&list);
  UArchiveMemory absolute;
  map.ExportAbsoult(absolute);
  if (absolute.GetBuffer().size() != stored) {
    __builtin_trap();
  }
  return 0;
}
