#pragma once

#include <cstdint>

#include "core/core_api.h"

class USurface;

enum MatType : int32_t {
  MAT_TILE = 0,     // a tile material from an STX file
  MAT_TILEMAP = 1,  // an empty tile map of a given size
  MAT_BMP = 2,      // a bitmap material from an image file
};

// What material creation reads; the leading word is not read.
struct MatCreateParam {
  uint32_t reserved = 0;
  char fileName[128] = {};  // NUL-terminated; MAT_TILE, MAT_BMP
  int32_t width = 0;        // MAT_TILEMAP, MAT_BMP (the drivers ignore it for images)
  int32_t height = 0;
  int32_t tileWidth = 0;  // MAT_TILEMAP
  int32_t tileHeight = 0;
};

// A drawable thing that owns one main surface and knows how to rebuild it. Destroying a material
// releases and destroys its surface. Materials are not copyable: a copy would share the surface
// and destroy it twice.
class CORE_API UMaterial {
 public:
  UMaterial() = default;
  // Takes ownership of `surface` (which may be null).
  explicit UMaterial(USurface* surface) : m_MainSurface(surface) {}
  UMaterial(const UMaterial&) = delete;
  UMaterial& operator=(const UMaterial&) = delete;
  virtual ~UMaterial();

  // The main surface's size, or 0 without one.
  virtual uint32_t Width();
  virtual uint32_t Height();
  // Rebuilds the main surface's contents; nothing to do for a plain material.
  virtual bool Reflash();
  // Releases and destroys the main surface; the material stays usable and empty.
  virtual bool Release();

  USurface* GetMainSurface() const { return m_MainSurface; }
  uint32_t GetColorKey() const { return m_ColorKey; }
  uint16_t GetFlags() const { return m_Flags; }

 protected:
  void ReleaseMainSurface();

  USurface* m_MainSurface = nullptr;
  uint32_t m_Reserved[2] = {0, 0};
  uint32_t m_ColorKey = 0;
  int16_t m_Value = 255;
  uint16_t m_Flags = 0;  // bit 0: the tile-set surface uses the colour key
};

// A material made from one image file.
class CORE_API UMaterialBmp : public UMaterial {
 public:
  using UMaterial::UMaterial;
  ~UMaterialBmp() override;

  bool Release() override;
};
