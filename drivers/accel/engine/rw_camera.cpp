#include "drivers/accel/engine/rw_camera.h"

#include "drivers/accel/engine/gl_read_pixels.h"
#include "drivers/accel/engine/gl_state_backup.h"
#include "drivers/accel/engine/rw_engine.h"

namespace {

// Copies the colour of one camera raster into another of the same size, pixel for pixel.
bool CopyColor(const RwRaster* from, const RwRaster* to) {
  if (from->GetGlFramebuffer() == 0 || to->GetGlFramebuffer() == 0 ||
      from->GetWidth() != to->GetWidth() || from->GetHeight() != to->GetHeight()) {
    return false;
  }
  RwGlStateBackup backup;
  backup.Capture();
  glBindFramebuffer(GL_READ_FRAMEBUFFER, from->GetGlFramebuffer());
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, to->GetGlFramebuffer());
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glBlitFramebuffer(0, 0, from->GetWidth(), from->GetHeight(), 0, 0, to->GetWidth(),
                    to->GetHeight(), GL_COLOR_BUFFER_BIT, GL_NEAREST);
  backup.Restore();
  return true;
}

}  // namespace

RwCamera* RwCamera::Create(RwEngine* engine, int width, int height, bool withZBuffer) {
  RwRaster* raster = RwRaster::Create(engine, width, height, rwRASTERTYPECAMERA);
  if (raster == nullptr) {
    return nullptr;
  }
  RwRaster* zRaster = nullptr;
  if (withZBuffer) {
    zRaster = RwRaster::Create(engine, width, height, rwRASTERTYPEZBUFFER);
    if (zRaster == nullptr) {
      RwRaster::Destroy(raster);
      return nullptr;
    }
    RwGlStateBackup backup;
    backup.Capture();
    glBindFramebuffer(GL_FRAMEBUFFER, raster->GetGlFramebuffer());
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                              zRaster->GetGlRenderbuffer());
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    backup.Restore();
    if (!complete) {
      RwRaster::Destroy(zRaster);
      RwRaster::Destroy(raster);
      return nullptr;
    }
  }
  return new RwCamera(raster, zRaster);
}

void RwCamera::Destroy(RwCamera* camera) {
  delete camera;
}

RwCamera::~RwCamera() {
  EndUpdate();
  RwRaster::Destroy(m_Raster);
  RwRaster::Destroy(m_ZRaster);
}

RwEngine* RwCamera::Engine() const {
  RwEngine* engine = m_Raster->GetEngine();
  return engine != nullptr && engine->MakeCurrent() ? engine : nullptr;
}

bool RwCamera::Clear(const RwRGBA& color, int32_t mode) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return false;
  }
  engine->Flush();  // what was drawn before the clear goes first
  RwGlStateBackup backup;
  backup.Capture();
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, m_Raster->GetGlFramebuffer());
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glDepthMask(GL_TRUE);
  glClearColor(color.red / 255.0f, color.green / 255.0f, color.blue / 255.0f, color.alpha / 255.0f);
  glClearDepth(1.0);
  GLbitfield mask = 0;
  if ((mode & rwCAMERACLEARIMAGE) != 0) {
    mask |= GL_COLOR_BUFFER_BIT;
  }
  if ((mode & rwCAMERACLEARZ) != 0 && m_ZRaster != nullptr) {
    mask |= GL_DEPTH_BUFFER_BIT;
  }
  glClear(mask);
  backup.Restore();
  return true;
}

bool RwCamera::BeginUpdate() {
  RwEngine* engine = Engine();
  return engine != nullptr && engine->BeginCameraUpdate(this);
}

void RwCamera::EndUpdate() {
  RwEngine* engine = m_Raster->GetEngine();
  if (engine != nullptr && engine->GetCurrentCamera() == this) {
    engine->EndCameraUpdate();
  }
}

bool RwCamera::ShowRaster(UWindowHost* host) {
  RwEngine* engine = Engine();
  if (host == nullptr || engine == nullptr) {
    return false;
  }
  engine->Flush();
  // GL rows run bottom-up: aligning the tops means offsetting by the difference in height.
  const int bottom = host->GetClientRect().GetHeight() - m_Raster->GetHeight();
  RwGlStateBackup backup;
  backup.Capture();
  engine->DrawPictureOpaque(m_Raster, host->GetFramebuffer(), bottom);
  backup.Restore();
  host->SwapBuffers();
  return true;
}

bool RwCamera::CopyPictureTo(RwRaster* target) {
  RwEngine* engine = Engine();
  if (engine == nullptr || target == nullptr) {
    return false;
  }
  engine->Flush();
  return CopyColor(m_Raster, target);
}

bool RwCamera::CopyPictureFrom(const RwRaster* source) {
  RwEngine* engine = Engine();
  if (engine == nullptr || source == nullptr) {
    return false;
  }
  engine->Flush();
  return CopyColor(source, m_Raster);
}

bool RwCamera::ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order) {
  RwEngine* engine = Engine();
  if (engine == nullptr) {
    return false;
  }
  engine->Flush();
  return RwGlReadFramebuffer(m_Raster->GetGlFramebuffer(), m_Raster->GetWidth(),
                             m_Raster->GetHeight(), pixels, stride, order);
}
