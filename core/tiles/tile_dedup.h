#pragma once

#include <cstdint>
#include <vector>

#include "core/core_api.h"

// Cutting a picture into tiles and keeping one copy of each distinct tile, as a tiled image's
// import does.

// A map cell: tile index, mirror flags and tile-set number in one 32-bit word.
using MAPDATA = uint32_t;

inline constexpr MAPDATA kMapTileMask = 0x3FFFFFF;      // tile index
inline constexpr MAPDATA kMapFlipV = 0x4000000;         // mirrored top-bottom
inline constexpr MAPDATA kMapFlipH = 0x8000000;         // mirrored left-right
inline constexpr MAPDATA kMapTileSetMask = 0xF0000000;  // tile-set number
inline constexpr int kMapTileSetShift = 28;
// A tile index of all ones marks an empty cell.
inline constexpr MAPDATA kMapEmpty = 0xFFFFFFFF;

// A picture in memory: `width` x `height` pixels (0xAARRGGBB), top row first, rows packed.
struct TTilePicture {
  const uint32_t* pixels = nullptr;
  int width = 0;
  int height = 0;
};

// The tiles of a picture: one cell per whole tile (row-major, top row first), and the tile set,
// tile i stored as tileWidth x tileHeight pixels (top row first) at i x tileWidth x tileHeight.
struct TTileCut {
  std::vector<MAPDATA> map;
  std::vector<uint32_t> tiles;
  int tileCount = 0;
};

// Cuts `picture` into tileWidth x tileHeight tiles (a partial column or row at the right or
// bottom edge is left out) and keeps each distinct tile once. Each cell refers to the first kept
// tile, in list order, that it equals: as it is, or (with `matchFlips`) mirrored left-right,
// top-bottom or both ways, in that order of preference. Tiles are found by a hash of their four
// mirror images, so the time grows with the number of pixels. Tile sizes must be positive.
CORE_API TTileCut DeduplicateTiles(const TTilePicture& picture, int tileWidth, int tileHeight,
                                   bool matchFlips);

// The same result, found by comparing each cell with every tile kept so far through the tile
// unit's comparison; its time grows with cells x distinct tiles. It is the reference the fast
// de-duplication is tested and measured against, not for use.
CORE_API TTileCut DeduplicateTilesByComparison(const TTilePicture& picture, int tileWidth,
                                               int tileHeight, bool matchFlips);

// Every whole tile kept as it is: cell i refers to tile i, with no flips.
CORE_API TTileCut CutTiles(const TTilePicture& picture, int tileWidth, int tileHeight);
