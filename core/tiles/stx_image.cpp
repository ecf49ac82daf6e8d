#include "core/tiles/stx_image.h"

#include <cstdio>
#include <cstring>
#include <utility>

#include "core/foundation/archive_ansi.h"
#include "core/foundation/atomic_file.h"
#include "core/tiles/picture_file.h"
#include "core/tiles/stored_name.h"
#include "core/tiles/stx_import.h"

namespace {

// Row `row` (from the top) of a 32-bit bitmap.
BYTE* TopRow(FIBITMAP* bitmap, unsigned row) {
  return FreeImage_GetScanLine(bitmap, int(FreeImage_GetHeight(bitmap) - 1 - row));
}

// A new zeroed (transparent black) 32-bit bitmap, or null.
FIBITMAP* AllocateClear(unsigned width, unsigned height) {
  FIBITMAP* bitmap = FreeImage_Allocate(int(width), int(height), 32);
  if (bitmap != nullptr) {
    std::memset(FreeImage_GetBits(bitmap), 0,
                size_t(FreeImage_GetPitch(bitmap)) * FreeImage_GetHeight(bitmap));
  }
  return bitmap;
}

}  // namespace

STX_Type::STX_Type(const char* fileName) {
  const std::string name = fileName == nullptr ? std::string() : fileName;
  const size_t dot = name.rfind('.');
  const size_t separator = name.find_last_of("/\\");
  if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
    m_BaseName = name;
  } else {
    m_BaseName = name.substr(0, dot);
    m_Extension = name.substr(dot + 1);
  }
}

STX_Type::STX_Type(const char* baseName, const char* extension)
    : m_BaseName(baseName == nullptr ? "" : baseName)
    , m_Extension(extension == nullptr ? "" : extension) {}

const char* STX_Type::GetFileFullName() {
  m_Buffer = m_BaseName + ".stx";
  return m_Buffer.c_str();
}

const char* STX_Type::GetTileSetName() {
  m_Buffer = m_BaseName + "_tileset." + m_Extension;
  return m_Buffer.c_str();
}

UStxImage::~UStxImage() {
  Release();
}

bool UStxImage::Fail(std::string reason) {
  Release();
  m_Error = std::move(reason);
  return false;
}

bool UStxImage::Refuse(std::string reason) {
  m_Error = std::move(reason);
  return false;
}

void UStxImage::UnloadBitmaps() {
  if (m_TileSet != nullptr) {
    FreeImage_Unload(m_TileSet);
    m_TileSet = nullptr;
  }
  if (m_Picture != nullptr) {
    FreeImage_Unload(m_Picture);
    m_Picture = nullptr;
  }
  m_bCreated = false;
}

void UStxImage::Release() {
  UnloadBitmaps();
  m_Map.Clear();
}

void UStxImage::Adopt(TStxMap map, FIBITMAP* tileSet) {
  Release();
  m_Map = std::move(map);
  m_TileSet = tileSet;
}

bool UStxImage::import(FIBITMAP* picture, int tileWidth, int tileHeight, bool matchFlips) {
  return ImportPicture(picture, tileWidth, tileHeight, true, matchFlips);
}

bool UStxImage::importNoCompress(FIBITMAP* picture, int tileWidth, int tileHeight,
                                 bool /*matchFlips*/) {
  return ImportPicture(picture, tileWidth, tileHeight, false, false);
}

bool UStxImage::ImportPicture(FIBITMAP* picture, int tileWidth, int tileHeight, bool compress,
                              bool matchFlips) {
  Release();
  m_Error.clear();
  TStxImport imported;
  if (!ImportStxPicture(picture, {tileWidth, tileHeight, compress, matchFlips}, imported,
                        m_Error)) {
    return Fail(m_Error);
  }
  Adopt(std::move(imported.map), imported.tileSet.release());
  return true;
}

bool UStxImage::import(STX_Type& names, const char* picturePath, int tileWidth, int tileHeight,
                       bool matchFlips, const char* directory) {
  return ImportFile(names, picturePath, tileWidth, tileHeight, true, matchFlips, directory);
}

bool UStxImage::importNoCompress(STX_Type& names, const char* picturePath, int tileWidth,
                                 int tileHeight, bool /*matchFlips*/, const char* directory) {
  return ImportFile(names, picturePath, tileWidth, tileHeight, false, false, directory);
}

