#include "drivers/accel/engine/rw_raster.h"

#include <vector>

#include "drivers/accel/engine/gl_objects.h"
#include "drivers/accel/engine/gl_state_backup.h"
#include "drivers/accel/engine/rw_engine.h"

RwRaster::RwRaster(RwEngine* engine, int width, int height, int32_t type, int32_t format)
    : m_Engine(engine), m_Width(width), m_Height(height), m_Type(type), m_Format(format) {
  m_Engine->AttachRaster(this);
}

RwRaster::~RwRaster() {
  DropGlObjects();
}

RwRaster* RwRaster::Create(RwEngine* engine, int width, int height, int32_t flags) {
  if (engine == nullptr || !engine->IsOpen() || !RwImageWithinCap(width, height)) {
    return nullptr;
  }
  const int32_t format = (flags & rwRASTERFORMATMASK) == rwRASTERFORMATDEFAULT
                             ? rwRASTERFORMAT8888
                             : flags & rwRASTERFORMATMASK;
  auto* raster = new RwRaster(engine, width, height, flags & rwRASTERTYPEMASK, format);
  if (!raster->MakeGlObjects()) {
    Destroy(raster);
    return nullptr;
  }
  return raster;
}

void RwRaster::Destroy(RwRaster* raster) {
  delete raster;
}

bool RwRaster::MakeGlObjects() {
  if (!m_Engine->MakeCurrent()) {
    return false;
  }
  RwGlStateBackup backup;
  backup.Capture();
  // Errors the owner left behind are not ours to report; a few calls clear them.
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
  }
  bool complete = true;
  if (m_Type == rwRASTERTYPEZBUFFER) {
    m_Renderbuffer = RwGlCreate(RwGlKind::kRenderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, m_Renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, m_Width, m_Height);
  } else {
    m_Texture = RwGlCreate(RwGlKind::kTexture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, m_Texture);
    // Nearest filtering and clamped edges unless a draw asks otherwise: a texel lands on whole
    // pixels and never bleeds in from the opposite edge.
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    const std::vector<uint32_t> zeros(static_cast<size_t>(m_Width) * m_Height, 0u);
    glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, m_Width, m_Height, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 zeros.data());
    if (m_Type == rwRASTERTYPECAMERA) {
      m_Framebuffer = RwGlCreate(RwGlKind::kFramebuffer);
      glBindFramebuffer(GL_FRAMEBUFFER, m_Framebuffer);
      glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, m_Texture, 0);
      complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    }
  }
  const bool ok = complete && glGetError() == GL_NO_ERROR;
  backup.Restore();
  return ok;
}

void RwRaster::DropGlObjects() {
  if (m_Engine == nullptr) {
    return;
  }
  if (m_Engine->MakeCurrent()) {
    // A pending batch may still sample this texture or draw into this framebuffer.
    m_Engine->Flush();
    RwGlDelete(RwGlKind::kFramebuffer, &m_Framebuffer);
    RwGlDelete(RwGlKind::kTexture, &m_Texture);
    RwGlDelete(RwGlKind::kRenderbuffer, &m_Renderbuffer);
  } else {
    // A context that cannot be made current any more took the objects with it; the names are
    // forgotten, so that nothing later uses them.
    RwGlForget(RwGlKind::kFramebuffer, &m_Framebuffer);
    RwGlForget(RwGlKind::kTexture, &m_Texture);
    RwGlForget(RwGlKind::kRenderbuffer, &m_Renderbuffer);
  }
  m_Engine->DetachRaster(this);
  m_Engine = nullptr;
}

bool RwRaster::SetPixels(const uint32_t* pixels) {
  if (m_Texture == 0 || m_Engine == nullptr || !m_Engine->MakeCurrent()) {
    return false;
  }
  m_Engine->Flush();
  RwGlStateBackup backup;
  backup.Capture();
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  // 0xAARRGGBB words are bytes blue, green, red, alpha on the little-endian hosts we build for.
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, m_Width, m_Height, GL_BGRA, GL_UNSIGNED_BYTE, pixels);
  backup.Restore();
  return true;
}

bool RwRaster::GetPixels(uint32_t* pixels) const {
  if (m_Texture == 0 || m_Engine == nullptr || !m_Engine->MakeCurrent()) {
    return false;
  }
  // Draws still batched may render into this raster when it is a camera's.
  m_Engine->Flush();
  RwGlStateBackup backup;
  backup.Capture();
  // Errors the owner left behind are not ours to report; a few calls clear them.
  for (int i = 0; i < 8 && glGetError() != GL_NO_ERROR; ++i) {
  }
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, m_Texture);
  glBindBuffer(GL_PIXEL_PACK_BUFFER, 0);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  // Row 0 of the GL texture is the top row SetPixels gave it; this packing gives 0xAARRGGBB words
  // whatever the host's byte order.
  glGetTexImage(GL_TEXTURE_2D, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels);
  const bool ok = glGetError() == GL_NO_ERROR;
  backup.Restore();
  return ok;
}

bool RwRaster::Fill(uint32_t color) {
  const std::vector<uint32_t> pixels(static_cast<size_t>(m_Width) * m_Height, color);
  return SetPixels(pixels.data());
}
