#pragma once

#include <cstdint>

#include "core/canvas/blt_fx.h"
#include "core/canvas/window_host.h"
#include "core/core_api.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"

class UCanvasUtil;
class UMaterial;
class USurface;

// A drawing target with a back buffer that is presented to a window. Drivers supply the drawing;
// Core supplies coordinates, zoom, rectangles, grids and tiles on top of DrawLine and DrawSurface.
// Canvas units map to back-buffer pixels by zoom (and, in drivers that use it, the origin).
class CORE_API UCanvas {
 public:
  static constexpr int kMinZoom = 1;
  static constexpr int kMaxZoom = 8;
  static constexpr int kMaxDeviceZoom = 64;

  UCanvas() = default;
  UCanvas(const UCanvas&) = default;
  UCanvas& operator=(const UCanvas&) = default;
  virtual ~UCanvas();

  // Returns 1 on success.
  virtual int Init(HWND window) = 0;
  // Creates the back buffer and sets the clip extent to its size.
  virtual bool CreateCanvas(UCanvasUtil* util, int width, int height) = 0;
  virtual void SetBackSize(int width, int height) = 0;
  // Fills the back buffer from the background colour.
  virtual int Clear() = 0;
  // Shows the back buffer in the window.
  virtual int Present() = 0;
  virtual int UpdateBounds() = 0;
  // Frees the back buffer and the window resources.
  virtual int Release() = 0;
  virtual uint32_t GetColor(int x, int y) = 0;
  // Text at back-buffer pixel (x, y), not mapped by zoom.
  virtual void DrawTextA(int x, int y, const char* text, uint32_t color) = 0;
  // Draws the `src` rectangle of `surface` into `dst`, both in canvas units; a null `fx` is a
  // plain draw.
  virtual void DrawSurface(const URect* dst, USurface* surface, const URect* src,
                           const BLTFX* fx) = 0;
  virtual void DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) = 0;
  virtual void DrawCircle(int x, int y, int radius, uint32_t color) = 0;
  // No driver draws materials directly; tiles go through DrawTile.
  virtual void DrawMaterial(const URect* dst, UMaterial* material, const URect* src,
                            const BLTFX* fx);
  // The four edges as lines of width 1: left, top, right, bottom.
  virtual void DrawRect(float left, float top, float right, float bottom, uint32_t color);
  // Grid lines every cell across the clip extent, from the given offset; none at the offset
  // itself. Cell sizes below 1 draw nothing.
  virtual void DrawGrid(int offsetX, int offsetY, int cellWidth, int cellHeight, uint32_t color);
  // The same grid from the canvas origin.
  virtual void DrawGrid(int cellWidth, int cellHeight, uint32_t color);
  // A plain (colour-keyed) draw of the material's main surface.
  virtual void DrawTile(UMaterial* material, const URect* dst, const URect* src);
  // The material's main surface at (x, y) at its source size, through the effects path.
  virtual void DrawTile(UMaterial* material, uint32_t x, uint32_t y, const URect* src);

  // Each stores both values truncated toward zero.
  void SetOrigin(float x, float y);
  void SetPos(float x, float y);
  void SetClip(float width, float height);
  void SetBackGroundColor(uint32_t color) { m_BackgroundColor = color; }
  // One zoom step up or down, kept within 1 to 8; returns the new zoom.
  int ZoomIn();
  int ZoomOut();
  // Any whole zoom from 1 to kMaxDeviceZoom: a scaled screen multiplies the steps above by its
  // pixel ratio. Returns the zoom set.
  int SetZoom(int zoom);
  // A back-buffer point to canvas units, in place: divided by zoom, plus the origin.
  void ScreenToCanvas(UPoint* point) const;

  int GetZoom() const { return m_Zoom; }
  UPoint GetOrigin() const { return {m_OriginX, m_OriginY}; }
  UPoint GetPos() const { return {m_PosX, m_PosY}; }
  int GetClipWidth() const { return m_ClipWidth; }
  int GetClipHeight() const { return m_ClipHeight; }
  uint32_t GetBackGroundColor() const { return m_BackgroundColor; }
  bool IsWindowed() const { return m_bWindowed != 0; }

 protected:
  int32_t m_OriginX = 0;
  int32_t m_OriginY = 0;
  int32_t m_ClipWidth = 0;
  int32_t m_ClipHeight = 0;
  int32_t m_PosX = 0;
  int32_t m_PosY = 0;
  int32_t m_Zoom = 1;
  uint32_t m_BackgroundColor = 0;
  URect m_WindowBounds{0, 0, 0, 0};  // the client area on the screen
  URect m_ClientRect{0, 0, 0, 0};    // (0, 0, width, height) of the same area
  int32_t m_bWindowed = 1;
};