bool UStxImage::ImportFile(STX_Type& names, const char* picturePath, int tileWidth, int tileHeight,
                           bool compress, bool matchFlips, const char* directory) {
  Release();
  m_Error.clear();
  TStxImport imported;
  if (!ImportStxFile(names, picturePath, directory, {tileWidth, tileHeight, compress, matchFlips},
                     imported, m_Error)) {
    return Fail(m_Error);
  }
  Adopt(std::move(imported.map), imported.tileSet.release());
  return true;
}

bool UStxImage::save(const char* path) {
  m_Error.clear();
  if (path == nullptr) {
    return Refuse("no path to save to");
  }
  if (!m_Map.HasCells()) {
    return Refuse("no map to save: only a header is loaded, or nothing");
  }
  if (!m_Map.HasTileSetName()) {
    return Refuse("the tile set has no file name to store (import it from a file)");
  }
  const std::string target = path;
  UAtomicFile file(target);
  UArchiveAnsi ar;
  // Through the writer's own stream, which also writes a descriptor such as /dev/stdout in place.
  if (!file.Begin() || ar.OpenStream(file.Stream()) == 0) {
    m_Error = file.Error().empty() ? "cannot write '" + target + "'" : file.Error();
    return false;
  }
  const bool written = m_Map.Write(ar, m_Error);
  ar.Close();
  if (!written || ar.IsFailed() || !file.Commit()) {
    if (m_Error.empty()) {
      m_Error = file.Error().empty() ? "cannot write '" + target + "'" : file.Error();
    }
    return false;
  }
  return true;
}

bool UStxImage::loadHeader(const char* path) {
  Release();
  m_Error.clear();
  UArchiveAnsi ar;
  if (path == nullptr || ar.Open(path, ArRead) == 0) {
    return Fail("cannot open '" + std::string(path == nullptr ? "" : path) + "'");
  }
  if (!m_Map.ReadHeader(ar, m_Error)) {
    return Fail(m_Error);
  }
  return true;
}

bool UStxImage::load(UArchive& ar) {
  Release();
  m_Error.clear();
  if (!m_Map.Read(ar, m_Error)) {
    return Fail(m_Error);
  }
  return true;
}

bool UStxImage::load(const char* path) {
  Release();
  m_Error.clear();
  UArchiveAnsi ar;
  if (path == nullptr || ar.Open(path, ArRead) == 0) {
    return Fail("cannot open '" + std::string(path == nullptr ? "" : path) + "'");
  }
  if (!load(ar)) {
    return false;
  }
  ar.Close();
  std::string error;
  TFreeImagePtr tileSet =
      LoadPicture32(StoredNameBeside(path, m_Map.GetTileSetName()), false, error);
  if (tileSet == nullptr) {
    return Fail("tile set: " + error);
  }
  if (!setTileSet(tileSet.release())) {
    return Fail(m_Error);
  }
  return true;
}

bool UStxImage::setTileSet(FIBITMAP* tileSet) {
  TFreeImagePtr owned(tileSet);
  m_Error.clear();
  if (!m_Map.HasCells()) {
    return Refuse(m_Map.HasHeader() ? "only the header is loaded: no map to take a tile set"
                                    : "no map to take a tile set");
  }
  if (tileSet == nullptr || FreeImage_GetImageType(tileSet) != FIT_BITMAP ||
      FreeImage_GetBPP(tileSet) != 32 ||
      FreeImage_GetWidth(tileSet) < unsigned(m_Map.GetTileWidth())) {
    return Refuse("the tile set is not a 32-bit picture at least one tile wide");
  }
  UnloadBitmaps();
  m_TileSet = owned.release();
  m_Picture = BuildPicture();
  if (m_Picture == nullptr) {
    return Refuse("out of memory for the picture");
  }
  m_bCreated = true;
  return true;
}

