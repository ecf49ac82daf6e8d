#include "core/tiles/stx_map.h"

#include <cstring>
#include <utility>

#include "core/tiles/picture_file.h"
#include "core/tiles/stored_block.h"
#include "core/tiles/stored_name.h"

namespace {

constexpr char kMagic[4] = {'S', 'T', 'X', '\0'};

// The reason a geometry cannot be stored, or null when it can.
const char* GeometryProblem(uint64_t width, uint64_t height, uint64_t tileWidth,
                            uint64_t tileHeight) {
  if (tileWidth < 1 || tileWidth > TStxMap::kMaxTileSize || tileHeight < 1 ||
      tileHeight > TStxMap::kMaxTileSize) {
    return "the tile size is not 1 to 255 pixels each way";
  }
  if (!IsPictureSizeAllowed(int64_t(width), int64_t(height))) {
    return "the picture size is empty or larger than 2^26 pixels";
  }
  if (width < tileWidth || height < tileHeight) {
    return "the picture is smaller than one tile";
  }
  return nullptr;
}

uint32_t ReadWord(const unsigned char* bytes) {
  return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
         uint32_t{bytes[3]} << 24;
}

void PutWord(unsigned char* bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) {
    bytes[i] = static_cast<unsigned char>(value >> (8 * i));
  }
}

}  // namespace

bool TStxMap::Assign(uint32_t width, uint32_t height, int tileWidth, int tileHeight,
                     std::vector<MAPDATA> cells, std::string& error) {
  if (tileWidth < 0 || tileHeight < 0) {
    error = "the tile size is not 1 to 255 pixels each way";
    return false;
  }
  if (const char* problem =
          GeometryProblem(width, height, uint64_t(tileWidth), uint64_t(tileHeight))) {
    error = problem;
    return false;
  }
  if (cells.size() != size_t(width / unsigned(tileWidth)) * (height / unsigned(tileHeight))) {
    error = "the cells do not fill the map";
    return false;
  }
  m_Width = width;
  m_Height = height;
  m_Bpp = 32;
  m_TileWidth = uint8_t(tileWidth);
  m_TileHeight = uint8_t(tileHeight);
  m_TileSetName.clear();
  m_Cells = std::move(cells);
  return true;
}

bool TStxMap::SetTileSetName(const std::string& name, std::string& error) {
  if (!HasHeader()) {
    error = "no tiled image to name a tile set for";
    return false;
  }
  if (name.size() >= size_t(kNameSize)) {
    error = "the tile set's file name '" + name + "' is longer than 63 bytes";
    return false;
  }
  if (!IsStoredRelativeName(name)) {
    error = "the tile set's file name '" + name + "' is not a relative name inside its folder";
    return false;
  }
  m_TileSetName = name;
  return true;
}

void TStxMap::Clear() {
  *this = TStxMap();
}

bool TStxMap::ReadHeader(UArchive& ar, std::string& error) {
  Clear();
  const int remaining = ar.RemainingBytes();
  unsigned char header[kHeaderSize];
  if (!ar.CanHold(1, kHeaderSize)) {
    error = "the file is shorter than an STX header";
    return false;
  }
  ar.Read(header, kHeaderSize);
  if (ar.IsFailed()) {
    error = "the STX header cannot be read";
    return false;
  }
  const uint32_t width = ReadWord(header + 4);
  const uint32_t height = ReadWord(header + 8);
  const uint32_t bpp = ReadWord(header + 12);
  const uint32_t tileWidth = ReadWord(header + 16);
  const uint32_t tileHeight = ReadWord(header + 20);
  const char* name = reinterpret_cast<const char*>(header + 24);
  const uint32_t offset = ReadWord(header + 88);
  const uint32_t mapBytes = ReadWord(header + 92);
  if (const char* problem = GeometryProblem(width, height, tileWidth, tileHeight)) {
    error = problem;
    return false;
  }
  const uint64_t cells = uint64_t{width / tileWidth} * (height / tileHeight);
  if (offset != uint32_t{kHeaderSize} || mapBytes != cells * 4 ||
      (remaining >= 0 && uint64_t(remaining) != kHeaderSize + cells * 4)) {
    error = "the map size does not agree with the picture, the tile size or the file length";
    return false;
  }
  if (std::memchr(name, '\0', kNameSize) == nullptr || !IsStoredRelativeName(name)) {
    error = "the tile-set name is not a relative file name";
    return false;
  }
  m_Width = width;
  m_Height = height;
  m_Bpp = bpp;
  m_TileWidth = uint8_t(tileWidth);
  m_TileHeight = uint8_t(tileHeight);
  m_TileSetName = name;
  return true;
}

bool TStxMap::Read(UArchive& ar, std::string& error) {
  if (!ReadHeader(ar, error)) {
    return false;
  }
  const size_t count = size_t(GetMapWidth()) * size_t(GetMapHeight());
  std::vector<uint8_t> bytes;
  if (!ReadStoredBlock(ar, uint64_t{count} * 4, bytes)) {
    Clear();
    error = "the file ends inside the map";
    return false;
  }
  m_Cells.resize(count);
  for (size_t i = 0; i < count; ++i) {
    m_Cells[i] = ReadWord(&bytes[i * 4]);
  }
  return true;
}

bool TStxMap::Write(UArchive& ar, std::string& error) const {
  if (!HasCells()) {
    error = "no map to save: only a header is loaded, or nothing";
    return false;
  }
  if (!HasTileSetName()) {
    error = "the tile set has no file name to store (import it from a file)";
    return false;
  }
  unsigned char header[kHeaderSize] = {};
  std::memcpy(header, kMagic, sizeof(kMagic));
  PutWord(header + 4, m_Width);
  PutWord(header + 8, m_Height);
  PutWord(header + 12, 32);
  PutWord(header + 16, m_TileWidth);
  PutWord(header + 20, m_TileHeight);
  std::memcpy(header + 24, m_TileSetName.c_str(), m_TileSetName.size());
  PutWord(header + 88, kHeaderSize);
  PutWord(header + 92, uint32_t(m_Cells.size() * 4));
  ar.Write(header, kHeaderSize);
  std::vector<unsigned char> bytes(m_Cells.size() * 4);
  for (size_t i = 0; i < m_Cells.size(); ++i) {
    PutWord(&bytes[i * 4], m_Cells[i]);
  }
  ar.Write(bytes.data(), int(bytes.size()));
  return true;
}

MAPDATA* TStxMap::FindCell(int x, int y) {
  if (!HasCells() || x < 0 || y < 0 || x >= GetMapWidth() || y >= GetMapHeight()) {
    return nullptr;
  }
  return &m_Cells[size_t(x) + size_t(y) * size_t(GetMapWidth())];
}
