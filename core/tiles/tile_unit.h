#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"

// The pixels of one tile, compared with other tiles up to mirroring; tiled-image import uses it to
// keep one copy of tiles that differ only by a flip.
template <typename T>
class CORE_API CTileUnitTemplate {
 public:
  CTileUnitTemplate() = default;
  CTileUnitTemplate(const CTileUnitTemplate&) = default;
  // Takes the other tile's size and elements.
  CTileUnitTemplate& operator=(const CTileUnitTemplate&) = default;
  virtual ~CTileUnitTemplate() = default;

  // width x height zeroed elements; a negative size gives an empty tile.
  void Init(int width, int height);
  // Copies width x height elements from `pixels` when it is not null; returns 1.
  int SetValue(const T* pixels);
  // Same size and every element equal.
  bool operator==(const CTileUnitTemplate& other) const;
  // 1 mirrors left-right, 2 top-bottom, 3 both; other modes do nothing.
  void Flip(int mode);
  static void swap(T& a, T& b);
  // 0 when equal to `other`, else 1, 2 or 3 when equal to `other` mirrored left-right,
  // top-bottom or both (tested in that order), else 4. Neither tile changes.
  int Compare(const CTileUnitTemplate& other) const;

  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  const T* GetData() const { return m_Data.data(); }
  int GetCount() const { return static_cast<int>(m_Data.size()); }

 private:
  std::vector<T> m_Data;
  int32_t m_Width = 0;
  int32_t m_Height = 0;
};

extern template class CTileUnitTemplate<uint8_t>;
extern template class CTileUnitTemplate<uint16_t>;
extern template class CTileUnitTemplate<uint32_t>;

enum TileUnitType : int32_t {
  TILE_UNIT_8 = 0,
  TILE_UNIT_16 = 1,
  TILE_UNIT_32 = 2,
};

// A tile of 8-, 16- or 32-bit elements; every operation goes to the template of its type.
class CORE_API CTileUnit {
 public:
  CTileUnit() = default;
  CTileUnit(const CTileUnit&) = default;
  CTileUnit& operator=(const CTileUnit&) = default;
  virtual ~CTileUnit();

  // An unknown type gives an empty 32-bit tile.
  void Init(int width, int height, int type);
  // `pixels` holds width x height elements of the tile's type; returns 1.
  int SetValue(const void* pixels);
  bool operator==(const CTileUnit& other) const;
  void Flip(int mode);
  // As the template's Compare; tiles of different types never match (4).
  int Compare(const CTileUnit& other) const;
  // Element `index` widened to 32 bits; 0 outside the tile.
  uint32_t GetData(int index) const;

  int GetType() const { return m_Type; }
  int GetWidth() const;
  int GetHeight() const;

 private:
  template <typename Self, typename Action>
  static decltype(auto) Visit(Self& self, Action&& action);

  CTileUnitTemplate<uint8_t> m_Tile8;
  CTileUnitTemplate<uint16_t> m_Tile16;
  CTileUnitTemplate<uint32_t> m_Tile32;
  int32_t m_Type = TILE_UNIT_32;
};
