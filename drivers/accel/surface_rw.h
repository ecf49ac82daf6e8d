#pragma once

#include <utility>

#include "core/canvas/surface.h"
#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/engine/rw_texture.h"
#include "drivers/accel/tessel_api.h"

class RwEngine;

// A surface of the accelerated driver: one reference to an engine texture, or a decoded picture
// waiting for an open engine to become one.
class TESSEL_API USurfaceRw : public USurface {
 public:
  USurfaceRw() = default;
  // Takes over one reference to `texture`.
  explicit USurfaceRw(RwTexture* texture) : m_Texture(texture) {}
  // Keeps `picture` until Upload: the surface has its size at once and draws nothing until then.
  explicit USurfaceRw(RwImage picture) : m_Picture(std::move(picture)) {}
  // A copy would hold a reference it never took; surfaces are handed around by pointer instead.
  USurfaceRw(const USurfaceRw&) = delete;
  USurfaceRw& operator=(const USurfaceRw&) = delete;
  ~USurfaceRw() override;

  // The texture raster's size (the waiting picture's before Upload); 0 after Release.
  int GetWidth() override;
  int GetHeight() override;
  // Bits per pixel of the raster's format code; -1 for a code without one or without a texture.
  int GetBpp();
  // Surface-to-surface blits are not offered by this driver: nothing is drawn, true is returned.
  bool BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) override;
  // This driver draws with the pictures' alpha, never a colour key: returns false.
  bool SetColorKey(uint32_t key) override;
  // Gives up the surface's reference to the texture (the engine destroys a texture with its last
  // reference) and forgets it and any waiting picture, so a second call gives up nothing. Returns
  // true.
  bool Release() override;
  // Fills the texture with one 0xAARRGGBB colour; false without a texture.
  bool Clear(uint32_t color) override;

  RwTexture* GetTexture() const { return m_Texture; }
  bool IsWaitingForUpload() const { return !m_Picture.pixels.empty(); }
  // The decoded picture waiting for Upload; empty once it is a texture.
  const RwImage& WaitingPicture() const { return m_Picture; }
  // Makes the waiting picture a texture of `engine` (open, its context current or able to be
  // made so) and frees the picture. True when the surface holds a texture afterwards.
  bool Upload(RwEngine* engine);

 private:
  RwTexture* m_Texture = nullptr;
  RwImage m_Picture;  // decoded, not yet a texture
};