FIBITMAP* UStxImage::BuildPicture() const {
  const MAPDATA* cells = m_Map.GetCells();
  if (m_TileSet == nullptr || cells == nullptr) {
    return nullptr;
  }
  FIBITMAP* picture = AllocateClear(m_Map.GetWidth(), m_Map.GetHeight());
  if (picture == nullptr) {
    return nullptr;
  }
  const int tileCount = GetTileNum();
  const int mapWidth = GetMapWidth();
  const int mapHeight = GetMapHeight();
  const unsigned tileWidth = unsigned(GetTileWidth());
  const unsigned tileHeight = unsigned(GetTileHeight());
  for (int y = 0; y < mapHeight; ++y) {
    for (int x = 0; x < mapWidth; ++x) {
      const MAPDATA cell = cells[size_t(x) + size_t(y) * size_t(mapWidth)];
      const MAPDATA tile = cell & kMapTileMask;
      // A reference past the tile set draws nothing.
      if (tile >= MAPDATA(tileCount)) {
        continue;
      }
      const bool flipH = (cell & kMapFlipH) != 0;
      const bool flipV = (cell & kMapFlipV) != 0;
      for (unsigned row = 0; row < tileHeight; ++row) {
        const unsigned sourceRow =
            unsigned(tile) * tileHeight + (flipV ? tileHeight - 1 - row : row);
        const BYTE* source = TopRow(m_TileSet, sourceRow);
        BYTE* target = TopRow(picture, unsigned(y) * tileHeight + row) + size_t(x) * tileWidth * 4;
        for (unsigned column = 0; column < tileWidth; ++column) {
          const unsigned from = flipH ? tileWidth - 1 - column : column;
          std::memcpy(target + size_t(column) * 4, source + size_t(from) * 4, 4);
        }
      }
    }
  }
  return picture;
}

bool UStxImage::exportPicture(const char* path) {
  m_Error.clear();
  if (!m_Map.HasCells() || m_TileSet == nullptr) {
    return Refuse("no map with its tile set to export");
  }
  const TFreeImagePtr picture(BuildPicture());
  if (picture == nullptr) {
    return Refuse("out of memory for the picture");
  }
  return SavePicture(picture.get(), path == nullptr ? "" : path, m_Error);
}

bool UStxImage::ExportTileSetSquare(const char* path) {
  m_Error.clear();
  const int count = GetTileNum();
  if (count <= 0) {
    return Refuse("the tile set holds no tiles");
  }
  int columns = 1;
  while (columns * columns < count) {
    ++columns;
  }
  const int rows = (count + columns - 1) / columns;
  const unsigned tileWidth = unsigned(GetTileWidth());
  const unsigned tileHeight = unsigned(GetTileHeight());
  const int64_t width = int64_t{columns} * tileWidth;
  const int64_t height = int64_t{rows} * tileHeight;
  if (!IsPictureSizeAllowed(width, height)) {
    return Refuse("the square tile set would be larger than 2^26 pixels");
  }
  const TFreeImagePtr sheet(AllocateClear(unsigned(width), unsigned(height)));
  if (sheet == nullptr) {
    return Refuse("out of memory for the square tile set");
  }
  const size_t rowBytes = size_t(tileWidth) * 4;
  for (int tile = 0; tile < count; ++tile) {
    const unsigned left = unsigned(tile % columns) * tileWidth;
    const unsigned top = unsigned(tile / columns) * tileHeight;
    for (unsigned row = 0; row < tileHeight; ++row) {
      std::memcpy(TopRow(sheet.get(), top + row) + size_t(left) * 4,
                  TopRow(m_TileSet, unsigned(tile) * tileHeight + row), rowBytes);
    }
  }
  return SavePicture(sheet.get(), path == nullptr ? "" : path, m_Error);
}

int UStxImage::GetTileNum() const {
  if (m_TileSet == nullptr || GetTileHeight() == 0) {
    return 0;
  }
  return int(FreeImage_GetHeight(m_TileSet) / unsigned(GetTileHeight()));
}

MAPDATA& UStxImage::GetMapData(int x, int y) {
  MAPDATA* cell = m_Map.FindCell(x, y);
  if (cell == nullptr) {
    m_Scratch = 0;
    return m_Scratch;
  }
  return *cell;
}

BYTE* UStxImage::GetBits() const {
  return m_Picture == nullptr ? nullptr : FreeImage_GetBits(m_Picture);
}

uint32_t UStxImage::GetPixel(int x, int y) const {
  if (m_Picture == nullptr || x < 0 || y < 0 || unsigned(x) >= FreeImage_GetWidth(m_Picture) ||
      unsigned(y) >= FreeImage_GetHeight(m_Picture)) {
    return 0;
  }
  return ReadPixel32(m_Picture, unsigned(x), FreeImage_GetHeight(m_Picture) - 1 - unsigned(y));
}

uint32_t UStxImage::GetTileSetPixel(int x, int y) const {
  if (m_TileSet == nullptr || x < 0 || y < 0 || unsigned(x) >= FreeImage_GetWidth(m_TileSet) ||
      unsigned(y) >= FreeImage_GetHeight(m_TileSet)) {
    return 0;
  }
  return ReadPixel32(m_TileSet, unsigned(x), unsigned(y));
}
