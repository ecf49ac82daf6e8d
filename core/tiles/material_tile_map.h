#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/material.h"
#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/foundation/array.h"
#include "core/tiles/tile_dedup.h"

// A grid of cells, each naming a tile material (by its tile-set number, an index into a list of
// tile materials) and a tile of that material's picture (counted row by row), with mirror flags.
// It draws itself by copying those tiles from the tile materials' main surfaces. A freshly made
// map has every cell empty (0xFFFFFFFF). Made by UCanvasUtil::CreateUMaterial(MAT_TILEMAP).
//
// Stored form: int32 mapWidth, int32 mapHeight, then each cell in 16 bits (TileMapCellTo16).
class CORE_API UMaterialTileMap : public UMaterial {
 public:
  UMaterialTileMap() = default;
  ~UMaterialTileMap() override;

  // mapWidth x mapHeight empty cells and the tile size; a negative size, or one over 2^26 cells,
  // gives an empty map.
  void Init(int mapWidth, int mapHeight, int tileWidth, int tileHeight);
  // Takes `surface` (owned from now on) as the main surface, releasing any earlier one.
  void SetMainSurface(USurface* surface);
  // The list of tile materials the cells' tile-set numbers index; not owned, may be null.
  // Entries that are not tile materials draw nothing.
  void SetTileMaterials(UArray<UMaterial*>* materials) { m_TileMaterials = materials; }
  UArray<UMaterial*>* GetTileMaterials() const { return m_TileMaterials; }

  // Clears the whole main surface to magenta and makes that its colour key, then draws the cells
  // of columns left to right - 1 and rows top to bottom - 1 (clipped to the map). Empty cells,
  // cells naming no tile material in the list and tiles outside that material stay magenta.
  // False without a main surface or without tile materials.
  bool ReflashRect(int left, int top, int right, int bottom);
  // Redraws every cell.
  bool Reflash() override;

  // The cell at (x, y); outside the map the first cell (a scratch cell for an empty map).
  MAPDATA& GetMapData(int x, int y);
  // Stores the cell at (x, y); outside the map it does nothing.
  void SetMapData(int x, int y, const MAPDATA& cell);
  int GetMapWidth() const { return m_MapWidth; }
  int GetMapHeight() const { return m_MapHeight; }
  int GetTileWidth() const { return m_TileWidth; }
  int GetTileHeight() const { return m_TileHeight; }
  const std::vector<MAPDATA>& GetCells() const { return m_Cells; }

  // Every cell of tile set `from` moves to tile set `to` (index and flips unchanged).
  void ChangeTilePal(int from, int to);
  // Every cell of tile set `n` becomes 0xFC000001.
  void RemoveTile(int n);
  // Resizing is not offered; does nothing.
  void ReSize(int width, int height, int flags);
  // Frees the cells and the main surface.
  bool Release() override;

  // Writes the map with every cell resolved through the tile materials to a tile of their tile
  // sets: tile index of the tile set, the map's tile-set number, flips combined. A cell whose
  // tile-set number names no tile material, or whose tile lies outside it, is written empty.
  void ExportAbsoult(UArchive& ar) const;

  friend CORE_API UArchive& operator<<(UArchive& ar, const UMaterialTileMap& map);
  friend CORE_API UArchive& operator>>(UArchive& ar, UMaterialTileMap& map);

 private:
  bool IsInside(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_MapWidth && y < m_MapHeight;
  }

  std::vector<MAPDATA> m_Cells;
  UArray<UMaterial*>* m_TileMaterials = nullptr;
  int32_t m_TileWidth = 0;
  int32_t m_TileHeight = 0;
  int32_t m_MapWidth = 0;
  int32_t m_MapHeight = 0;
  MAPDATA m_Scratch = kMapEmpty;
};

// The 16-bit stored form of a cell: tile index bits 0-9, vertical flip in bit 10, horizontal flip
// in bit 11, tile-set number in bits 12-15. Tile indices above 1023 do not survive it.
CORE_API uint16_t TileMapCellTo16(MAPDATA cell);
// 0xFFFF reads back as the empty cell.
CORE_API MAPDATA TileMapCellFrom16(uint16_t value);

CORE_API UArchive& operator<<(UArchive& ar, const UMaterialTileMap& map);
// Reads into a map that already has the stored size. Sizes that differ from the map's, or cells
// the rest of the stream cannot hold, fail the archive and leave the map unchanged.
CORE_API UArchive& operator>>(UArchive& ar, UMaterialTileMap& map);
