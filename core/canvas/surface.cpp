#include "core/canvas/surface.h"

USurface::~USurface() = default;

int USurface::ReSize(int /*width*/, int /*height*/, int /*flags*/) {
  return 1;
}

bool USurface::SetColorKey(uint32_t key) {
  m_ColorKey = key;
  return true;
}
