#include "core/tiles/material_tile_map.h"

#include <algorithm>

#include "core/canvas/blt_fx.h"
#include "core/canvas/surface.h"
#include "core/tiles/material_tile.h"
#include "core/tiles/picture_file.h"

namespace {

constexpr MAPDATA kRemovedCell = 0xFC000001;

}  // namespace

uint16_t TileMapCellTo16(MAPDATA cell) {
  return uint16_t(((cell >> 26) << 10) | (cell & 0x3FF));
}

MAPDATA TileMapCellFrom16(uint16_t value) {
  const MAPDATA tile = value == 0xFFFF ? kMapTileMask : MAPDATA{value} & 0x3FF;
  return MAPDATA{value} >> 12 << kMapTileSetShift | ((value & 0x800) != 0 ? kMapFlipH : 0) |
         ((value & 0x400) != 0 ? kMapFlipV : 0) | tile;
}

void UMaterialTileMap::SetMainSurface(USurface* surface) {
  ReleaseMainSurface();
  m_MainSurface = surface;
}

UMaterialTileMap::~UMaterialTileMap() = default;

void UMaterialTileMap::Init(int mapWidth, int mapHeight, int tileWidth, int tileHeight) {
  if (mapWidth < 0 || mapHeight < 0 ||
      (mapWidth > 0 && mapHeight > 0 && !IsPictureSizeAllowed(mapWidth, mapHeight))) {
    mapWidth = 0;
    mapHeight = 0;
  }
  m_MapWidth = mapWidth;
  m_MapHeight = mapHeight;
  m_Cells.assign(size_t(mapWidth) * size_t(mapHeight), kMapEmpty);
  m_TileWidth = tileWidth;
  m_TileHeight = tileHeight;
}

bool UMaterialTileMap::ReflashRect(int left, int top, int right, int bottom) {
  if (m_MainSurface == nullptr) {
    return false;
  }
  m_MainSurface->Clear(kColorKeyMagenta);
  m_MainSurface->SetColorKey(kColorKeyMagenta);
  if (m_TileMaterials == nullptr || m_TileMaterials->empty()) {
    return false;
  }
  const int x0 = std::max(left, 0);
  const int y0 = std::max(top, 0);
  const int x1 = std::min(right, m_MapWidth);
  const int y1 = std::min(bottom, m_MapHeight);
  for (int y = y0; y < y1; ++y) {
    for (int x = x0; x < x1; ++x) {
      const MAPDATA cell = m_Cells[size_t(x) + size_t(y) * size_t(m_MapWidth)];
      const MAPDATA tile = cell & kMapTileMask;
      const int set = int(cell >> kMapTileSetShift);
      if (tile == kMapTileMask || set >= m_TileMaterials->Num()) {
        continue;
      }
      auto* material = dynamic_cast<UMaterialTile*>((*m_TileMaterials)[size_t(set)]);
      if (material == nullptr || material->GetMainSurface() == nullptr) {
        continue;
      }
      const int64_t columns = material->GetMapWidth();
      if (int64_t{tile} >= columns * material->GetMapHeight()) {
        continue;
      }
      const int sourceLeft = int(tile % columns) * material->GetTileWidth();
      const int sourceTop = int(tile / columns) * material->GetTileHeight();
      const URect src(sourceLeft, sourceTop, sourceLeft + material->GetTileWidth(),
                      sourceTop + material->GetTileHeight());
      const URect dst(x * m_TileWidth, y * m_TileHeight, x * m_TileWidth + m_TileWidth,
                      y * m_TileHeight + m_TileHeight);
      BLTFX fx;
      fx.flags = ((cell & kMapFlipV) != 0 ? BLTFX_MIRRORY : 0u) |
                 ((cell & kMapFlipH) != 0 ? BLTFX_MIRRORX : 0u);
      m_MainSurface->BitBlt(&dst, material->GetMainSurface(), &src, &fx);
    }
  }
  return true;
}

bool UMaterialTileMap::Reflash() {
  return ReflashRect(0, 0, m_MapWidth, m_MapHeight);
}

MAPDATA& UMaterialTileMap::GetMapData(int x, int y) {
  if (m_Cells.empty()) {
    m_Scratch = kMapEmpty;
    return m_Scratch;
  }
  return IsInside(x, y) ? m_Cells[size_t(x) + size_t(y) * size_t(m_MapWidth)] : m_Cells[0];
}

void UMaterialTileMap::SetMapData(int x, int y, const MAPDATA& cell) {
  if (IsInside(x, y)) {
    m_Cells[size_t(x) + size_t(y) * size_t(m_MapWidth)] = cell;
  }
}

void UMaterialTileMap::ChangeTilePal(int from, int to) {
  const MAPDATA target = MAPDATA(to & 0xF) << kMapTileSetShift;
  for (MAPDATA& cell : m_Cells) {
    if (int(cell >> kMapTileSetShift) == from) {
      cell = (cell & ~kMapTileSetMask) | target;
    }
  }
}

void UMaterialTileMap::RemoveTile(int n) {
  for (MAPDATA& cell : m_Cells) {
    if (int(cell >> kMapTileSetShift) == n) {
      cell = kRemovedCell;
    }
  }
}

void UMaterialTileMap::ReSize(int /*width*/, int /*height*/, int /*flags*/) {}

bool UMaterialTileMap::Release() {
  m_Cells.clear();
  m_MapWidth = 0;
  m_MapHeight = 0;
  return UMaterial::Release();
}

void UMaterialTileMap::ExportAbsoult(UArchive& ar) const {
  ar << m_MapWidth << m_MapHeight;
  const int materials = m_TileMaterials == nullptr ? 0 : m_TileMaterials->Num();
  for (MAPDATA cell : m_Cells) {
    const int set = int(cell >> kMapTileSetShift);
    const MAPDATA tile = cell & kMapTileMask;
    MAPDATA result = kMapEmpty;
    if (set < materials && tile == kMapTileMask) {
      result = cell;
    } else if (set < materials) {
      const auto* material = dynamic_cast<const UMaterialTile*>((*m_TileMaterials)[size_t(set)]);
      const int64_t pictureTiles =
          material == nullptr ? 0 : int64_t{material->GetMapWidth()} * material->GetMapHeight();
      if (int64_t{tile} < pictureTiles) {
        const MAPDATA source = material->GetTileMap()[tile];
        const MAPDATA flips = (cell ^ source) & (kMapFlipH | kMapFlipV);
        result = (cell & kMapTileSetMask) | flips | (source & kMapTileMask);
      }
    }
    ar << TileMapCellTo16(result);
  }
}

UArchive& operator<<(UArchive& ar, const UMaterialTileMap& map) {
  ar << map.m_MapWidth << map.m_MapHeight;
  for (MAPDATA cell : map.m_Cells) {
    ar << TileMapCellTo16(cell);
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, UMaterialTileMap& map) {
  int32_t width = 0;
  int32_t height = 0;
  ar >> width >> height;
  if (ar.IsFailed()) {
    return ar;
  }
  if (width != map.m_MapWidth || height != map.m_MapHeight ||
      !ar.CanHold(int64_t{width} * height, 2)) {
    ar.SetFailed();
    return ar;
  }
  std::vector<MAPDATA> cells(map.m_Cells.size());
  for (MAPDATA& cell : cells) {
    uint16_t value = 0;
    ar >> value;
    cell = TileMapCellFrom16(value);
  }
  if (!ar.IsFailed()) {
    map.m_Cells = std::move(cells);
  }
  return ar;
}
