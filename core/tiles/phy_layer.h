#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/name.h"
#include "core/foundation/rect.h"

class UMaterialTileMap;

// A byte grid laid over a tile map for collision and game logic, one byte per cell: code bits 0-3
// in bits 0-3, horizontal flip in bit 4, vertical flip in bit 5, code bits 4-5 in bits 6-7.
//
// Stored form: int32 width, int32 height, then the bytes row by row. The name is not stored.
class CORE_API UPhyLayer {
 public:
  UPhyLayer();
  UPhyLayer(const UPhyLayer&) = default;
  UPhyLayer& operator=(const UPhyLayer&) = default;
  virtual ~UPhyLayer();

  // width x height zero bytes; returns 0. A negative size, or one over 2^26 cells, leaves the
  // layer empty and returns -1.
  int CreatePhyData(int width, int height);
  // Frees the bytes; returns 1.
  int Release();

  // Writes each cell of the layer into the same cell of `map` (cells outside the map are left
  // out): tile index = the byte's code, its flips, tile set 0.
  void SaveToMaterialMap(UMaterialTileMap* map) const;
  // Reads each cell of the layer from the same cell of `map`: an empty map cell, or one outside
  // the map, gives 0; otherwise the low 6 bits of the tile index and the flips.
  void LoadFromMaterialMap(UMaterialTileMap* map);
  // No collision test exists; always false.
  bool CollisionDetect(float& x, float& y, URect* box, float& dx, float& dy, bool slide);

  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  const std::vector<uint8_t>& GetData() const { return m_Data; }
  // The byte at (x, y), or 0 outside the layer; setting outside does nothing.
  uint8_t GetCell(int x, int y) const;
  void SetCell(int x, int y, uint8_t value);
  UName& GetName() { return m_Name; }

  friend CORE_API UArchive& operator<<(UArchive& ar, const UPhyLayer& layer);
  friend CORE_API UArchive& operator>>(UArchive& ar, UPhyLayer& layer);

 private:
  bool IsInside(int x, int y) const { return x >= 0 && y >= 0 && x < m_Width && y < m_Height; }

  int32_t m_Width = 0;
  int32_t m_Height = 0;
  std::vector<uint8_t> m_Data;
  UName m_Name;
};

// The map cell a layer byte stands for, and the byte a map cell gives.
CORE_API uint32_t PhyByteToCell(uint8_t value);
CORE_API uint8_t PhyByteFromCell(uint32_t cell);

CORE_API UArchive& operator<<(UArchive& ar, const UPhyLayer& layer);
// Reads into a layer that already has the stored size. Sizes that differ from the layer's, or
// bytes the rest of the stream cannot hold, fail the archive and leave the layer unchanged.
CORE_API UArchive& operator>>(UArchive& ar, UPhyLayer& layer);
