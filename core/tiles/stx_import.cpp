#include "core/tiles/stx_import.h"

#include <utility>
#include <vector>

#include "core/tiles/stored_name.h"
#include "core/tiles/stx_image.h"
#include "core/tiles/tile_dedup.h"

bool ImportStxPicture(FIBITMAP* picture, const TStxImportOptions& options, TStxImport& out,
                      std::string& error) {
  out = TStxImport();
  const int tileWidth = options.tileWidth;
  const int tileHeight = options.tileHeight;
  if (picture == nullptr || FreeImage_GetImageType(picture) != FIT_BITMAP) {
    error = "no ordinary picture to import";
    return false;
  }
  if (tileWidth < 1 || tileWidth > TStxMap::kMaxTileSize || tileHeight < 1 ||
      tileHeight > TStxMap::kMaxTileSize) {
    error = "tile size must be 1 to 255 pixels each way";
    return false;
  }
  const unsigned width = FreeImage_GetWidth(picture);
  const unsigned height = FreeImage_GetHeight(picture);
  if (!IsPictureSizeAllowed(width, height)) {
    error = "the picture is empty or larger than 2^26 pixels";
    return false;
  }
  if (width < unsigned(tileWidth) || height < unsigned(tileHeight)) {
    error = "the picture (" + std::to_string(width) + "x" + std::to_string(height) +
            ") is smaller than one tile (" + std::to_string(tileWidth) + "x" +
            std::to_string(tileHeight) + ")";
    return false;
  }
  // A 32-bit picture is read as it is; any other is converted first.
  TFreeImagePtr converted;
  if (FreeImage_GetBPP(picture) != 32) {
    converted.reset(FreeImage_ConvertTo32Bits(picture));
    if (converted == nullptr) {
      error = "the picture cannot be converted to 32 bits a pixel";
      return false;
    }
  }
  FIBITMAP* rgba = converted ? converted.get() : picture;
  std::vector<uint32_t> pixels(size_t(width) * height);
  for (unsigned y = 0; y < height; ++y) {
    ReadRow32(rgba, height - 1 - y, &pixels[size_t(y) * width]);
  }
  converted.reset();
  const TTilePicture source{pixels.data(), int(width), int(height)};
  TTileCut cut = options.compress
                     ? DeduplicateTiles(source, tileWidth, tileHeight, options.matchFlips)
                     : CutTiles(source, tileWidth, tileHeight);
  pixels = {};

  TFreeImagePtr tileSet(FreeImage_Allocate(tileWidth, cut.tileCount * tileHeight, 32));
  if (tileSet == nullptr) {
    error = "out of memory for the tile set";
    return false;
  }
  const unsigned rows = FreeImage_GetHeight(tileSet.get());
  for (unsigned row = 0; row < rows; ++row) {
    WriteRow32(tileSet.get(), rows - 1 - row, &cut.tiles[size_t(row) * unsigned(tileWidth)]);
  }
  if (!out.map.Assign(width, height, tileWidth, tileHeight, std::move(cut.map), error)) {
    return false;
  }
  out.tileSet = std::move(tileSet);
  return true;
}

bool ImportStxFile(STX_Type& names, const char* picturePath, const char* directory,
                   const TStxImportOptions& options, TStxImport& out, std::string& error) {
  out = TStxImport();
  const std::string tileSetPath = names.GetTileSetName();
  const std::string tileSetName = BareFileName(tileSetPath);
  if (tileSetName.size() >= size_t(TStxMap::kNameSize)) {
    error = "the tile set's file name '" + tileSetName + "' is longer than 63 bytes";
    return false;
  }
  const TFreeImagePtr picture =
      LoadPicture32(picturePath == nullptr ? "" : picturePath, true, error);
  if (picture == nullptr) {
    return false;
  }
  TStxImport imported;
  if (!ImportStxPicture(picture.get(), options, imported, error) ||
      !imported.map.SetTileSetName(tileSetName, error)) {
    return false;
  }
  const std::string target = directory == nullptr || *directory == '\0'
                                 ? tileSetPath
                                 : std::string(directory) + "/" + tileSetPath;
  if (!SavePicture(imported.tileSet.get(), target, error)) {
    return false;
  }
  out = std::move(imported);
  return true;
}
