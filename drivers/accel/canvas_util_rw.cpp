#include "drivers/accel/canvas_util_rw.h"

#include <utility>

#include "drivers/accel/engine/bmp_reader.h"
#include "drivers/accel/engine/png_reader.h"
#include "drivers/accel/surface_rw.h"

UCanvasUtilRw::UCanvasUtilRw() {
  InitPlugins();
}

UCanvasUtilRw::~UCanvasUtilRw() {
  DeInit();
}

int UCanvasUtilRw::Init(HWND window) {
  m_Window = window;
  if (!m_Engine.Open(window)) {
    return 0;
  }
  InitPlugins();
  return 1;
}

int UCanvasUtilRw::DeInit() {
  m_Engine.Close();
  return 1;
}

void UCanvasUtilRw::InitPlugins() {
  m_Engine.GetImageReaders().Register("png", RwPngRead);
  m_Engine.GetImageReaders().Register("bmp", RwBmpRead);
}

USurface* UCanvasUtilRw::CreateUSurface(int width, int height, int flags) {
  RwRaster* raster = RwRaster::Create(&m_Engine, width, height, flags);
  if (raster == nullptr) {
    return nullptr;
  }
  return new USurfaceRw(RwTexture::Create(raster));
}

USurface* UCanvasUtilRw::CreateUSurfaceFromFile(const char* path, int /*width*/, int /*height*/) {
  if (path == nullptr) {
    return nullptr;
  }
  if (!m_Engine.IsOpen()) {
    RwImage picture;
    if (!m_Engine.GetImageReaders().ReadFile(path, &picture)) {
      return nullptr;
    }
    return new USurfaceRw(std::move(picture));
  }
  RwTexture* texture = m_Engine.ReadTexture(path);
  if (texture == nullptr) {
    return nullptr;
  }
  return new USurfaceRw(texture);
}

bool UCanvasUtilRw::UploadSurface(USurface* surface) {
  auto* rw = dynamic_cast<USurfaceRw*>(surface);
  return rw != nullptr && m_Engine.IsOpen() && rw->Upload(&m_Engine);
}
