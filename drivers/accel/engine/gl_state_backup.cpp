#include "drivers/accel/engine/gl_state_backup.h"

namespace {

void SetEnabled(GLenum capability, GLboolean enabled) {
  if (enabled) {
    glEnable(capability);
  } else {
    glDisable(capability);
  }
}

}  // namespace

void RwGlStateBackup::Capture() {
  glGetIntegerv(GL_CURRENT_PROGRAM, &m_Program);
  glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &m_VertexArray);
  glGetIntegerv(GL_ARRAY_BUFFER_BINDING, &m_ArrayBuffer);
  glGetIntegerv(GL_PIXEL_PACK_BUFFER_BINDING, &m_PixelPackBuffer);
  glGetIntegerv(GL_PIXEL_UNPACK_BUFFER_BINDING, &m_PixelUnpackBuffer);
  glGetIntegerv(GL_ACTIVE_TEXTURE, &m_ActiveTexture);
  glActiveTexture(GL_TEXTURE0);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &m_Texture2D);
  glGetIntegerv(GL_SAMPLER_BINDING, &m_Sampler);
  glActiveTexture(static_cast<GLenum>(m_ActiveTexture));
  glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &m_DrawFramebuffer);
  glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &m_ReadFramebuffer);
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &m_Renderbuffer);
  glGetIntegerv(GL_VIEWPORT, m_Viewport);
  glGetIntegerv(GL_SCISSOR_BOX, m_ScissorBox);
  m_Scissor = glIsEnabled(GL_SCISSOR_TEST);
  m_Depth = glIsEnabled(GL_DEPTH_TEST);
  m_Stencil = glIsEnabled(GL_STENCIL_TEST);
  m_Cull = glIsEnabled(GL_CULL_FACE);
  m_Blend = glIsEnabled(GL_BLEND);
  glGetIntegerv(GL_BLEND_SRC_RGB, &m_BlendSrcRgb);
  glGetIntegerv(GL_BLEND_DST_RGB, &m_BlendDstRgb);
  glGetIntegerv(GL_BLEND_SRC_ALPHA, &m_BlendSrcAlpha);
  glGetIntegerv(GL_BLEND_DST_ALPHA, &m_BlendDstAlpha);
  glGetIntegerv(GL_BLEND_EQUATION_RGB, &m_BlendEquationRgb);
  glGetIntegerv(GL_BLEND_EQUATION_ALPHA, &m_BlendEquationAlpha);
  glGetBooleanv(GL_COLOR_WRITEMASK, m_ColorMask);
  glGetBooleanv(GL_DEPTH_WRITEMASK, &m_DepthMask);
  glGetFloatv(GL_COLOR_CLEAR_VALUE, m_ClearColor);
  glGetFloatv(GL_DEPTH_CLEAR_VALUE, &m_ClearDepth);
  glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_UnpackAlignment);
  glGetIntegerv(GL_UNPACK_ROW_LENGTH, &m_UnpackRowLength);
  glGetIntegerv(GL_PACK_ALIGNMENT, &m_PackAlignment);
  glGetIntegerv(GL_PACK_ROW_LENGTH, &m_PackRowLength);
}

void RwGlStateBackup::Restore() const {
  glUseProgram(static_cast<GLuint>(m_Program));
  glBindVertexArray(static_cast<GLuint>(m_VertexArray));
  glBindBuffer(GL_ARRAY_BUFFER, static_cast<GLuint>(m_ArrayBuffer));
  glBindBuffer(GL_PIXEL_PACK_BUFFER, static_cast<GLuint>(m_PixelPackBuffer));
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, static_cast<GLuint>(m_PixelUnpackBuffer));
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(m_Texture2D));
  glBindSampler(0, static_cast<GLuint>(m_Sampler));
  glActiveTexture(static_cast<GLenum>(m_ActiveTexture));
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, static_cast<GLuint>(m_DrawFramebuffer));
  glBindFramebuffer(GL_READ_FRAMEBUFFER, static_cast<GLuint>(m_ReadFramebuffer));
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(m_Renderbuffer));
  glViewport(m_Viewport[0], m_Viewport[1], m_Viewport[2], m_Viewport[3]);
  glScissor(m_ScissorBox[0], m_ScissorBox[1], m_ScissorBox[2], m_ScissorBox[3]);
  SetEnabled(GL_SCISSOR_TEST, m_Scissor);
  SetEnabled(GL_DEPTH_TEST, m_Depth);
  SetEnabled(GL_STENCIL_TEST, m_Stencil);
  SetEnabled(GL_CULL_FACE, m_Cull);
  SetEnabled(GL_BLEND, m_Blend);
  glBlendFuncSeparate(static_cast<GLenum>(m_BlendSrcRgb), static_cast<GLenum>(m_BlendDstRgb),
                      static_cast<GLenum>(m_BlendSrcAlpha), static_cast<GLenum>(m_BlendDstAlpha));
  glBlendEquationSeparate(static_cast<GLenum>(m_BlendEquationRgb),
                          static_cast<GLenum>(m_BlendEquationAlpha));
  glColorMask(m_ColorMask[0], m_ColorMask[1], m_ColorMask[2], m_ColorMask[3]);
  glDepthMask(m_DepthMask);
  glClearColor(m_ClearColor[0], m_ClearColor[1], m_ClearColor[2], m_ClearColor[3]);
  glClearDepth(m_ClearDepth);
  glPixelStorei(GL_UNPACK_ALIGNMENT, m_UnpackAlignment);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, m_UnpackRowLength);
  glPixelStorei(GL_PACK_ALIGNMENT, m_PackAlignment);
  glPixelStorei(GL_PACK_ROW_LENGTH, m_PackRowLength);
}
