#include "core/canvas/canvas_util.h"

#include <cstring>

#include "core/canvas/surface.h"

UCanvasUtil::~UCanvasUtil() = default;

int UCanvasUtil::GetDeviceWidth() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenWidth();
}

int UCanvasUtil::GetDeviceHeight() const {
  return m_Window == nullptr ? 0 : m_Window->GetScreenHeight();
}

UMaterial* UCanvasUtil::CreateUMaterial(MatType type, MatCreateParam& param) {
  if (type != MAT_BMP) {
    return nullptr;
  }
  // A name that fills its whole buffer has lost its end; it names no file we can trust.
  if (strnlen(param.fileName, sizeof(param.fileName)) == sizeof(param.fileName)) {
    return nullptr;
  }
  USurface* surface = CreateUSurfaceFromFile(param.fileName, param.width, param.height);
  if (surface == nullptr) {
    return nullptr;
  }
  return new UMaterialBmp(surface);
}
