#pragma once

#include <FreeImage.h>

#include <cstdint>
#include <string>

#include "core/core_api.h"
#include "core/foundation/archive.h"
#include "core/tiles/stx_map.h"
#include "core/tiles/tile_dedup.h"

// The file names that belong to one tiled image, derived from a base name (a path without its
// extension): the STX file "BASE.stx" and its tile-set picture "BASE_tileset.EXT".
class CORE_API STX_Type {
 public:
  // Splits at the last dot of the file name (not one inside a directory name): the text after it
  // becomes the extension, the text before it the base name. A name without a dot is all base
  // name, with no extension.
  explicit STX_Type(const char* fileName);
  STX_Type(const char* baseName, const char* extension);

  const char* GetFileName() const { return m_BaseName.c_str(); }
  const char* GetExtension() const { return m_Extension.c_str(); }
  // "BASE.stx". The returned text lives until the next call of either composing function.
  const char* GetFileFullName();
  // "BASE_tileset.EXT". The returned text lives until the next call of either composing function.
  const char* GetTileSetName();

 private:
  std::string m_BaseName;
  std::string m_Extension;
  std::string m_Buffer;
};

// A large picture stored as a map of tile references (TStxMap: the STX file's header and cells)
// and a tile-set picture holding each distinct tile once, one tile wide, tile i at rows
// i x tileHeight (from the top). The tile-set picture is a file of its own beside the STX file.
//
// An image holds some of these parts, and each operation says which it needs:
//   - nothing (new, after Release or a failed load or import);
//   - a header only (loadHeader);
//   - a map without a tile set (load(UArchive&)); setTileSet adds one;
//   - a map with its tile set, without a stored tile-set name (import of a bitmap);
//   - a map, its tile set and the tile set's file name (import of a file);
//   - all of that and the composed picture (load, setTileSet): IsCreated().
// An operation that lacks a part it needs fails and says why in GetError(), changing nothing.
class CORE_API UStxImage {
 public:
  static constexpr int kHeaderSize = TStxMap::kHeaderSize;
  static constexpr int kNameSize = TStxMap::kNameSize;

  UStxImage() = default;
  UStxImage(const UStxImage&) = delete;
  UStxImage& operator=(const UStxImage&) = delete;
  virtual ~UStxImage();

  // Cuts `picture` (any bit depth; the caller keeps it) into tiles of tileWidth x tileHeight
  // (1 to 255 each) and keeps each distinct tile once, matching mirror images when `matchFlips`
  // is set. False when the picture is smaller than one tile, larger than 2^26 pixels or the tile
  // size is out of range; the image is then empty. The tile set has no file name yet, so the
  // image cannot be saved.
  bool import(FIBITMAP* picture, int tileWidth, int tileHeight, bool matchFlips);
  // The same, keeping every tile: cell i refers to tile i. `matchFlips` is ignored.
  bool importNoCompress(FIBITMAP* picture, int tileWidth, int tileHeight, bool matchFlips);
  // Loads the picture file `picturePath` and imports it as above, then names the tile set
  // names.GetTileSetName() and saves it there in the format its extension names, inside
  // `directory` when that is given and not empty. The header keeps the tile set's bare file name,
  // which must fit in 63 bytes. The STX file itself is written with save().
  bool import(STX_Type& names, const char* picturePath, int tileWidth, int tileHeight,
              bool matchFlips, const char* directory);
  bool importNoCompress(STX_Type& names, const char* picturePath, int tileWidth, int tileHeight,
                        bool matchFlips, const char* directory);

  // Writes the header and the map to `path` (through a temporary file renamed over it). Needs the
  // map and the tile set's file name: after loadHeader, or after importing a bitmap, there is
  // nothing load() could read back, and nothing is written.
  bool save(const char* path);
  // Reads the header of the STX file at `path` and checks it; the map is not read.
  bool loadHeader(const char* path);
  // Reads the STX file at `path`, loads its tile set from the same directory (the current one
  // for a path without a directory) and builds the whole picture.
  bool load(const char* path);
  // Reads header and map from `ar`, positioned at the start of an STX file whose length is the
  // rest of the archive (when the archive knows its size). Every field is checked against the
  // others and the length before anything is allocated; the tile-set name must be a relative
  // name inside the STX file's folder (IsStoredRelativeName).
  bool load(UArchive& ar);
  // Takes `tileSet` (a 32-bit bitmap at least one tile wide; ownership passes to the image even
  // on failure) as the tile set of the map and builds the picture. Needs the map.
  bool setTileSet(FIBITMAP* tileSet);
  // Builds the whole picture from map and tile set and saves it at `path`, in the format its
  // extension names. (The name `export` is taken by the language.)
  bool exportPicture(const char* path);
  // Saves the tiles in a grid of ceil(sqrt(n)) columns and as many rows as they need, tile j at
  // column j mod columns and row j div columns from the top left. False without tiles.
  bool ExportTileSetSquare(const char* path);
  // Frees map and bitmaps.
  void Release();

  int GetWidth() const { return int(m_Map.GetWidth()); }
  int GetHeight() const { return int(m_Map.GetHeight()); }
  int GetBpp() const { return int(m_Map.GetBpp()); }
  int GetMapWidth() const { return m_Map.GetMapWidth(); }
  int GetMapHeight() const { return m_Map.GetMapHeight(); }
  int GetTileWidth() const { return m_Map.GetTileWidth(); }
  int GetTileHeight() const { return m_Map.GetTileHeight(); }
  // Tile-set bitmap height / tile height; 0 without a tile set.
  int GetTileNum() const;
  const char* GetTilePicName() const { return m_Map.GetTileSetName().c_str(); }
  bool IsCreated() const { return m_bCreated; }
  // The cells; null without a map.
  const MAPDATA* GetMap() const { return m_Map.GetCells(); }
  // Cell x + y x mapWidth; a cell outside the map (or without one) reads and writes a scratch
  // cell.
  MAPDATA& GetMapData(int x, int y);
  // The picture's pixel bits (FreeImage layout, bottom row first), or null before load.
  BYTE* GetBits() const;
  // The picture's colour at (x, y) from the top, 0xAARRGGBB; 0 outside it or before load.
  uint32_t GetPixel(int x, int y) const;
  // The tile set's colour at (x, y), y from the bottom row of the tile-set bitmap; 0 outside.
  uint32_t GetTileSetPixel(int x, int y) const;
  FIBITMAP* GetTileSet() const { return m_TileSet; }
  FIBITMAP* GetPicture() const { return m_Picture; }
  // The header and map.
  const TStxMap& GetStxMap() const { return m_Map; }
  const std::string& GetError() const { return m_Error; }

 private:
  // Empties the image and records why.
  bool Fail(std::string reason);
  // Records why an operation cannot run, leaving the image as it is.
  bool Refuse(std::string reason);
  bool ImportPicture(FIBITMAP* picture, int tileWidth, int tileHeight, bool compress,
                     bool matchFlips);
  bool ImportFile(STX_Type& names, const char* picturePath, int tileWidth, int tileHeight,
                  bool compress, bool matchFlips, const char* directory);
  // Takes the parts of an import.
  void Adopt(TStxMap map, FIBITMAP* tileSet);
  // A new 32-bit bitmap of the whole picture (cells whose tile is not in the tile set left
  // transparent), or null without map and tile set or memory.
  FIBITMAP* BuildPicture() const;
  void UnloadBitmaps();

  TStxMap m_Map;
  FIBITMAP* m_TileSet = nullptr;
  FIBITMAP* m_Picture = nullptr;
  bool m_bCreated = false;
  MAPDATA m_Scratch = 0;
  std::string m_Error;
};
