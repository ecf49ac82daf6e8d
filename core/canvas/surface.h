#pragma once

#include <cstdint>

#include "core/canvas/blt_fx.h"
#include "core/core_api.h"
#include "core/foundation/rect.h"

// An image a driver can draw onto the canvas or onto another surface. The destructor frees
// nothing of the driver's; owners call Release() first (materials do).
class CORE_API USurface {
 public:
  USurface() = default;
  USurface(const USurface&) = default;
  USurface& operator=(const USurface&) = default;
  virtual ~USurface();

  virtual int GetWidth() = 0;
  virtual int GetHeight() = 0;
  // No driver resizes; returns 1.
  virtual int ReSize(int width, int height, int flags);
  // Draws the `src` rectangle of `source` into `dst` of this surface.
  virtual bool BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) = 0;
  virtual bool SetColorKey(uint32_t key);
  // Frees the pixel storage; the object stays and may be destroyed afterwards.
  virtual bool Release() = 0;
  // Fills the whole surface with one colour.
  virtual bool Clear(uint32_t color) = 0;

  bool UsesColorKey() const { return m_bColorKey; }
  uint32_t GetColorKey() const { return m_ColorKey; }

 protected:
  // When set, plain draws of this surface leave pixels of the colour key out.
  bool m_bColorKey = false;
  uint32_t m_ColorKey = 0;
};
