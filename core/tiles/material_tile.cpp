#include "core/tiles/material_tile.h"

#include <algorithm>

#include "core/canvas/blt_fx.h"
#include "core/canvas/surface.h"
#include "core/tiles/picture_file.h"

void UMaterialTile::SetMainSurface(USurface* surface) {
  ReleaseMainSurface();
  m_MainSurface = surface;
}

UMaterialTile::~UMaterialTile() {
  ReleaseTileSet();
}

void UMaterialTile::SetMapInfo(int mapWidth, int mapHeight, const MAPDATA* cells) {
  if (mapWidth < 0 || mapHeight < 0 ||
      (mapWidth > 0 && mapHeight > 0 && !IsPictureSizeAllowed(mapWidth, mapHeight))) {
    mapWidth = 0;
    mapHeight = 0;
  }
  m_MapWidth = mapWidth;
  m_MapHeight = mapHeight;
  const size_t count = size_t(mapWidth) * size_t(mapHeight);
  if (cells != nullptr) {
    m_TileMap.assign(cells, cells + count);
  } else {
    m_TileMap.assign(count, 0);
  }
  m_PictureMap.resize(count);
  for (size_t i = 0; i < count; ++i) {
    m_PictureMap[i] = (m_TileMap[i] & kMapTileSetMask) | MAPDATA(i);
  }
}

void UMaterialTile::SetTileInfo(int tileWidth, int tileHeight, int tileCount) {
  m_TileWidth = uint8_t(std::clamp(tileWidth, 0, 255));
  m_TileHeight = uint8_t(std::clamp(tileHeight, 0, 255));
  m_TileCount = std::max(tileCount, 0);
}

void UMaterialTile::SetTileSetSurface(USurface* surface) {
  ReleaseTileSet();
  m_TileSetSurface = surface;
}

bool UMaterialTile::Reflash() {
  if (m_TileSetSurface == nullptr || m_MainSurface == nullptr) {
    return false;
  }
  m_ColorKey = kColorKeyMagenta;
  if ((m_Flags & 1) != 0) {
    m_TileSetSurface->SetColorKey(m_ColorKey);
  }
  const int tileWidth = m_TileWidth;
  const int tileHeight = m_TileHeight;
  for (int y = 0; y < m_MapHeight; ++y) {
    for (int x = 0; x < m_MapWidth; ++x) {
      const MAPDATA cell = m_TileMap[size_t(x) + size_t(y) * size_t(m_MapWidth)];
      const MAPDATA tile = cell & kMapTileMask;
      if (tile >= MAPDATA(m_TileCount)) {
        continue;
      }
      const int top = int(tile) * tileHeight;
      const URect src(0, top, tileWidth, top + tileHeight);
      const URect dst(x * tileWidth, y * tileHeight, x * tileWidth + tileWidth,
                      y * tileHeight + tileHeight);
      BLTFX fx;
      fx.flags = ((cell & kMapFlipH) != 0 ? BLTFX_MIRRORX : 0u) |
                 ((cell & kMapFlipV) != 0 ? BLTFX_MIRRORY : 0u);
      m_MainSurface->BitBlt(&dst, m_TileSetSurface, &src, &fx);
    }
  }
  m_MainSurface->SetColorKey(m_ColorKey);
  return true;
}

bool UMaterialTile::Release() {
  ReleaseTileSet();
  m_TileMap.clear();
  m_PictureMap.clear();
  m_MapWidth = 0;
  m_MapHeight = 0;
  return UMaterial::Release();
}

void UMaterialTile::ReleaseTileSet() {
  if (m_TileSetSurface != nullptr) {
    m_TileSetSurface->Release();
    delete m_TileSetSurface;
    m_TileSetSurface = nullptr;
  }
}

MAPDATA UMaterialTile::GetMapData(int x, int y) const {
  return IsInside(x, y) ? m_PictureMap[size_t(x) + size_t(y) * size_t(m_MapWidth)] : kMapEmpty;
}

MAPDATA UMaterialTile::GetTileMapData(int x, int y) const {
  return IsInside(x, y) ? m_TileMap[size_t(x) + size_t(y) * size_t(m_MapWidth)] : kMapEmpty;
}
