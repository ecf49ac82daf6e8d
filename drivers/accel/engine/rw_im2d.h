#pragma once

#include <epoxy/gl.h>

#include <cstdint>
#include <vector>

#include "drivers/accel/engine/gl_objects.h"
#include "drivers/accel/engine/rw_types.h"

class RwRaster;

// Immediate-mode 2D drawing through one small shader: texture colour (mixed toward white as
// rwRENDERSTATETEXTUREWHITEN says) times vertex colour, with
// vertices in screen pixels mapped so that a texel lands on exactly one pixel at scale 1.
// Consecutive primitives that share texture and render states are gathered into one draw call;
// the batch goes to GL when a state changes, the primitive kind changes, or Flush is called
// (before anything reads the picture or changes what the batch refers to).
class RwIm2D {
 public:
  // Builds the program, vertex array, vertex buffer and the white texel that stands for "no
  // texture". False when GL refuses any of them.
  bool Create();
  // Deletes the GL objects; the context must be current.
  void Destroy();
  // Forgets the GL objects of a context that can no longer be made current (they went with it),
  // so that a later Create starts afresh.
  void Abandon();

  // Starts drawing into the bound framebuffer of `width` x `height` pixels; the caller has saved
  // the GL state it wants back.
  void Begin(int width, int height);
  // Draws what is pending; nothing is drawn after this until the next Begin.
  void End();
  void Flush();

  void SetRenderState(RwRenderState state, int32_t value);
  void SetTextureRaster(RwRaster* raster) { m_TextureRaster = raster; }
  RwRaster* GetTextureRaster() const { return m_TextureRaster; }
  // Queues a primitive; false outside Begin/End or for a count its type cannot use.
  bool Render(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count);

  // GL draw calls issued since Create.
  int GetDrawCallCount() const { return m_DrawCalls; }

 private:
  // What a batch must share.
  struct Key {
    GLuint texture = 0;
    int32_t filter = 0;
    bool blend = false;
    int32_t srcBlend = 0;
    int32_t destBlend = 0;
    int32_t whiten = 0;
    bool lines = false;
    bool operator==(const Key&) const = default;
  };
  Key CurrentKey(bool lines) const;
  // Empties the batch and lets every GL object go through `release`.
  void ReleaseGlObjects(void (*release)(RwGlKind, GLuint*));
  void Apply(const Key& key);

  GLuint m_Program = 0;
  GLuint m_VertexArray = 0;
  GLuint m_VertexBuffer = 0;
  GLuint m_WhiteTexture = 0;
  GLint m_ScreenLocation = -1;
  GLint m_WhitenLocation = -1;

  bool m_Active = false;
  std::vector<RwD3D9Vertex> m_Pending;
  Key m_PendingKey;
  Key m_Applied;
  bool m_AppliedValid = false;
  int m_DrawCalls = 0;

  // Render states; they persist until changed.
  RwRaster* m_TextureRaster = nullptr;
  int32_t m_Filter = rwFILTERNEAREST;
  int32_t m_SrcBlend = rwBLENDSRCALPHA;
  int32_t m_DestBlend = rwBLENDINVSRCALPHA;
  bool m_VertexAlpha = false;
  int32_t m_Whiten = 0;
};
