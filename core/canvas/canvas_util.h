#pragma once

#include "core/canvas/material.h"
#include "core/canvas/window_host.h"
#include "core/core_api.h"

class USurface;
class UMaterialTile;
class UCanvasUtil;

// Makes one kind of material through a driver's factory; null when it cannot.
using TMaterialMaker = UMaterial* (*)(UCanvasUtil& factory, const MatCreateParam& param);

// A driver's factory for surfaces and materials, bound to the window it serves.
//
// The canvas layer makes bitmap materials itself. The tile kinds belong to the tile formats,
// which build on the canvas: they set their makers here (SetMaterialMaker) while Core is loaded,
// before any caller can ask, and define CreateUMaterialTile.
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
  // unknown kind, an unreadable file or a surface the driver cannot create. MAT_TILE loads the
  // STX file param.fileName (CreateUMaterialTile); MAT_TILEMAP makes a map of empty cells of
  // (width / tileWidth) x (height / tileHeight) tiles on a width x height surface, and needs
  // positive tile sizes.
  UMaterial* CreateUMaterial(MatType type, MatCreateParam& param);
  // A new tile material (owned by the caller) composed from the STX file at `path` and its tile
  // set, which lies beside it (in the current directory for a path without one); null when
  // either cannot be read or a surface cannot be made. Defined by the tile formats.
  UMaterialTile* CreateUMaterialTile(const char* path);

  // Sets the maker that CreateUMaterial uses for `type` (MAT_TILE or MAT_TILEMAP; MAT_BMP is the
  // canvas layer's own). Makers are set while Core loads; a kind without one gives null.
  static void SetMaterialMaker(MatType type, TMaterialMaker maker);

  HWND GetWindow() const { return m_Window; }

 protected:
  HWND m_Window = nullptr;
};
