// Reads arbitrary bytes as a stored physical layer. The first two bytes give the size of the
// layer read into; nothing may crash or write outside it, a read that fails leaves the layer as
// it was, and a layer that reads cleanly writes back the same bytes and survives a trip through
// a tile map.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/foundation/archive_memory.h"
#include "core/tiles/material_tile_map.h"
#include "core/tiles/phy_layer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) {
    return 0;
  }
  UPhyLayer layer;
  layer.CreatePhyData(data[0] % 33, data[1] % 33);
  const std::vector<uint8_t> before = layer.GetData();
  UArchiveMemory ar(data + 2, size - 2);
  ar >> layer;
  if (ar.IsFailed()) {
    if (layer.GetData() != before) {
      __builtin_trap();
    }
    return 0;
  }
  UArchiveMemory out;
  out << layer;
  if (out.GetBuffer().size() > size - 2 ||
      !std::equal(out.GetBuffer().begin(), out.GetBuffer().end(), data + 2)) {
    __builtin_trap();
  }
  UMaterialTileMap map;
  map.Init(layer.GetWidth(), layer.GetHeight(), 8, 8);
  layer.SaveToMaterialMap(&map);
  const std::vector<uint8_t> painted = layer.GetData();
  layer.LoadFromMaterialMap(&map);
  if (layer.GetData() != painted) {
    __builtin_trap();
  }
  return 0;
}
