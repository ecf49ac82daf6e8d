#include "drivers/gdi/canvas_util_gdi.h"

#include <memory>
#include <utility>

#include "drivers/gdi/image_file.h"
#include "drivers/gdi/surface_gdi.h"

int UCanvasUtilGdi::Init(HWND window) {
  m_Window = window;
  return 1;
}

int UCanvasUtilGdi::DeInit() {
  return 1;
}

USurface* UCanvasUtilGdi::CreateUSurface(int width, int height, int /*flags*/) {
  auto surface = std::make_unique<USurfaceGdi>();
  if (!surface->Create(width, height)) {
    return nullptr;
  }
  return surface.release();
}

USurface* UCanvasUtilGdi::CreateUSurfaceFromFile(const char* path, int /*width*/, int /*height*/) {
  URasterPicture picture;
  if (!ReadImageFile(path, picture)) {
    return nullptr;
  }
  auto surface = std::make_unique<USurfaceGdi>();
  surface->Adopt(std::move(picture));
  surface->SetColorKey(kColorKeyMagenta);
  return surface.release();
}
