#include "core/tiles/tile_unit.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

template <typename T>
void CTileUnitTemplate<T>::Init(int width, int height) {
  if (width < 0 || height < 0) {
    width = 0;
    height = 0;
  }
  m_Width = width;
  m_Height = height;
  m_Data.assign(static_cast<size_t>(width) * static_cast<size_t>(height), T{});
}

template <typename T>
int CTileUnitTemplate<T>::SetValue(const T* pixels) {
  if (pixels != nullptr && !m_Data.empty()) {
    std::memcpy(m_Data.data(), pixels, m_Data.size() * sizeof(T));
  }
  return 1;
}

template <typename T>
bool CTileUnitTemplate<T>::operator==(const CTileUnitTemplate& other) const {
  return m_Width == other.m_Width && m_Height == other.m_Height && m_Data == other.m_Data;
}

template <typename T>
void CTileUnitTemplate<T>::Flip(int mode) {
  const auto width = static_cast<size_t>(m_Width);
  const auto height = static_cast<size_t>(m_Height);
  switch (mode) {
    case 1:
      for (size_t row = 0; row < height; ++row) {
        std::reverse(m_Data.begin() + static_cast<ptrdiff_t>(row * width),
                     m_Data.begin() + static_cast<ptrdiff_t>((row + 1) * width));
      }
      break;
    case 2:
      for (size_t top = 0, bottom = height; top + 1 < bottom; ++top) {
        --bottom;
        std::swap_ranges(m_Data.begin() + static_cast<ptrdiff_t>(top * width),
                         m_Data.begin() + static_cast<ptrdiff_t>((top + 1) * width),
                         m_Data.begin() + static_cast<ptrdiff_t>(bottom * width));
      }
      break;
    case 3:
      std::reverse(m_Data.begin(), m_Data.end());
      break;
    default:
      break;
  }
}

template <typename T>
void CTileUnitTemplate<T>::swap(T& a, T& b) {
  std::swap(a, b);
}

template <typename T>
int CTileUnitTemplate<T>::Compare(const CTileUnitTemplate& other) const {
  if (*this == other) {
    return 0;
  }
  for (int mode = 1; mode <= 3; ++mode) {
    CTileUnitTemplate mirrored(other);
    mirrored.Flip(mode);
    if (*this == mirrored) {
      return mode;
    }
  }
  return 4;
}

template class CTileUnitTemplate<uint8_t>;
template class CTileUnitTemplate<uint16_t>;
template class CTileUnitTemplate<uint32_t>;

CTileUnit::~CTileUnit() = default;

// Calls `action` with the template of the tile's element type.
template <typename Self, typename Action>
decltype(auto) CTileUnit::Visit(Self& self, Action&& action) {
  switch (self.m_Type) {
    case TILE_UNIT_8:
      return action(self.m_Tile8);
    case TILE_UNIT_16:
      return action(self.m_Tile16);
    default:
      return action(self.m_Tile32);
  }
}

void CTileUnit::Init(int width, int height, int type) {
  m_Type = type == TILE_UNIT_8 || type == TILE_UNIT_16 ? type : TILE_UNIT_32;
  Visit(*this, [&](auto& tile) { tile.Init(width, height); });
}

int CTileUnit::SetValue(const void* pixels) {
  return Visit(*this, [&](auto& tile) {
    using Element = std::remove_cvref_t<decltype(*tile.GetData())>;
    return tile.SetValue(static_cast<const Element*>(pixels));
  });
}

bool CTileUnit::operator==(const CTileUnit& other) const {
  return Compare(other) == 0;
}

void CTileUnit::Flip(int mode) {
  Visit(*this, [&](auto& tile) { tile.Flip(mode); });
}

int CTileUnit::Compare(const CTileUnit& other) const {
  if (m_Type != other.m_Type) {
    return 4;
  }
  switch (m_Type) {
    case TILE_UNIT_8:
      return m_Tile8.Compare(other.m_Tile8);
    case TILE_UNIT_16:
      return m_Tile16.Compare(other.m_Tile16);
    default:
      return m_Tile32.Compare(other.m_Tile32);
  }
}

uint32_t CTileUnit::GetData(int index) const {
  return Visit(*this, [&](const auto& tile) -> uint32_t {
    if (index < 0 || index >= tile.GetCount()) {
      return 0;
    }
    return tile.GetData()[static_cast<size_t>(index)];
  });
}

int CTileUnit::GetWidth() const {
  return Visit(*this, [](const auto& tile) { return tile.GetWidth(); });
}

int CTileUnit::GetHeight() const {
  return Visit(*this, [](const auto& tile) { return tile.GetHeight(); });
}
