#pragma once

#include "core/canvas/canvas_util.h"
#include "drivers/gdi/lumsel_api.h"

// The factory of the GDI-style driver: makes its surfaces, blank or decoded from image files.
class LUMSEL_API UCanvasUtilGdi : public UCanvasUtil {
 public:
  // Keeps the window; returns 1.
  int Init(HWND window) override;
  // Returns 1.
  int DeInit() override;
  // A new USurfaceGdi of transparent black pixels, owned by the caller, or null for a size the
  // driver cannot make. `flags` is ignored.
  USurface* CreateUSurface(int width, int height, int flags) override;
  // A new USurfaceGdi holding the PNG or BMP image in the file at `path`, owned by the caller,
  // with its colour key set to magenta; null when the file cannot be read, is damaged or cut
  // short, or holds more pixels than the driver allows.
  // An image with an alpha channel keeps it; in any other image magenta pixels become
  // transparent and the rest opaque. `width` and `height` are ignored.
  USurface* CreateUSurfaceFromFile(const char* path, int width, int height) override;
};
