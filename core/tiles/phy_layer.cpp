#include "core/tiles/phy_layer.h"

#include "core/tiles/material_tile_map.h"
#include "core/tiles/picture_file.h"

uint32_t PhyByteToCell(uint8_t value) {
  const uint32_t code = (value & 0xFu) | (uint32_t(value >> 6) << 4);
  return code | ((value & 0x10) != 0 ? kMapFlipH : 0) | ((value & 0x20) != 0 ? kMapFlipV : 0);
}

uint8_t PhyByteFromCell(uint32_t cell) {
  const uint32_t tile = cell & kMapTileMask;
  if (tile == kMapTileMask) {
    return 0;
  }
  return uint8_t((tile & 0xF) | ((cell & kMapFlipH) != 0 ? 0x10 : 0) |
                 ((cell & kMapFlipV) != 0 ? 0x20 : 0) | (((tile >> 4) & 3) << 6));
}

UPhyLayer::UPhyLayer() : m_Name("PhySical") {}

UPhyLayer::~UPhyLayer() = default;

int UPhyLayer::CreatePhyData(int width, int height) {
  if (width < 0 || height < 0 ||
      (width > 0 && height > 0 && !IsPictureSizeAllowed(width, height))) {
    Release();
    return -1;
  }
  m_Width = width;
  m_Height = height;
  m_Data.assign(size_t(width) * size_t(height), 0);
  return 0;
}

int UPhyLayer::Release() {
  m_Data.clear();
  m_Data.shrink_to_fit();
  m_Width = 0;
  m_Height = 0;
  return 1;
}

void UPhyLayer::SaveToMaterialMap(UMaterialTileMap* map) const {
  if (map == nullptr) {
    return;
  }
  for (int y = 0; y < m_Height; ++y) {
    for (int x = 0; x < m_Width; ++x) {
      map->SetMapData(x, y, PhyByteToCell(GetCell(x, y)));
    }
  }
}

void UPhyLayer::LoadFromMaterialMap(UMaterialTileMap* map) {
  if (map == nullptr) {
    return;
  }
  for (int y = 0; y < m_Height; ++y) {
    for (int x = 0; x < m_Width; ++x) {
      const bool inside = x < map->GetMapWidth() && y < map->GetMapHeight();
      SetCell(x, y, inside ? PhyByteFromCell(map->GetMapData(x, y)) : 0);
    }
  }
}

bool UPhyLayer::CollisionDetect(float& /*x*/, float& /*y*/, URect* /*box*/, float& /*dx*/,
                                float& /*dy*/, bool /*slide*/) {
  return false;
}

uint8_t UPhyLayer::GetCell(int x, int y) const {
  return IsInside(x, y) ? m_Data[size_t(x) + size_t(y) * size_t(m_Width)] : 0;
}

void UPhyLayer::SetCell(int x, int y, uint8_t value) {
  if (IsInside(x, y)) {
    m_Data[size_t(x) + size_t(y) * size_t(m_Width)] = value;
  }
}

UArchive& operator<<(UArchive& ar, const UPhyLayer& layer) {
  ar << layer.m_Width << layer.m_Height;
  if (!layer.m_Data.empty()) {
    ar.Write(layer.m_Data.data(), int(layer.m_Data.size()));
  }
  return ar;
}

UArchive& operator>>(UArchive& ar, UPhyLayer& layer) {
  int32_t width = 0;
  int32_t height = 0;
  ar >> width >> height;
  if (ar.IsFailed()) {
    return ar;
  }
  if (width != layer.m_Width || height != layer.m_Height ||
      !ar.CanHold(int64_t{width} * height, 1)) {
    ar.SetFailed();
    return ar;
  }
  std::vector<uint8_t> data(layer.m_Data.size());
  if (!data.empty()) {
    ar.Read(data.data(), int(data.size()));
  }
  if (!ar.IsFailed()) {
    layer.m_Data = std::move(data);
  }
  return ar;
}
