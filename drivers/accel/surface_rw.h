#pragma once

#include "core/canvas/surface.h"
#include "drivers/accel/engine/rw_texture.h"
#include "drivers/accel/tessel_api.h"

// A surface of the accelerated driver: one reference to an engine texture.
class TESSEL_API USurfaceRw : public USurface {
 public:
  USurfaceRw() = default;
  // Takes over one reference to `texture`.
  explicit USurfaceRw(RwTexture* texture) : m_Texture(texture) {}
  // A copy would hold a reference it never took; surfaces are handed around by pointer instead.
  USurfaceRw(const USurfaceRw&) = delete;
  USurfaceRw& operator=(const USurfaceRw&) = delete;
  ~USurfaceRw() override;

  // The texture raster's size; 0 without a texture.
  int GetWidth() override;
  int GetHeight() override;
  // Bits per pixel of the raster's format code; -1 for a code without one or without a texture.
  int GetBpp();
  // Surface-to-surface blits are not offered by this driver: nothing is drawn, true is returned.
  bool BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) override;
  // This driver draws with the pictures' alpha, never a colour key: returns false.
  bool SetColorKey(uint32_t key) override;
  // Gives up the surface's reference to the texture (the engine destroys a texture with its last
  // reference) and forgets it, so a second call gives up nothing. Returns true.
  bool Release() override;
  // Fills the texture with one 0xAARRGGBB colour; false without a texture.
  bool Clear(uint32_t color) override;

  RwTexture* GetTexture() const { return m_Texture; }

 private:
  RwTexture* m_Texture = nullptr;
};
