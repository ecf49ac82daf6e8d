#pragma once

#include <cstdint>
#include <vector>

#include "core/canvas/canvas.h"
#include "drivers/accel/archive_rws.h"
#include "drivers/accel/engine/rw_camera.h"
#include "drivers/accel/engine/rw_engine.h"
#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// The accelerated canvas: an engine camera as the back buffer, every draw an immediate-mode 2D
// primitive. Canvas points map to camera pixels by zoom; the origin is not added. Drawing is
// valid between Clear (which begins the camera update) and Present (which ends it and shows the
// picture in the window).
class TESSEL_API UCanvasRw : public UCanvas {
 public:
  UCanvasRw();
  // The canvas owns its camera and cannot be shared by copying.
  UCanvasRw(const UCanvasRw&) = delete;
  UCanvasRw& operator=(const UCanvasRw&) = delete;
  ~UCanvasRw() override;

  // Keeps the window; returns 1.
  int Init(HWND window) override;
  // Makes the camera (with a z-buffer) at the size of the factory window's client area, with
  // near and far clip planes 0.1 and 10, and sets the clip extent to `width` x `height`. False
  // when no camera can be made (no accelerated factory, no engine open, a size out of range).
  bool CreateCanvas(UCanvasUtil* util, int width, int height) override;
  void SetBackSize(int width, int height) override;
  // Clears picture and z-buffer to the background colour and begins the camera update; 1, or 0
  // (nothing begun) without a camera.
  int Clear() override;
  // Keeps a copy of the picture drawn since Clear as the backdrop of later frames, for drawing
  // that repeats from frame to frame under everything else (a grid, axes). `key` describes
  // whatever the caller drew it from; the canvas notes its own state (background colour, zoom,
  // origin, clip extent) beside it. False, with nothing kept, without a camera.
  bool KeepBackdrop(const std::vector<int32_t>& key);
  // Clear that starts the picture from the kept backdrop instead of the background colour, when
  // one was kept for this camera, from the same `key` and with the canvas's state unchanged:
  // the z-buffer is cleared and the camera update begun, and 1 returned. Otherwise 0, with
  // nothing begun: the caller clears and draws the backdrop itself.
  int ClearToBackdrop(const std::vector<int32_t>& key);
  // Ends the update and shows the picture in the window, opaque whatever the background's alpha;
  // returns 1.
  int Present() override;
  // Follows the window: when the client size of the window the camera was made for has changed,
  // replaces the camera by one of the new size (textures are the engine's and stay); the clip
  // extent becomes the client size. 1, or 0 when no camera of the new size can be made (a
  // window shrunk to nothing): the old camera and clip extent then stay.
  int UpdateBounds() override;
  // Destroys the camera; returns 1.
  int Release() override;
  uint32_t GetColor(int x, int y) override;
  // This driver draws no text.
  void DrawTextA(int x, int y, const char* text, uint32_t color) override;
  // With quarter turns drawn (SetDrawQuarterTurns), the picture is mirrored first, then turned
  // clockwise by BLTFX_ROT90/180/270 (width and height swap at 90 and 270), then scaled by dst
  // size / src size, then freely rotated about its centre; its top-left stays at dst's.
  void DrawSurface(const URect* dst, USurface* surface, const URect* src, const BLTFX* fx) override;
  // Until changed, every textured draw (DrawSurface, DrawSurfaceRw) is tinted: its texels are
  // mixed toward white by `whiten` / 255 (kept within 0 to 255), then its colour, effects
  // included, is multiplied by `color` (0xAARRGGBB; its alpha multiplies the opacity). The
  // start, (0xFFFFFFFF, 0), draws every texel as it is.
  void SetSurfaceTint(uint32_t color, int whiten);
  uint32_t GetSurfaceTintColor() const { return m_TintColor; }
  int GetSurfaceTintWhiten() const { return m_TintWhiten; }
  // Whether DrawSurface realises the quarter-turn bits of BLTFX; off by default, when they are
  // recorded and the picture is drawn unturned.
  void SetDrawQuarterTurns(bool draw) { m_DrawQuarterTurns = draw; }
  bool GetDrawQuarterTurns() const { return m_DrawQuarterTurns; }
  // `width` is not used: lines are one pixel wide.
  void DrawLine(float x1, float y1, float x2, float y2, uint32_t color, int width) override;
  void DrawCircle(int x, int y, int radius, uint32_t color) override;

