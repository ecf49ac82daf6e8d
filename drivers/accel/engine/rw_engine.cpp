#include "drivers/accel/engine/rw_engine.h"

#include <epoxy/gl.h>

#include <algorithm>
#include <utility>

#include "drivers/accel/engine/rw_camera.h"
#include "drivers/accel/engine/rw_raster.h"

namespace {

// One engine a process: the engine's state (readers, dictionary, render states) is global to
// the drawing it serves.
bool g_EngineOpen = false;

}  // namespace

RwEngine::~RwEngine() {
  Close();
}

bool RwEngine::Open(UWindowHost* host) {
  if (g_EngineOpen || host == nullptr || !host->MakeContextCurrent() || epoxy_gl_version() < 33) {
    return false;
  }
  RwGlStateBackup backup;
  backup.Capture();
  const bool built = m_Im2D.Create() && m_Present.Create();
  backup.Restore();
  if (!built) {
    m_Im2D.Destroy();
    m_Present.Destroy();
    return false;
  }
  g_EngineOpen = true;
  m_Host = host;
  m_TexDictionary = std::make_unique<RwTexDictionary>();
  return true;
}

void RwEngine::Close() {
  if (m_Host == nullptr) {
    return;
  }
  const bool current = MakeCurrent();
  if (m_CurrentCamera != nullptr) {
    EndCameraUpdate();
  }
  ReleaseKeptTextures();
  // Rasters leave the list as they drop their GL objects.
  while (!m_Rasters.empty()) {
    m_Rasters.back()->DropGlObjects();
  }
  if (current) {
    m_Im2D.Destroy();
    m_Present.Destroy();
  } else {
    m_Im2D.Abandon();
    m_Present.Abandon();
  }
  m_TexDictionary.reset();
  m_Host = nullptr;
  g_EngineOpen = false;
}

bool RwEngine::MakeCurrent() {
  return m_Host != nullptr && m_Host->MakeContextCurrent();
}

RwTexture* RwEngine::ReadTexture(const std::string& path) {
  if (!IsOpen()) {
    return nullptr;
  }
  RwTexture* named = m_TexDictionary->FindNamedTexture(path);
  // A texture read from a stream has no file behind it: the dictionary is where it is found.
  if (named != nullptr && !named->GetFileVersion().has_value()) {
    named->AddRef();
    return named;
  }
  RwImageFile file;
  if (!m_Readers.Load(path, &file)) {
    return nullptr;
  }
  const uint64_t version = file.Version();
  if (named != nullptr) {
    if (*named->GetFileVersion() == version) {
      named->AddRef();
      return named;
    }
    // The file changed since it was read: later reads get the new picture.
    m_TexDictionary->RemoveTexture(named);
  }
  RwImage image;
  if (!file.Decode(&image)) {
    return nullptr;
  }
  RwTexture* texture = CreateTexture(image);
  if (texture == nullptr) {
    return nullptr;
  }
  texture->SetName(path);
  texture->SetFileVersion(version);
  m_TexDictionary->AddTexture(texture);
  return texture;
}

RwTexture* RwEngine::CreateTexture(const RwImage& image) {
  RwRaster* raster =
      RwRaster::Create(this, image.width, image.height,
                       static_cast<int32_t>(rwRASTERTYPETEXTURE) | rwRASTERFORMAT8888);
  if (raster == nullptr || !raster->SetPixels(image.pixels.data())) {
    RwRaster::Destroy(raster);
    return nullptr;
  }
  return RwTexture::Create(raster);
}

void RwEngine::ResetTexDictionary() {
  if (!IsOpen()) {
    return;
  }
  const std::vector<RwTexture*> textures = m_TexDictionary->GetTextures();
  for (RwTexture* texture : textures) {
    m_TexDictionary->RemoveTexture(texture);
  }
  ReleaseKeptTextures();
}

void RwEngine::ReleaseKeptTextures() {
  // Taken out first: the last reference going may destroy a raster, which calls back into the
  // engine.
  const std::vector<RwTexture*> kept = std::move(m_KeptTextures);
  m_KeptTextures.clear();
  for (RwTexture* texture : kept) {
    RwTexture::Destroy(texture);
  }
}

void RwEngine::KeepTexture(RwTexture* texture) {
  if (!IsOpen()) {
    RwTexture::Destroy(texture);
  } else if (texture != nullptr) {
    m_KeptTextures.push_back(texture);
  }
}

void RwEngine::SetRenderState(RwRenderState state, int32_t value) {
  m_Im2D.SetRenderState(state, value);
}

void RwEngine::SetTextureRaster(RwRaster* raster) {
  m_Im2D.SetTextureRaster(raster);
}

bool RwEngine::Im2DRenderPrimitive(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count) {
  return m_Im2D.Render(type, vertices, count);
}

void RwEngine::Flush() {
  m_Im2D.Flush();
}

int RwEngine::GetDrawCallCount() const {
  return m_Im2D.GetDrawCallCount();
}

void RwEngine::DrawPictureOpaque(const RwRaster* picture, GLuint framebuffer, int bottom) {
  m_Present.Draw(picture->GetGlTexture(), picture->GetWidth(), picture->GetHeight(), framebuffer,
                 bottom);
}

bool RwEngine::BeginCameraUpdate(RwCamera* camera) {
  if (m_CurrentCamera == camera) {
    return true;
  }
  if (m_CurrentCamera != nullptr) {
    EndCameraUpdate();
  }
  if (!MakeCurrent()) {
    return false;
  }
  m_UpdateBackup.Capture();
  RwRaster* raster = camera->GetRaster();
  glBindFramebuffer(GL_FRAMEBUFFER, raster->GetGlFramebuffer());
  m_Im2D.Begin(raster->GetWidth(), raster->GetHeight());
  m_CurrentCamera = camera;
  return true;
}

void RwEngine::EndCameraUpdate() {
  if (m_CurrentCamera == nullptr) {
    return;
  }
  if (MakeCurrent()) {
    m_Im2D.End();
    m_UpdateBackup.Restore();
  }
  m_CurrentCamera = nullptr;
}

void RwEngine::AttachRaster(RwRaster* raster) {
  m_Rasters.push_back(raster);
}

void RwEngine::DetachRaster(RwRaster* raster) {
  m_Rasters.erase(std::remove(m_Rasters.begin(), m_Rasters.end(), raster), m_Rasters.end());
  if (m_Im2D.GetTextureRaster() == raster) {
    m_Im2D.SetTextureRaster(nullptr);
  }
  if (m_CurrentCamera != nullptr && m_CurrentCamera->GetRaster() == raster) {
    EndCameraUpdate();
  }
}
