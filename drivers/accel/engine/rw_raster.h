#pragma once

#include <epoxy/gl.h>

#include <cstdint>

#include "drivers/accel/engine/rw_image.h"
#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

class RwEngine;

// A block of pixels the engine owns on the GPU. Normal, texture and camera rasters are RGBA8 GL
// textures, whatever format code they were made with (the engine keeps 32 bits a pixel and
// reports the code it was given); a camera raster also carries the framebuffer it is drawn
// through; a z-buffer raster is a depth renderbuffer.
class TESSEL_API RwRaster {
 public:
  // A raster of `width` x `height` pixels, all transparent black; `flags` holds the type in its
  // low bits and the format code (format byte times 256; 0 gives 8888) above them. Null when the
  // engine is not open, the size is not within the image cap, or GL fails. Owned by the caller;
  // destroy with Destroy.
  static RwRaster* Create(RwEngine* engine, int width, int height, int32_t flags);
  static void Destroy(RwRaster* raster);

  RwRaster(const RwRaster&) = delete;
  RwRaster& operator=(const RwRaster&) = delete;

  int GetWidth() const { return m_Width; }
  int GetHeight() const { return m_Height; }
  int32_t GetType() const { return m_Type; }
  int32_t GetFormat() const { return m_Format; }

  // Replaces every pixel with 0xAARRGGBB words, top row first; false when the raster has no
  // texture (a z-buffer, or after its engine closed).
  bool SetPixels(const uint32_t* pixels);
  // Fills the raster with one 0xAARRGGBB colour.
  bool Fill(uint32_t color);
  // Copies every pixel out as 0xAARRGGBB words, top row first, into `pixels` (room for width x
  // height words); false when the raster has no texture (a z-buffer, or after its engine closed).
  bool GetPixels(uint32_t* pixels) const;

  GLuint GetGlTexture() const { return m_Texture; }
  GLuint GetGlRenderbuffer() const { return m_Renderbuffer; }
  GLuint GetGlFramebuffer() const { return m_Framebuffer; }
  RwEngine* GetEngine() const { return m_Engine; }

  // Deletes the raster's GL objects (or, when the engine's context cannot be made current, forgets
  // them: they went with the context) and forgets the engine; the engine calls this for every
  // raster still alive when it closes, so that their owners may use and destroy them later
  // safely: without GL objects every pixel operation fails.
  void DropGlObjects();

 private:
  RwRaster(RwEngine* engine, int width, int height, int32_t type, int32_t format);
  ~RwRaster();
  bool MakeGlObjects();

  RwEngine* m_Engine;
  int m_Width;
  int m_Height;
  int32_t m_Type;
  int32_t m_Format;
  GLuint m_Texture = 0;
  GLuint m_Renderbuffer = 0;
  GLuint m_Framebuffer = 0;
};