  int UpDate();
  // The `src` rectangle of `surface` placed by `matrix` (zoom does not apply), with the effects
  // of `fx` applied in the rectangle's own space. Nothing without a surface, matrix or source.
  void DrawSurface(const RwMatrixTag* matrix, USurface* surface, const RwRect* src,
                   const BLTFX* fx);
  // The whole surface placed by `matrix` with the texture coordinates `uv[0..3]` for its corners
  // (0, 0), (0, h), (w, 0), (w, h), coloured by `fx->color` (white without `fx`).
  void DrawSurfaceRw(const RwMatrixTag* matrix, USurface* surface, const RwV2d* uv,
                     const BLTFX* fx);
  // DrawCircle and DrawLine with `srcBlend` (an RwBlendFunction) as the source blend, which
  // stays in force for later draws; the line blends with vertex alpha.
  void DrawCircleRw(int x, int y, int radius, uint32_t color, int srcBlend);
  void DrawLineRw(float x1, float y1, float x2, float y2, uint32_t color, int srcBlend);

  // A camera of the given size with an optional z-buffer, owned by the caller (RwCamera::Destroy);
  // null when it cannot be made.
  RwCamera* CameraCreate(int width, int height, int withZBuffer);

  // The outline of the rectangle at `position` of `size`, turned by `angle` degrees about its
  // centre, as four DrawLine calls (so zoom applies).
  void DrawBox(RwV2d position, RwV2d size, float angle, uint32_t color, int width);
  // A filled, untextured rectangle at zoom x `position` of zoom x `size`, turned by `angle`
  // degrees about its centre.
  void DrawStockBox(RwV2d position, RwV2d size, float angle, uint32_t color);
  // A rectangle in camera pixels with one colour per corner (top-right, top-left, bottom-left,
  // bottom-right), stretched over the whole `texture` when there is one.
  void DrawGroudPanel(int x, int y, int width, int height, const RwRGBA* colors, USurface* texture);
  // One triangle of caller-made vertices, textured by `texture` when there is one.
  void DrawTrig(const RwD3D9Vertex* vertices, USurface* texture);
  // Takes every texture out of the engine's current dictionary, so the next read of a file
  // decodes it afresh; the textures stay alive for the surfaces that hold them, and those read
  // from a dictionary chunk that no surface holds are destroyed.
  void ResetTexDict();
  // Writes the engine's current dictionary into the archive's stream as one texture-dictionary
  // chunk, header included; a failure marks the archive failed.
  void SaveTexDict(UArchiveRws& ar);
  // Empties the current dictionary (ResetTexDict), then reads the next texture-dictionary chunk
  // of the archive into it: the textures are reachable by name (CreateUSurfaceFromFile shares
  // them) and through GetExistTextureList, and the engine holds them until it closes or the
  // dictionary is reset (so a reload replaces the textures of the last load). A damaged
  // dictionary adds nothing and marks the archive failed.
  void LoadTexDict(UArchiveRws& ar);
  // Appends every texture of the current dictionary to `list`, in the dictionary's order; the
  // list holds no references.
  void GetExistTextureList(std::vector<RwTexture*>* list);

  // The camera's picture, top row first, 4 bytes a pixel in `order`, rows `stride` bytes apart;
  // whatever is batched is drawn first. False without a camera or with too small a stride.
  bool ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order) const;
  RwCamera* GetCamera() const { return m_Camera; }
  // The camera's size in pixels, 0 without one.
  int GetCameraWidth() const;
  int GetCameraHeight() const;

 private:
  // The engine the camera was made by, while it is open.
  RwEngine* Engine() const;
  // Render states of textured draws, the tint on the vertices' colours, then the primitive.
  void DrawTextured(RwPrimitiveType type, RwD3D9Vertex* vertices, int count, USurface* surface);
  void DrawUntextured(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count);
  float RecipZ() const;
  // The key and canvas state a backdrop is kept for.
  std::vector<int32_t> BackdropKey(const std::vector<int32_t>& key) const;
  void DropBackdrop();

  RwCamera* m_Camera = nullptr;
  HWND m_Window = nullptr;
  // The window whose client size the camera has (the factory's window at CreateCanvas).
  HWND m_CameraWindow = nullptr;
  bool m_DrawQuarterTurns = false;
  uint32_t m_TintColor = 0xFFFFFFFFu;
  int m_TintWhiten = 0;
  // A camera raster of the camera's size holding the kept backdrop, and what it was drawn from.
  RwRaster* m_Backdrop = nullptr;
  std::vector<int32_t> m_BackdropKey;
};
