#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/canvas.h"
#include "drivers/gdi/lumsel_api.h"
#include "drivers/gdi/raster_picture.h"

// The canvas of the GDI-style driver. The back buffer is a memory bitmap the size given to
// CreateCanvas; drawing maps canvas units to its pixels by zoom and origin, and Present hands the
// clip extent of it to the window host as an opaque picture.
//
// Surfaces drawn here are this driver's (USurfaceGdi); others are ignored. Colours of lines and
// text are 0x..RRGGBB and drawn opaque; the background colour is 0xAARRGGBB.
class LUMSEL_API UCanvasGdi : public UCanvas {
 public:
  // Keeps the window the picture is presented to; returns 1.
  int Init(HWND window) override;
  // Makes a back buffer of `width` x `height` transparent black pixels and sets the clip extent
  // to that size. False for a size the driver cannot make (not positive, or too many pixels).
  bool CreateCanvas(UCanvasUtil* util, int width, int height) override;
  void SetBackSize(int width, int height) override;
  // Fills the clip extent with an opaque vertical gradient from the background colour in the top
  // row to white below the bottom row; returns 1.
  int Clear() override;
  // Hands the clip extent of the back buffer to the window host; returns 1.
  int Present() override;
  // Reads the clip extent from the window's client area (windowed) or the screen size (full
  // screen); returns 1.
  int UpdateBounds() override;
  // Frees the back buffer and forgets the window; returns 1.
  int Release() override;
  // Reading pixels back is not offered; returns 0.
  uint32_t GetColor(int x, int y) override;
  // `text` (bytes in the document's code page) at back-buffer pixel (x, y), not mapped by zoom or
  // origin, on an opaque box of the background colour. Draws nothing without a QGuiApplication.
  void DrawTextA(int x, int y, const char* text, uint32_t color) override;
  // Draws the `src` rectangle of `surface` into `dst`: stretched to the zoomed destination and
  // mirrored as `fx` says (the other effects are not drawn). Transparent pixels and the colour
  // key of a surface that uses one leave the back buffer untouched; the rest blends source-over.
  void DrawSurface(const URect* dst, USurface* surface, const URect* src, const BLTFX* fx) override;
  // A line of `width` pixels (not zoomed) between the mapped points; a line up to one pixel wide
  // leaves its end point out.
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) override;
  // Circles are not drawn by this driver.
  void DrawCircle(int x, int y, int radius, uint32_t color) override;
  // Nothing to bring up to date; returns 1.
  virtual int UpDate();

  // For tools that export pictures with their alpha: fills the clip extent with transparent
  // black (0x00000000) in place of Clear; returns 1.
  int ClearTransparent();
  // When set, Present hands the host straight (not premultiplied) alpha in place of the opaque
  // picture a window shows, so that what was drawn on a ClearTransparent back buffer keeps its
  // transparency. Off by default.
  void SetPresentAlpha(bool straightAlpha) { m_bPresentAlpha = straightAlpha; }

 private:
  // A canvas coordinate in back-buffer pixels along one axis.
  int64_t MapX(int32_t x) const { return int64_t{m_Zoom} * x + m_OriginX; }
  int64_t MapY(int32_t y) const { return int64_t{m_Zoom} * y + m_OriginY; }

  HWND m_Window = nullptr;
  URasterPicture m_BackBuffer;
  bool m_bPresentAlpha = false;
  // The picture handed to the window host, kept between frames.
  std::vector<uint8_t> m_Presented;
};
