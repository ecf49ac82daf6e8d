#pragma once

#include <epoxy/gl.h>

#include "drivers/accel/engine/gl_objects.h"

// Copies a camera's picture into a window's framebuffer in one draw: every colour as drawn, every
// alpha opaque. A window shows no alpha: a background with a low alpha byte would otherwise make
// the window see-through wherever the compositor honours the framebuffer's alpha. One pass
// writes each window pixel once, where a copy followed by an alpha-only clear would write it
// twice.
class RwPresentPass {
 public:
  // Builds the program and its empty vertex array; false when GL refuses either.
  bool Create();
  // Deletes the GL objects; the context must be current.
  void Destroy();
  // Forgets the GL objects of a context that can no longer be made current.
  void Abandon();

  // Draws the `width` x `height` picture held by `texture` into `framebuffer`, its bottom row on
  // the framebuffer's row `bottom` (GL rows run bottom-up) and its left column on column 0; what
  // falls outside the framebuffer is dropped. Changes the program, vertex array, texture unit 0,
  // framebuffer binding, viewport and fixed-function state: the caller saves what it wants back.
  void Draw(GLuint texture, int width, int height, GLuint framebuffer, int bottom);

 private:
  void ReleaseGlObjects(void (*release)(RwGlKind, GLuint*));

  GLuint m_Program = 0;
  GLuint m_VertexArray = 0;
  GLint m_BottomLocation = -1;
};
