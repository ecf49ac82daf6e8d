#pragma once

#include <cstdint>

#include "core/canvas/surface.h"
#include "drivers/gdi/lumsel_api.h"
#include "drivers/gdi/raster_picture.h"

// An image of the GDI-style driver: a memory bitmap in premultiplied ARGB. It starts with its
// colour key set to magenta and in use.
class LUMSEL_API USurfaceGdi : public USurface {
 public:
  USurfaceGdi();

  // Allocates `width` x `height` pixels of transparent black. False, leaving the surface without
  // pixels, for a size that is not positive or larger than the driver allows.
  bool Create(int width, int height);
  // Takes `picture` as this surface's pixels, and its size.
  void Adopt(URasterPicture picture);

  // The size given to Create, also after Release.
  int GetWidth() override { return m_Width; }
  int GetHeight() override { return m_Height; }
  // Draws the `src` rectangle of `source`, another surface of this driver, into `dst`, with no
  // zoom or origin: stretched to `dst`, mirrored as `fx` says, leaving out transparent pixels
  // and the source's colour key when the source uses one. False when `source` is not a surface
  // of this driver or a rectangle is missing.
  bool BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) override;
  // Frees the pixels; the size stays readable.
  bool Release() override;
  // Fills the whole surface with the red, green and blue of `color` (0x..RRGGBB), opaque.
  bool Clear(uint32_t color) override;

  const URasterPicture& GetPicture() const { return m_Picture; }
  URasterPicture& GetPicture() { return m_Picture; }

 private:
  URasterPicture m_Picture;
  int32_t m_Width = 0;
  int32_t m_Height = 0;
};

// The blend mode of a draw of `surface` with the effects `fx` (null for a plain draw): the
// mirror bits, and the colour key when the surface uses one.
TBlendMode BlendModeOf(const USurface& surface, const BLTFX* fx);
