#include "core/tiles/tile_dedup.h"

#include <algorithm>
#include <cstddef>
#include <unordered_map>

#include "core/tiles/tile_unit.h"

namespace {

// Mirror modes, numbered as the tile unit's comparison reports them.
constexpr int kIdentity = 0;
constexpr int kMirrorLeftRight = 1;
constexpr int kMirrorTopBottom = 2;
constexpr int kMirrorBoth = 3;
constexpr int kNoMatch = 4;

MAPDATA FlipBitsOf(int mode) {
  switch (mode) {
    case kMirrorLeftRight:
      return kMapFlipH;
    case kMirrorTopBottom:
      return kMapFlipV;
    case kMirrorBoth:
      return kMapFlipH | kMapFlipV;
    default:
      return 0;
  }
}

// The tiles of a picture, read in place.
class TileGrid {
 public:
  TileGrid(const TTilePicture& picture, int tileWidth, int tileHeight)
      : m_Picture(picture)
      , m_TileWidth(tileWidth)
      , m_TileHeight(tileHeight)
      , m_Columns(picture.width / tileWidth)
      , m_Rows(picture.height / tileHeight) {}

  int CellCount() const { return m_Columns * m_Rows; }
  size_t TileSize() const { return size_t(m_TileWidth) * size_t(m_TileHeight); }

  // Row `row` of the tile of `cell`.
  const uint32_t* Row(int cell, int row) const {
    const size_t x = size_t(cell % m_Columns) * size_t(m_TileWidth);
    const size_t y = size_t(cell / m_Columns) * size_t(m_TileHeight) + size_t(row);
    return m_Picture.pixels + y * size_t(m_Picture.width) + x;
  }

  // Whether the tile of `cell` equals the tile of `other` seen through mirror `mode`.
  bool Equals(int cell, int other, int mode) const {
    const bool mirrorX = mode == kMirrorLeftRight || mode == kMirrorBoth;
    const bool mirrorY = mode == kMirrorTopBottom || mode == kMirrorBoth;
    for (int row = 0; row < m_TileHeight; ++row) {
      const uint32_t* a = Row(cell, row);
      const uint32_t* b = Row(other, mirrorY ? m_TileHeight - 1 - row : row);
      if (mirrorX ? !std::equal(a, a + m_TileWidth, std::reverse_iterator(b + m_TileWidth))
                  : !std::equal(a, a + m_TileWidth, b)) {
        return false;
      }
    }
    return true;
  }

  // The tile unit's comparison of the tile of `cell` with the tile of `other`: the first mirror
  // mode through which they are equal, or kNoMatch.
  int Compare(int cell, int other, bool matchFlips) const {
    const int last = matchFlips ? kMirrorBoth : kIdentity;
    for (int mode = kIdentity; mode <= last; ++mode) {
      if (Equals(cell, other, mode)) {
        return mode;
      }
    }
    return kNoMatch;
  }

  // A hash of the tile of `cell` seen through mirror `mode`.
  uint64_t Hash(int cell, int mode) const {
    const bool mirrorX = mode == kMirrorLeftRight || mode == kMirrorBoth;
    const bool mirrorY = mode == kMirrorTopBottom || mode == kMirrorBoth;
    uint64_t hash = 0x9E3779B97F4A7C15u;
    for (int row = 0; row < m_TileHeight; ++row) {
      const uint32_t* line = Row(cell, mirrorY ? m_TileHeight - 1 - row : row);
      for (int column = 0; column < m_TileWidth; ++column) {
        const uint32_t pixel = line[mirrorX ? m_TileWidth - 1 - column : column];
        hash = (hash ^ pixel) * 0x100000001B3u;
        hash ^= hash >> 29;
      }
    }
    return hash;
  }

  // The same value for a tile and for each of its mirror images (with `matchFlips`), so that
  // tiles that may match fall together.
  uint64_t Key(int cell, bool matchFlips) const {
    uint64_t key = Hash(cell, kIdentity);
    if (matchFlips) {
      for (int mode = kMirrorLeftRight; mode <= kMirrorBoth; ++mode) {
        key = std::min(key, Hash(cell, mode));
      }
    }
    return key;
  }

