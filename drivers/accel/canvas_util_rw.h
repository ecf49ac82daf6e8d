#pragma once

#include "core/canvas/canvas_util.h"
#include "drivers/accel/engine/rw_engine.h"
#include "drivers/accel/tessel_api.h"

// The accelerated driver's factory. It owns the engine: Init opens it in the window host's GL
// context and DeInit closes it. One factory may be initialised in a process at a time.
class TESSEL_API UCanvasUtilRw : public UCanvasUtil {
 public:
  // Registers the image readers, so files decode before the engine opens.
  UCanvasUtilRw();
  // The factory owns the engine and cannot be shared by copying.
  UCanvasUtilRw(const UCanvasUtilRw&) = delete;
  UCanvasUtilRw& operator=(const UCanvasUtilRw&) = delete;
  ~UCanvasUtilRw() override;

  // Keeps the window, opens the engine in its GL context and registers the PNG and BMP readers.
  // Returns 1, or 0 when the engine cannot open (no window, no current 3.3 context, another
  // engine open).
  int Init(HWND window) override;
  // Closes the engine, deleting every GL object it made. Returns 1.
  int DeInit() override;
  // A blank (transparent) surface; `flags` is the raster type and format word (0: a normal
  // 8888 raster). Null without an open engine or for a size outside the image cap.
  USurface* CreateUSurface(int width, int height, int flags) override;
  // A surface holding the PNG or BMP file at `path` (the size arguments are ignored); a texture of
  // the same version of the file already in the texture dictionary is shared (RwEngine::
  // ReadTexture). Without an open engine the surface keeps the decoded picture, with its size,
  // until UploadSurface. Null when the file cannot be read or decoded.
  USurface* CreateUSurfaceFromFile(const char* path, int width, int height) override;
  // Makes a surface that keeps a decoded picture a texture, once the engine is open. True when
  // the surface is one of this driver's and holds a texture afterwards.
  bool UploadSurface(USurface* surface);
  // Registers the image readers for "png" and "bmp" (Init does this too).
  void InitPlugins();

  RwEngine* GetEngine() { return &m_Engine; }

 private:
  RwEngine m_Engine;
};
