#include "core/tiles/stx_image.h"

#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <utility>

#include "core/foundation/archive_ansi.h"
#include "core/tiles/picture_file.h"

namespace {

constexpr char kMagic[4] = {'S', 'T', 'X', '\0'};
constexpr int kMaxTileSize = 255;

size_t LastSeparator(const std::string& path) {
  return path.find_last_of("/\\");
}

// The directory part of `path` (before its last separator), or "" when it has none.
std::string DirectoryOf(const std::string& path) {
  const size_t separator = LastSeparator(path);
  return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

std::string BareNameOf(const std::string& path) {
  const size_t separator = LastSeparator(path);
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

// `name` inside `directory`, joined with '/'; `name` alone when there is no directory.
std::string JoinPath(const std::string& directory, const std::string& name) {
  return directory.empty() ? name : directory + "/" + name;
}

// A tile-set name read from a file may only name a file beside the STX file.
bool IsBareFileName(const char* name) {
  return name[0] != '\0' && std::strpbrk(name, "/\\") == nullptr && std::strcmp(name, ".") != 0 &&
         std::strcmp(name, "..") != 0;
}

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
  const size_t separator = LastSeparator(name);
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

void UStxImage::Release() {
  m_Map.clear();
  m_Map.shrink_to_fit();
  if (m_TileSet != nullptr) {
    FreeImage_Unload(m_TileSet);
    m_TileSet = nullptr;
  }
  if (m_Picture != nullptr) {
    FreeImage_Unload(m_Picture);
    m_Picture = nullptr;
  }
  m_TileWidth = 0;
  m_TileHeight = 0;
  m_Width = 0;
  m_Height = 0;
  std::memset(m_TilePicName, 0, sizeof(m_TilePicName));
  m_bCreated = false;
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
  if (picture == nullptr || FreeImage_GetImageType(picture) != FIT_BITMAP) {
    return Fail("no ordinary picture to import");
  }
  if (tileWidth < 1 || tileWidth > kMaxTileSize || tileHeight < 1 || tileHeight > kMaxTileSize) {
    return Fail("tile size must be 1 to 255 pixels each way");
  }
  const unsigned width = FreeImage_GetWidth(picture);
  const unsigned height = FreeImage_GetHeight(picture);
  if (!IsPictureSizeAllowed(width, height)) {
    return Fail("the picture is empty or larger than 2^26 pixels");
  }
  if (width < unsigned(tileWidth) || height < unsigned(tileHeight)) {
    return Fail("the picture (" + std::to_string(width) + "x" + std::to_string(height) +
                ") is smaller than one tile (" + std::to_string(tileWidth) + "x" +
                std::to_string(tileHeight) + ")");
  }
  // A 32-bit picture is read as it is; any other is converted first.
  TFreeImagePtr converted;
  if (FreeImage_GetBPP(picture) != 32) {
    converted.reset(FreeImage_ConvertTo32Bits(picture));
    if (converted == nullptr) {
      return Fail("the picture cannot be converted to 32 bits a pixel");
    }
  }
  FIBITMAP* rgba = converted ? converted.get() : picture;
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (unsigned y = 0; y < height; ++y) {
    ReadRow32(rgba, height - 1 - y, &pixels[size_t(y) * width]);
  }
  converted.reset();
  const TTilePicture source{pixels.data(), int(width), int(height)};
  TTileCut cut = compress ? DeduplicateTiles(source, tileWidth, tileHeight, matchFlips)
                          : CutTiles(source, tileWidth, tileHeight);
  pixels = {};

  FIBITMAP* tileSet = FreeImage_Allocate(tileWidth, cut.tileCount * tileHeight, 32);
  if (tileSet == nullptr) {
    return Fail("out of memory for the tile set");
  }
  const unsigned rows = FreeImage_GetHeight(tileSet);
  for (unsigned row = 0; row < rows; ++row) {
    WriteRow32(tileSet, rows - 1 - row, &cut.tiles[size_t(row) * unsigned(tileWidth)]);
  }
  m_TileSet = tileSet;
  m_Map = std::move(cut.map);
  m_TileWidth = uint8_t(tileWidth);
  m_TileHeight = uint8_t(tileHeight);
  m_Width = width;
  m_Height = height;
  m_Bpp = 32;
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
  const std::string tileSetPath = names.GetTileSetName();
  const std::string tileSetName = BareNameOf(tileSetPath);
  if (tileSetName.size() >= size_t(kNameSize)) {
    return Fail("the tile set's file name '" + tileSetName + "' is longer than 63 bytes");
  }
  std::string error;
  const TFreeImagePtr picture =
      LoadPicture32(picturePath == nullptr ? "" : picturePath, true, error);
  if (picture == nullptr) {
    return Fail(error);
  }
  if (!ImportPicture(picture.get(), tileWidth, tileHeight, compress, matchFlips)) {
    return false;
  }
  std::memcpy(m_TilePicName, tileSetName.c_str(), tileSetName.size() + 1);
  const std::string target = directory == nullptr ? tileSetPath : JoinPath(directory, tileSetPath);
  if (!SavePicture(m_TileSet, target, error)) {
    return Fail(error);
  }
  return true;
}

bool UStxImage::save(const char* path) {
  m_Error.clear();
  if (m_TileWidth == 0 || path == nullptr) {
    m_Error = "no tiled image to save";
    return false;
  }
  const std::string target = path;
  const std::string temporary = target + ".tmp-" + std::to_string(::getpid());
  UArchiveAnsi ar;
  if (ar.Open(temporary.c_str(), ArWrite) == 0) {
    m_Error = "cannot write '" + target + "'";
    return false;
  }
  for (char c : kMagic) {
    ar << c;
  }
  const uint32_t mapBytes = uint32_t(m_Map.size() * 4);
  ar << m_Width << m_Height << uint32_t{32} << uint32_t{m_TileWidth} << uint32_t{m_TileHeight};
  for (char c : m_TilePicName) {
    ar << c;
  }
  ar << uint32_t{kHeaderSize} << mapBytes;
  for (MAPDATA cell : m_Map) {
    ar << cell;
  }
  ar.Close();
  if (ar.IsFailed() || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    m_Error = "cannot write '" + target + "'";
    return false;
  }
  return true;
}

bool UStxImage::ReadHeader(UArchive& ar, uint32_t& mapBytes) {
  const int remaining = ar.RemainingBytes();
  if (!ar.CanHold(1, kHeaderSize)) {
    return Fail("the file is shorter than an STX header");
  }
  char magic[4];
  uint32_t width = 0;
  uint32_t height = 0;
  uint32_t bpp = 0;
  uint32_t tileWidth = 0;
  uint32_t tileHeight = 0;
  char name[kNameSize];
  uint32_t offset = 0;
  for (char& c : magic) {
    ar >> c;
  }
  ar >> width >> height >> bpp >> tileWidth >> tileHeight;
  for (char& c : name) {
    ar >> c;
  }
  ar >> offset >> mapBytes;
  if (ar.IsFailed()) {
    return Fail("the STX header cannot be read");
  }
  if (tileWidth < 1 || tileWidth > kMaxTileSize || tileHeight < 1 || tileHeight > kMaxTileSize) {
    return Fail("the tile size is not 1 to 255 pixels each way");
  }
  if (!IsPictureSizeAllowed(width, height)) {
    return Fail("the picture size is empty or larger than 2^26 pixels");
  }
  if (width < tileWidth || height < tileHeight) {
    return Fail("the picture is smaller than one tile");
  }
  const uint64_t cells = uint64_t{width / tileWidth} * (height / tileHeight);
  if (offset != uint32_t{kHeaderSize} || mapBytes != cells * 4 ||
      (remaining >= 0 && uint64_t(remaining) != kHeaderSize + cells * 4)) {
    return Fail("the map size does not agree with the picture, the tile size or the file length");
  }
  if (std::memchr(name, '\0', sizeof(name)) == nullptr || !IsBareFileName(name)) {
    return Fail("the tile-set name is not a file name");
  }
  m_Width = width;
  m_Height = height;
  m_Bpp = bpp;
  m_TileWidth = uint8_t(tileWidth);
  m_TileHeight = uint8_t(tileHeight);
  std::memcpy(m_TilePicName, name, sizeof(name));
  return true;
}

bool UStxImage::loadHeader(const char* path) {
  Release();
  m_Error.clear();
  UArchiveAnsi ar;
  if (path == nullptr || ar.Open(path, ArRead) == 0) {
    return Fail("cannot open '" + std::string(path == nullptr ? "" : path) + "'");
  }
  uint32_t mapBytes = 0;
  return ReadHeader(ar, mapBytes);
}

bool UStxImage::load(UArchive& ar) {
  Release();
  m_Error.clear();
  uint32_t mapBytes = 0;
  if (!ReadHeader(ar, mapBytes)) {
    return false;
  }
  if (!ar.CanHold(mapBytes, 1)) {
    return Fail("the file ends inside the map");
  }
  std::vector<unsigned char> bytes(mapBytes);
  ar.Read(bytes.data(), int(mapBytes));
  if (ar.IsFailed()) {
    return Fail("the file ends inside the map");
  }
  m_Map.resize(mapBytes / 4);
  for (size_t i = 0; i < m_Map.size(); ++i) {
    const unsigned char* b = &bytes[i * 4];
    m_Map[i] = MAPDATA{b[0]} | MAPDATA{b[1]} << 8 | MAPDATA{b[2]} << 16 | MAPDATA{b[3]} << 24;
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
  TFreeImagePtr tileSet = LoadPicture32(JoinPath(DirectoryOf(path), m_TilePicName), false, error);
  if (tileSet == nullptr) {
    return Fail("tile set: " + error);
  }
  return setTileSet(tileSet.release());
}

bool UStxImage::setTileSet(FIBITMAP* tileSet) {
  TFreeImagePtr owned(tileSet);
  if (m_TileWidth == 0) {
    return Fail("no map to take a tile set");
  }
  if (tileSet == nullptr || FreeImage_GetImageType(tileSet) != FIT_BITMAP ||
      FreeImage_GetBPP(tileSet) != 32 || FreeImage_GetWidth(tileSet) < m_TileWidth) {
    return Fail("the tile set is not a 32-bit picture at least one tile wide");
  }
  if (m_TileSet != nullptr) {
    FreeImage_Unload(m_TileSet);
  }
  m_TileSet = owned.release();
  if (m_Picture != nullptr) {
    FreeImage_Unload(m_Picture);
  }
  m_Picture = BuildPicture();
  if (m_Picture == nullptr) {
    return Fail("out of memory for the picture");
  }
  m_bCreated = true;
  return true;
}

FIBITMAP* UStxImage::BuildPicture() const {
  if (m_TileSet == nullptr || m_TileWidth == 0) {
    return nullptr;
  }
  FIBITMAP* picture = AllocateClear(m_Width, m_Height);
  if (picture == nullptr) {
    return nullptr;
  }
  const int tileCount = GetTileNum();
  const int mapWidth = GetMapWidth();
  const int mapHeight = GetMapHeight();
  const unsigned tileWidth = m_TileWidth;
  const unsigned tileHeight = m_TileHeight;
  for (int y = 0; y < mapHeight; ++y) {
    for (int x = 0; x < mapWidth; ++x) {
      const MAPDATA cell = m_Map[size_t(x) + size_t(y) * size_t(mapWidth)];
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
  const TFreeImagePtr picture(BuildPicture());
  if (picture == nullptr) {
    m_Error = "no tiled image to export";
    return false;
  }
  return SavePicture(picture.get(), path == nullptr ? "" : path, m_Error);
}

bool UStxImage::ExportTileSetSquare(const char* path) {
  m_Error.clear();
  const int count = GetTileNum();
  if (count <= 0) {
    m_Error = "the tile set holds no tiles";
    return false;
  }
  int columns = 1;
  while (columns * columns < count) {
    ++columns;
  }
  const int rows = (count + columns - 1) / columns;
  const int64_t width = int64_t{columns} * m_TileWidth;
  const int64_t height = int64_t{rows} * m_TileHeight;
  if (!IsPictureSizeAllowed(width, height)) {
    m_Error = "the square tile set would be larger than 2^26 pixels";
    return false;
  }
  const TFreeImagePtr sheet(AllocateClear(unsigned(width), unsigned(height)));
  if (sheet == nullptr) {
    m_Error = "out of memory for the square tile set";
    return false;
  }
  const size_t rowBytes = size_t(m_TileWidth) * 4;
  for (int tile = 0; tile < count; ++tile) {
    const unsigned left = unsigned(tile % columns) * m_TileWidth;
    const unsigned top = unsigned(tile / columns) * m_TileHeight;
    for (unsigned row = 0; row < m_TileHeight; ++row) {
      std::memcpy(TopRow(sheet.get(), top + row) + size_t(left) * 4,
                  TopRow(m_TileSet, unsigned(tile) * m_TileHeight + row), rowBytes);
    }
  }
  return SavePicture(sheet.get(), path == nullptr ? "" : path, m_Error);
}

int UStxImage::GetTileNum() const {
  if (m_TileSet == nullptr || m_TileHeight == 0) {
    return 0;
  }
  return int(FreeImage_GetHeight(m_TileSet) / m_TileHeight);
}

MAPDATA& UStxImage::GetMapData(int x, int y) {
  const int mapWidth = GetMapWidth();
  if (x < 0 || y < 0 || x >= mapWidth || y >= GetMapHeight() ||
      size_t(x) + size_t(y) * size_t(mapWidth) >= m_Map.size()) {
    m_Scratch = 0;
    return m_Scratch;
  }
  return m_Map[size_t(x) + size_t(y) * size_t(mapWidth)];
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
