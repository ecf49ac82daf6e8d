#pragma once

#include <FreeImage.h>

#include <string>

#include "core/tiles/picture_file.h"
#include "core/tiles/stx_map.h"

class STX_Type;

// Building a tiled image from a picture: cutting it into tiles, keeping each distinct tile once
// (or every tile, without compression), and laying the kept tiles out as the tile-set bitmap.
// Internal to Core; UStxImage offers it.

// A map with the tile set its cells refer to: one tile wide, tile i at rows i x tileHeight from
// the top, 32 bits a pixel.
struct TStxImport {
  TStxMap map;
  TFreeImagePtr tileSet;
};

struct TStxImportOptions {
  int tileWidth = 0;
  int tileHeight = 0;
  bool compress = true;     // keep each distinct tile once
  bool matchFlips = false;  // with compress: a mirror image counts as the same tile
};

// Imports `picture` (any bit depth; the caller keeps it). The map has no tile-set name. False with
// the reason in `error`.
bool ImportStxPicture(FIBITMAP* picture, const TStxImportOptions& options, TStxImport& out,
                      std::string& error);

// Loads the picture file `picturePath` and imports it, names the tile set by the bare file name
// of names.GetTileSetName() and saves it there, inside `directory` when that is given and not
// empty. False with the reason in `error`.
bool ImportStxFile(STX_Type& names, const char* picturePath, const char* directory,
                   const TStxImportOptions& options, TStxImport& out, std::string& error);
