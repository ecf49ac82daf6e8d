#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/material.h"
#include "core/core_api.h"
#include "core/tiles/tile_dedup.h"

class USurface;

// A loaded tiled image as a material: it keeps the image's tile references and composes the whole
// picture from its tile-set surface (one tile wide, tiles stacked from the top) into its main
// surface. Made by UCanvasUtil::CreateUMaterialTile.
class CORE_API UMaterialTile : public UMaterial {
 public:
  UMaterialTile() = default;
  ~UMaterialTile() override;

  // Sizes both maps to mapWidth x mapHeight and copies `cells` into both (zeros without cells);
  // the picture map then gets cell i = tile i with no flips, keeping the tile-set number.
  void SetMapInfo(int mapWidth, int mapHeight, const MAPDATA* cells);
  void SetTileInfo(int tileWidth, int tileHeight, int tileCount);
  // Takes `surface` (owned from now on) as the main surface, releasing any earlier one.
  void SetMainSurface(USurface* surface);
  // Takes `surface` (owned from now on) as the tile set, releasing any earlier one.
  void SetTileSetSurface(USurface* surface);

  // Composes every cell's tile, mirrored as the cell says, into the main surface, then gives the
  // main surface the material's colour key (magenta). Cells whose tile is not in the tile set are
  // left as they are. False without a tile-set or main surface.
  bool Reflash() override;
  // Releases the tile-set surface, the maps and the main surface.
  bool Release() override;

  int GetMapWidth() const { return m_MapWidth; }
  int GetMapHeight() const { return m_MapHeight; }
  int GetTileWidth() const { return m_TileWidth; }
  int GetTileHeight() const { return m_TileHeight; }
  int GetTileNum() const { return m_TileCount; }
  // The picture map (cell i refers to tile i of the picture) and the tile map (the tile-set
  // references), mapWidth x mapHeight cells each.
  const MAPDATA* GetMap() const { return m_PictureMap.data(); }
  const MAPDATA* GetTileMap() const { return m_TileMap.data(); }
  // Copies of cell x + y x mapWidth; kMapEmpty outside the map.
  MAPDATA GetMapData(int x, int y) const;
  MAPDATA GetTileMapData(int x, int y) const;
  USurface* GetTileSetSurface() const { return m_TileSetSurface; }
  // Lets the tile-set surface leave out the colour key (material flag bit 0).
  void SetFlags(uint16_t flags) { m_Flags = flags; }

 private:
  void ReleaseTileSet();
  bool IsInside(int x, int y) const {
    return x >= 0 && y >= 0 && x < m_MapWidth && y < m_MapHeight;
  }

  USurface* m_TileSetSurface = nullptr;
  std::vector<MAPDATA> m_TileMap;
  std::vector<MAPDATA> m_PictureMap;
  uint8_t m_TileWidth = 16;
  uint8_t m_TileHeight = 16;
  int32_t m_TileCount = 0;
  int32_t m_MapWidth = 0;
  int32_t m_MapHeight = 0;
};
