#pragma once

#include <cstdint>

#include "core/canvas/window_host.h"
#include "drivers/accel/engine/rw_raster.h"
#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

enum RwCameraClearMode : int32_t {
  rwCAMERACLEARIMAGE = 0x1,
  rwCAMERACLEARZ = 0x2,
};

// A picture the engine draws into: a camera raster (a colour texture behind a framebuffer) and,
// optionally, a z-buffer raster. Drawing happens between BeginUpdate and EndUpdate; ShowRaster
// copies the picture into a window host's framebuffer.
class TESSEL_API RwCamera {
 public:
  // A camera of `width` x `height` pixels; null when the engine is not open or a raster cannot
  // be made. Owned by the caller; destroy with Destroy, which also destroys its rasters.
  static RwCamera* Create(RwEngine* engine, int width, int height, bool withZBuffer);
  static void Destroy(RwCamera* camera);

  RwCamera(const RwCamera&) = delete;
  RwCamera& operator=(const RwCamera&) = delete;

  RwRaster* GetRaster() const { return m_Raster; }
  RwRaster* GetZRaster() const { return m_ZRaster; }
  void SetNearClipPlane(float distance) { m_NearClip = distance; }
  void SetFarClipPlane(float distance) { m_FarClip = distance; }
  float GetNearClipPlane() const { return m_NearClip; }
  float GetFarClipPlane() const { return m_FarClip; }

  // Clears the image and/or the z-buffer (`mode` from RwCameraClearMode) to `color`; false when
  // the camera has lost its GL objects or no context can be made current.
  bool Clear(const RwRGBA& color, int32_t mode);
  // Starts drawing into this camera, ending any other camera's update first; false without GL.
  bool BeginUpdate();
  void EndUpdate();
  // Copies the picture into the host's framebuffer (top rows aligned with the host's client
  // area), opaque whatever the picture's alpha, and lets the host show it.
  bool ShowRaster(UWindowHost* host);
  // Copies the picture into `target`, a camera raster of the same size, what is batched drawn
  // first; false without GL or for a raster of another size or kind.
  bool CopyPictureTo(RwRaster* target);
  // Replaces the picture by that of `source`, a camera raster of the same size, what is batched
  // drawn first; the z-buffer is left alone. False without GL or for a raster of another size
  // or kind.
  bool CopyPictureFrom(const RwRaster* source);
  // The picture, top row first, `stride` bytes between rows of 4-byte pixels in `order`. False
  // when `stride` is too small or the camera has lost its GL objects.
  bool ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order);

 private:
  RwCamera(RwRaster* raster, RwRaster* zRaster) : m_Raster(raster), m_ZRaster(zRaster) {}
  ~RwCamera();
  // The engine, when it is still open and its context can be made current; else null. The
  // camera reaches its engine through its raster, which forgets the engine when it closes.
  RwEngine* Engine() const;

  RwRaster* m_Raster;
  RwRaster* m_ZRaster;
  float m_NearClip = 0.05f;
  float m_FarClip = 10.0f;
};
