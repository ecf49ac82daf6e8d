// The tile kinds of material, made through a driver's factory. The canvas layer knows them only
// by kind; this file gives it their makers.
#include <memory>
#include <string>

#include "core/canvas/blt_fx.h"
#include "core/canvas/canvas_util.h"
#include "core/canvas/surface.h"
#include "core/foundation/archive_ansi.h"
#include "core/tiles/material_tile.h"
#include "core/tiles/material_tile_map.h"
#include "core/tiles/stored_name.h"
#include "core/tiles/stx_map.h"

namespace {

struct SurfaceDeleter {
  void operator()(USurface* surface) const {
    surface->Release();
    delete surface;
  }
};
using TSurfacePtr = std::unique_ptr<USurface, SurfaceDeleter>;

UMaterial* MakeTileMaterial(UCanvasUtil& factory, const MatCreateParam& param) {
  return factory.CreateUMaterialTile(param.fileName);
}

UMaterial* MakeTileMap(UCanvasUtil& factory, const MatCreateParam& param) {
  if (param.tileWidth <= 0 || param.tileHeight <= 0 || param.width <= 0 || param.height <= 0) {
    return nullptr;
  }
  auto map = std::make_unique<UMaterialTileMap>();
  map->Init(param.width / param.tileWidth, param.height / param.tileHeight, param.tileWidth,
            param.tileHeight);
  USurface* surface = factory.CreateUSurface(param.width, param.height, 0);
  if (surface == nullptr) {
    return nullptr;
  }
  map->SetMainSurface(surface);
  return map.release();
}

// Sets the makers when Core is loaded. Core is one shared library, so this object is always part
// of it, and the loader initialises it before any code outside Core can run.
struct TileMaterialMakers {
  TileMaterialMakers() {
    UCanvasUtil::SetMaterialMaker(MAT_TILE, MakeTileMaterial);
    UCanvasUtil::SetMaterialMaker(MAT_TILEMAP, MakeTileMap);
  }
};
const TileMaterialMakers kTileMaterialMakers;

}  // namespace

// Reads the STX header and map only: the tiles are drawn from the driver's tile-set surface, so
// the picture is never composed in memory.
UMaterialTile* UCanvasUtil::CreateUMaterialTile(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  TStxMap stx;
  std::string error;
  {
    UArchiveAnsi ar;
    if (ar.Open(path, ArRead) == 0 || !stx.Read(ar, error)) {
      return nullptr;
    }
  }
  auto material = std::make_unique<UMaterialTile>();
  material->SetMapInfo(stx.GetMapWidth(), stx.GetMapHeight(), stx.GetCells());
  USurface* surface = CreateUSurface(int(stx.GetWidth()), int(stx.GetHeight()), 0);
  if (surface == nullptr) {
    return nullptr;
  }
  material->SetMainSurface(surface);
  surface->Clear(kColorKeyMagenta);
  surface->SetColorKey(kColorKeyMagenta);
  // The tile set lies beside the STX file. The drivers take the size from the file itself; the
  // tile count follows from it.
  const std::string tileSetPath = StoredNameBeside(path, stx.GetTileSetName());
  TSurfacePtr tiles(
      CreateUSurfaceFromFile(tileSetPath.c_str(), stx.GetTileWidth(), stx.GetTileHeight()));
  if (tiles == nullptr || tiles->GetWidth() < stx.GetTileWidth()) {
    return nullptr;
  }
  material->SetTileInfo(stx.GetTileWidth(), stx.GetTileHeight(),
                        tiles->GetHeight() / stx.GetTileHeight());
  material->SetTileSetSurface(tiles.release());
  material->Reflash();
  return material.release();
}
