#include "core/canvas/canvas_util.h"

#include <cstring>
#include <memory>
#include <string>

#include "core/canvas/surface.h"
#include "core/tiles/material_tile.h"
#include "core/tiles/material_tile_map.h"
#include "core/tiles/stx_image.h"

UCanvasUtil::~UCanvasUtil() = default;

int UCanvasUtil::GetDeviceWidth() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenWidth();
}

int UCanvasUtil::GetDeviceHeight() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenHeight();
}

UMaterial* UCanvasUtil::CreateUMaterial(MatType type, MatCreateParam& param) {
  if (type == MAT_TILEMAP) {
    if (param.tileWidth <= 0 || param.tileHeight <= 0 || param.width <= 0 || param.height <= 0) {
      return nullptr;
    }
    auto map = std::make_unique<UMaterialTileMap>();
    map->Init(param.width / param.tileWidth, param.height / param.tileHeight, param.tileWidth,
              param.tileHeight);
    USurface* surface = CreateUSurface(param.width, param.height, 0);
    if (surface == nullptr) {
      return nullptr;
    }
    map->SetMainSurface(surface);
    return map.release();
  }
  if (type != MAT_TILE && type != MAT_BMP) {
    return nullptr;
  }
  // A name that fills its whole buffer has lost its end; it names no file we can trust.
  if (strnlen(param.fileName, sizeof(param.fileName)) == sizeof(param.fileName)) {
    return nullptr;
  }
  if (type == MAT_TILE) {
    return CreateUMaterialTile(param.fileName);
  }
  USurface* surface = CreateUSurfaceFromFile(param.fileName, param.width, param.height);
  if (surface == nullptr) {
    return nullptr;
  }
  return new UMaterialBmp(surface);
}

UMaterialTile* UCanvasUtil::CreateUMaterialTile(const char* path) {
  if (path == nullptr) {
    return nullptr;
  }
  UStxImage image;
  if (!image.load(path)) {
    return nullptr;
  }
  auto material = std::make_unique<UMaterialTile>();
  material->SetMapInfo(image.GetMapWidth(), image.GetMapHeight(), image.GetMap());
  material->SetTileInfo(image.GetTileWidth(), image.GetTileHeight(), image.GetTileNum());
  USurface* surface = CreateUSurface(image.GetWidth(), image.GetHeight(), 0);
  if (surface == nullptr) {
    return nullptr;
  }
  material->SetMainSurface(surface);
  surface->Clear(kColorKeyMagenta);
  surface->SetColorKey(kColorKeyMagenta);
  // The tile set lies beside the STX file; '/' joins the path on every platform.
  const std::string stx = path;
  const size_t separator = stx.find_last_of("/\\");
  const std::string tileSet = separator == std::string::npos
                                  ? std::string(image.GetTilePicName())
                                  : stx.substr(0, separator) + "/" + image.GetTilePicName();
  USurface* tiles = CreateUSurfaceFromFile(tileSet.c_str(), image.GetTileWidth(),
                                           image.GetTileHeight() * image.GetTileNum());
  if (tiles == nullptr) {
    return nullptr;
  }
  material->SetTileSetSurface(tiles);
  material->Reflash();
  return material.release();
}
