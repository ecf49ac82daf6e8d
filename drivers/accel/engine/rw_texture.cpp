#include "drivers/accel/engine/rw_texture.h"

#include <algorithm>

RwTexture* RwTexture::Create(RwRaster* raster) {
  return raster == nullptr ? nullptr : new RwTexture(raster);
}

void RwTexture::Destroy(RwTexture* texture) {
  if (texture != nullptr && --texture->m_RefCount == 0) {
    delete texture;
  }
}

RwTexture::~RwTexture() {
  if (m_Dictionary != nullptr) {
    m_Dictionary->RemoveTexture(this);
  }
  RwRaster::Destroy(m_Raster);
}

RwTexDictionary::~RwTexDictionary() {
  for (RwTexture* texture : m_Textures) {
    texture->m_Dictionary = nullptr;
  }
}

void RwTexDictionary::AddTexture(RwTexture* texture) {
  if (texture->m_Dictionary != nullptr) {
    texture->m_Dictionary->RemoveTexture(texture);
  }
  m_Textures.push_back(texture);
  texture->m_Dictionary = this;
}

void RwTexDictionary::RemoveTexture(RwTexture* texture) {
  const auto found = std::find(m_Textures.begin(), m_Textures.end(), texture);
  if (found != m_Textures.end()) {
    m_Textures.erase(found);
    texture->m_Dictionary = nullptr;
  }
}

RwTexture* RwTexDictionary::FindNamedTexture(const std::string& name) const {
  const auto found = std::find_if(m_Textures.begin(), m_Textures.end(),
                                  [&](const RwTexture* t) { return t->GetName() == name; });
  return found == m_Textures.end() ? nullptr : *found;
}
