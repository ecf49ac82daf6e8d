#include "drivers/accel/surface_rw.h"

#include "drivers/accel/engine/rw_engine.h"

USurfaceRw::~USurfaceRw() = default;

int USurfaceRw::GetWidth() {
  return m_Texture == nullptr ? m_Picture.width : m_Texture->GetRaster()->GetWidth();
}

int USurfaceRw::GetHeight() {
  return m_Texture == nullptr ? m_Picture.height : m_Texture->GetRaster()->GetHeight();
}

bool USurfaceRw::Upload(RwEngine* engine) {
  if (m_Texture == nullptr && IsWaitingForUpload() && engine != nullptr) {
    m_Texture = engine->CreateTexture(m_Picture);
    if (m_Texture != nullptr) {
      m_Picture = RwImage();
    }
  }
  return m_Texture != nullptr;
}

int USurfaceRw::GetBpp() {
  if (m_Texture == nullptr) {
    return -1;
  }
  switch (m_Texture->GetRaster()->GetFormat()) {
    case 0x500:
    case 0x800:
    case 0x900:
    case 0x1000:
      return 32;
    case 0x600:
      return 24;
    case 0x700:
    case 0xA00:
      return 16;
    case 0x2000:
      return 8;
    case 0x4000:
      return 4;
    default:
      return -1;
  }
}

bool USurfaceRw::BitBlt(const URect* /*dst*/, USurface* /*source*/, const URect* /*src*/,
                        const BLTFX* /*fx*/) {
  return true;
}

bool USurfaceRw::SetColorKey(uint32_t /*key*/) {
  return false;
}

bool USurfaceRw::Release() {
  RwTexture::Destroy(m_Texture);
  m_Texture = nullptr;
  m_Picture = RwImage();
  return true;
}

bool USurfaceRw::Clear(uint32_t color) {
  return m_Texture != nullptr && m_Texture->GetRaster()->Fill(color);
}
