#pragma once

#include "core/canvas/material.h"
#include "core/canvas/window_host.h"
#include "core/core_api.h"

class USurface;

// A driver's factory for surfaces and materials, bound to the window it serves.
class CORE_API UCanvasUtil {
 public:
  UCanvasUtil() = default;
  UCanvasUtil(const UCanvasUtil&) = default;
  UCanvasUtil& operator=(const UCanvasUtil&) = default;
  virtual ~UCanvasUtil();

  // Returns 1 on success.
  virtual int Init(HWND window) = 0;
  virtual int DeInit() = 0;
  // A new blank surface owned by the caller, or null. `flags` is a driver-specific creation word;
  // pass 0.
  virtual USurface* CreateUSurface(int width, int height, int flags) = 0;
  // A new surface holding the decoded image, owned by the caller, or null when the file cannot be
  // read. The size arguments are ignored.
  virtual USurface* CreateUSurfaceFromFile(const char* path, int width, int height) = 0;

  // The screen size of the factory's window, or 0 without a window.
  int GetDeviceWidth() const;
  int GetDeviceHeight() const;

  // A new material of the given kind made through this factory, owned by the caller; null for an
  // unknown kind, an unreadable file or a surface the driver cannot create. Tile kinds are not
  // available yet and give null.
  UMaterial* CreateUMaterial(MatType type, MatCreateParam& param);

  HWND GetWindow() const { return m_Window; }

 protected:
  HWND m_Window = nullptr;
};
