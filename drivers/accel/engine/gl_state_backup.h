#pragma once

#include <epoxy/gl.h>

// The GL state the engine may change, taken when the engine starts work in a context it shares
// (the editor's GL widget owns it) and put back when it is done, so the owner finds its program,
// vertex array, blend state, framebuffers and the rest as it left them.
class RwGlStateBackup {
 public:
  void Capture();
  void Restore() const;

 private:
  GLint m_Program = 0;
  GLint m_VertexArray = 0;
  GLint m_ArrayBuffer = 0;
  GLint m_PixelPackBuffer = 0;
  GLint m_PixelUnpackBuffer = 0;
  GLint m_ActiveTexture = 0;
  GLint m_Texture2D = 0;  // on unit 0
  GLint m_Sampler = 0;    // on unit 0
  GLint m_DrawFramebuffer = 0;
  GLint m_ReadFramebuffer = 0;
  GLint m_Renderbuffer = 0;
  GLint m_Viewport[4] = {};
  GLint m_ScissorBox[4] = {};
  GLboolean m_Scissor = GL_FALSE;
  GLboolean m_Depth = GL_FALSE;
  GLboolean m_Stencil = GL_FALSE;
  GLboolean m_Cull = GL_FALSE;
  GLboolean m_Blend = GL_FALSE;
  GLint m_BlendSrcRgb = 0;
  GLint m_BlendDstRgb = 0;
  GLint m_BlendSrcAlpha = 0;
  GLint m_BlendDstAlpha = 0;
  GLint m_BlendEquationRgb = 0;
  GLint m_BlendEquationAlpha = 0;
  GLboolean m_ColorMask[4] = {};
  GLboolean m_DepthMask = GL_TRUE;
  GLfloat m_ClearColor[4] = {};
  GLfloat m_ClearDepth = 1.0f;
  GLint m_UnpackAlignment = 4;
  GLint m_UnpackRowLength = 0;
  GLint m_PackAlignment = 4;
  GLint m_PackRowLength = 0;
};
