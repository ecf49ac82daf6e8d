#include "drivers/accel/engine/rw_present_pass.h"

#include "drivers/accel/engine/gl_program.h"

namespace {

// One triangle that covers the whole viewport, its corners made from the vertex index.
constexpr const char* kVertexShader = R"(#version 330 core
void main() {
  vec2 corner = vec2(float((gl_VertexID & 1) * 4 - 1), float((gl_VertexID & 2) * 2 - 1));
  gl_Position = vec4(corner, 0.0, 1.0);
}
)";

// Each window pixel takes the texel under it unfiltered, so the colours arrive exactly as drawn.
constexpr const char* kFragmentShader = R"(#version 330 core
uniform sampler2D u_picture;
uniform int u_bottom;
out vec4 o_color;
void main() {
  ivec2 texel = ivec2(gl_FragCoord.xy) - ivec2(0, u_bottom);
  o_color = vec4(texelFetch(u_picture, texel, 0).rgb, 1.0);
}
)";

}  // namespace

bool RwPresentPass::Create() {
  m_Program = RwGlBuildProgram(kVertexShader, kFragmentShader);
  if (m_Program == 0) {
    return false;
  }
  m_BottomLocation = glGetUniformLocation(m_Program, "u_bottom");
  m_VertexArray = RwGlCreate(RwGlKind::kVertexArray);
  return m_VertexArray != 0;
}

void RwPresentPass::Destroy() {
  ReleaseGlObjects(RwGlDelete);
}

void RwPresentPass::Abandon() {
  ReleaseGlObjects(RwGlForget);
}

void RwPresentPass::ReleaseGlObjects(void (*release)(RwGlKind, GLuint*)) {
  release(RwGlKind::kVertexArray, &m_VertexArray);
  release(RwGlKind::kProgram, &m_Program);
}

void RwPresentPass::Draw(GLuint texture, int width, int height, GLuint framebuffer, int bottom) {
  glBindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
  glViewport(0, bottom, width, height);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_CULL_FACE);
  glDisable(GL_BLEND);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glUseProgram(m_Program);
  glUniform1i(m_BottomLocation, bottom);
  glBindVertexArray(m_VertexArray);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture);
  glBindSampler(0, 0);
  glDrawArrays(GL_TRIANGLES, 0, 3);
}