  void AppendTile(int cell, std::vector<uint32_t>& tiles) const {
    for (int row = 0; row < m_TileHeight; ++row) {
      const uint32_t* line = Row(cell, row);
      tiles.insert(tiles.end(), line, line + m_TileWidth);
    }
  }

 private:
  TTilePicture m_Picture;
  int m_TileWidth;
  int m_TileHeight;
  int m_Columns;
  int m_Rows;
};

}  // namespace

TTileCut DeduplicateTiles(const TTilePicture& picture, int tileWidth, int tileHeight,
                          bool matchFlips) {
  const TileGrid grid(picture, tileWidth, tileHeight);
  TTileCut cut;
  const int cells = grid.CellCount();
  cut.map.resize(size_t(cells));
  // The cell each kept tile was taken from, and per hash key the kept tiles with that key in
  // list order (the first, then a chain through `next`).
  std::vector<int> source;
  std::vector<int> next;
  std::unordered_map<uint64_t, int> first;
  first.reserve(size_t(cells));
  for (int cell = 0; cell < cells; ++cell) {
    const uint64_t key = grid.Key(cell, matchFlips);
    const auto [found, inserted] = first.try_emplace(key, int(source.size()));
    int match = kNoMatch;
    int last = -1;
    if (!inserted) {
      // Different tiles may share a key: only a real comparison decides. A tile kept later
      // cannot equal one kept earlier through any mirror image, so at most one of the chain
      // matches, and it is the first that the full search in list order would find.
      for (int tile = found->second; tile >= 0; last = tile, tile = next[size_t(tile)]) {
        match = grid.Compare(cell, source[size_t(tile)], matchFlips);
        if (match != kNoMatch) {
          cut.map[size_t(cell)] = MAPDATA(tile) | FlipBitsOf(match);
          break;
        }
      }
    }
    if (match != kNoMatch) {
      continue;
    }
    const int tile = int(source.size());
    if (last >= 0) {
      next[size_t(last)] = tile;
    }
    source.push_back(cell);
    next.push_back(-1);
    cut.map[size_t(cell)] = MAPDATA(tile);
  }
  cut.tileCount = int(source.size());
  cut.tiles.reserve(source.size() * grid.TileSize());
  for (int cell : source) {
    grid.AppendTile(cell, cut.tiles);
  }
  return cut;
}

TTileCut DeduplicateTilesByComparison(const TTilePicture& picture, int tileWidth, int tileHeight,
                                      bool matchFlips) {
  const TileGrid grid(picture, tileWidth, tileHeight);
  const int cells = grid.CellCount();
  std::vector<uint32_t> pixels;
  std::vector<CTileUnit> units(static_cast<size_t>(cells));
  for (int cell = 0; cell < cells; ++cell) {
    pixels.clear();
    grid.AppendTile(cell, pixels);
    units[size_t(cell)].Init(tileWidth, tileHeight, TILE_UNIT_32);
    units[size_t(cell)].SetValue(pixels.data());
  }
  TTileCut cut;
  cut.map.resize(size_t(cells));
  std::vector<int> unique;
  for (int cell = 0; cell < cells; ++cell) {
    bool matched = false;
    for (size_t l = 0; l < unique.size(); ++l) {
      const int mode = units[size_t(cell)].Compare(units[size_t(unique[l])]);
      if (mode == kIdentity || (matchFlips && mode != kNoMatch)) {
        cut.map[size_t(cell)] = MAPDATA(l) | FlipBitsOf(mode);
        matched = true;
        break;
      }
    }
    if (!matched) {
      cut.map[size_t(cell)] = MAPDATA(unique.size());
      unique.push_back(cell);
    }
  }
  cut.tileCount = int(unique.size());
  for (int cell : unique) {
    grid.AppendTile(cell, cut.tiles);
  }
  return cut;
}

TTileCut CutTiles(const TTilePicture& picture, int tileWidth, int tileHeight) {
  const TileGrid grid(picture, tileWidth, tileHeight);
  TTileCut cut;
  const int cells = grid.CellCount();
  cut.map.resize(size_t(cells));
  cut.tiles.reserve(size_t(cells) * grid.TileSize());
  for (int cell = 0; cell < cells; ++cell) {
    cut.map[size_t(cell)] = MAPDATA(cell);
    grid.AppendTile(cell, cut.tiles);
  }
  cut.tileCount = cells;
  return cut;
}
