#include "drivers/gdi/surface_gdi.h"

#include <utility>

USurfaceGdi::USurfaceGdi() {
  m_bColorKey = true;
  m_ColorKey = kColorKeyMagenta;
}

bool USurfaceGdi::Create(int width, int height) {
  if (!m_Picture.Create(width, height)) {
    m_Width = 0;
    m_Height = 0;
    return false;
  }
  m_Width = width;
  m_Height = height;
  return true;
}

void USurfaceGdi::Adopt(URasterPicture picture) {
  m_Picture = std::move(picture);
  m_Width = m_Picture.Width();
  m_Height = m_Picture.Height();
}

bool USurfaceGdi::BitBlt(const URect* dst, USurface* source, const URect* src, const BLTFX* fx) {
  auto* from = dynamic_cast<USurfaceGdi*>(source);
  if (dst == nullptr || src == nullptr || from == nullptr) {
    return false;
  }
  const TPixelRect to{dst->left, dst->top, int64_t{dst->right} - dst->left,
                      int64_t{dst->bottom} - dst->top};
  const TPixelRect from_rect{src->left, src->top, int64_t{src->right} - src->left,
                             int64_t{src->bottom} - src->top};
  m_Picture.Blend(to, from->GetPicture(), from_rect, BlendModeOf(*from, fx));
  return true;
}

bool USurfaceGdi::Release() {
  m_Picture.Free();
  return true;
}

bool USurfaceGdi::Clear(uint32_t color) {
  m_Picture.Fill({0, 0, m_Picture.Width(), m_Picture.Height()}, 0xFF000000u | color);
  return true;
}

TBlendMode BlendModeOf(const USurface& surface, const BLTFX* fx) {
  TBlendMode mode;
  if (fx != nullptr) {
    mode.mirrorX = (fx->flags & BLTFX_MIRRORX) != 0;
    mode.mirrorY = (fx->flags & BLTFX_MIRRORY) != 0;
  }
  mode.keyed = surface.UsesColorKey();
  mode.key = surface.GetColorKey();
  return mode;
}
