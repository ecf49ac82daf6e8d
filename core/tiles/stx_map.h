#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/tiles/tile_dedup.h"

// The stored part of an STX tiled image: the header's geometry and tile-set picture name, and the
// map of cells. It is always in one of three states, each complete in itself:
//   - empty;
//   - a header: a checked geometry (tile size 1 to 255, a picture of at least one tile and at
//     most 2^26 pixels), with or without a tile-set name, and no cells;
//   - a header with its map: exactly mapWidth x mapHeight cells.
// A tile-set name, when there is one, is a stored relative name (IsStoredRelativeName) of at most
// 63 bytes.
//
// STX file: a 96-byte header (all integers 32-bit little-endian) then the map.
//   0 "STX\0" | 4 picture width | 8 picture height | 12 bits per pixel (32) | 16 tile width
//   | 20 tile height | 24 tile-set picture's file name, 64 bytes, NUL-terminated, zero-filled
//   | 88 map offset (96) | 92 map size in bytes (mapWidth x mapHeight x 4) | 96 the cells
class CORE_API TStxMap {
 public:
  static constexpr int kHeaderSize = 96;
  static constexpr int kNameSize = 64;
  static constexpr int kMaxTileSize = 255;

  bool HasHeader() const { return m_TileWidth != 0; }
  bool HasCells() const { return !m_Cells.empty(); }
  bool HasTileSetName() const { return !m_TileSetName.empty(); }

  // Takes the geometry of a `width` x `height` picture cut into tileWidth x tileHeight tiles and
  // its cells, one per whole tile. False with the reason in `error`, changing nothing, when the
  // geometry is out of range or the cells do not fill the map.
  bool Assign(uint32_t width, uint32_t height, int tileWidth, int tileHeight,
              std::vector<MAPDATA> cells, std::string& error);
  // Names the tile-set picture. False with the reason in `error`, changing nothing, for a name
  // that is not a stored relative name or is longer than 63 bytes, or without a header.
  bool SetTileSetName(const std::string& name, std::string& error);
  void Clear();

  // Reads and checks the header, leaving the map absent. When the archive knows its size, the
  // rest of it must be exactly the map the header promises. On failure the map is empty and the
  // reason is in `error`.
  bool ReadHeader(UArchive& ar, std::string& error);
  // Reads and checks the header, then the map.
  bool Read(UArchive& ar, std::string& error);
  // Writes header and map. False with the reason in `error`, writing nothing, unless the map and
  // the tile-set name are both there: what it writes, Read takes back.
  bool Write(UArchive& ar, std::string& error) const;

  uint32_t GetWidth() const { return m_Width; }
  uint32_t GetHeight() const { return m_Height; }
  uint32_t GetBpp() const { return m_Bpp; }
  int GetTileWidth() const { return m_TileWidth; }
  int GetTileHeight() const { return m_TileHeight; }
  int GetMapWidth() const { return m_TileWidth == 0 ? 0 : int(m_Width / m_TileWidth); }
  int GetMapHeight() const { return m_TileHeight == 0 ? 0 : int(m_Height / m_TileHeight); }
  const std::string& GetTileSetName() const { return m_TileSetName; }
  // The cells, row-major from the top; null without a map.
  const MAPDATA* GetCells() const { return HasCells() ? m_Cells.data() : nullptr; }
  // Cell x + y x mapWidth, or null outside the map or without one.
  MAPDATA* FindCell(int x, int y);

 private:
  uint32_t m_Width = 0;
  uint32_t m_Height = 0;
  uint32_t m_Bpp = 32;
  uint8_t m_TileWidth = 0;
  uint8_t m_TileHeight = 0;
  std::string m_TileSetName;
  std::vector<MAPDATA> m_Cells;
};
