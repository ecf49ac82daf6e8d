#include "core/canvas/material.h"

#include "core/canvas/surface.h"

UMaterial::~UMaterial() {
  ReleaseMainSurface();
}

uint32_t UMaterial::Width() {
  return m_MainSurface == nullptr ? 0 : static_cast<uint32_t>(m_MainSurface->GetWidth());
}

uint32_t UMaterial::Height() {
  return m_MainSurface == nullptr ? 0 : static_cast<uint32_t>(m_MainSurface->GetHeight());
}

bool UMaterial::Reflash() {
  return true;
}

bool UMaterial::Release() {
  ReleaseMainSurface();
  return true;
}

void UMaterial::ReleaseMainSurface() {
  if (m_MainSurface == nullptr) {
    return;
  }
  m_MainSurface->Release();
  delete m_MainSurface;
  m_MainSurface = nullptr;
}

UMaterialBmp::~UMaterialBmp() = default;

bool UMaterialBmp::Release() {
  ReleaseMainSurface();
  return true;
}
