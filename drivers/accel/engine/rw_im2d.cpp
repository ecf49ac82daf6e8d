#include "drivers/accel/engine/rw_im2d.h"

#include <algorithm>
#include <cstddef>

#include "drivers/accel/engine/gl_objects.h"
#include "drivers/accel/engine/gl_program.h"
#include "drivers/accel/engine/rw_raster.h"

namespace {

// Screen pixels (y down) to clip space. Triangle edges on whole pixels fall between pixel centres,
// so a quad from 0 to 32 covers pixels 0 to 31 and samples texel centres exactly.
constexpr const char* kVertexShader = R"(#version 330 core
layout(location = 0) in vec2 a_position;
layout(location = 1) in vec4 a_color;
layout(location = 2) in vec2 a_uv;
uniform vec2 u_screen;
out vec4 v_color;
out vec2 v_uv;
void main() {
  gl_Position = vec4(a_position.x * 2.0 / u_screen.x - 1.0, 1.0 - a_position.y * 2.0 / u_screen.y,
                     0.0, 1.0);
  v_color = a_color.bgra;  // the colour word's bytes are blue, green, red, alpha
  v_uv = a_uv;
}
)";

constexpr const char* kFragmentShader = R"(#version 330 core
in vec4 v_color;
in vec2 v_uv;
uniform sampler2D u_texture;
uniform float u_whiten;
out vec4 o_color;
void main() {
  vec4 texel = texture(u_texture, v_uv);
  o_color = vec4(mix(texel.rgb, vec3(1.0), u_whiten), texel.a) * v_color;
}
)";

GLenum BlendFactor(int32_t function) {
  switch (function) {
    case rwBLENDZERO:
      return GL_ZERO;
    case rwBLENDONE:
      return GL_ONE;
    case rwBLENDSRCCOLOR:
      return GL_SRC_COLOR;
    case rwBLENDINVSRCCOLOR:
      return GL_ONE_MINUS_SRC_COLOR;
    case rwBLENDSRCALPHA:
      return GL_SRC_ALPHA;
    case rwBLENDDESTALPHA:
      return GL_DST_ALPHA;
    case rwBLENDINVDESTALPHA:
      return GL_ONE_MINUS_DST_ALPHA;
    case rwBLENDDESTCOLOR:
      return GL_DST_COLOR;
    case rwBLENDINVDESTCOLOR:
      return GL_ONE_MINUS_DST_COLOR;
    default:
      return GL_ONE_MINUS_SRC_ALPHA;
  }
}

bool IsBlendFunction(int32_t value) {
  return value >= rwBLENDZERO && value <= rwBLENDINVDESTCOLOR;
}

// A line vertex moves into the pixel it names, a little short of the centre, so a line at whole
// coordinates covers exactly the row or column it names from its first end up to (not including)
// its last, as on a device whose pixel centres lie on whole coordinates. Exactly on the centre,
// rasterisers disagree about the first pixel.
RwD3D9Vertex LineVertex(RwD3D9Vertex v) {
  v.x += 0.375f;
  v.y += 0.375f;
  return v;
}

}  // namespace

bool RwIm2D::Create() {
  m_Program = RwGlBuildProgram(kVertexShader, kFragmentShader);
  if (m_Program == 0) {
    return false;
  }
  m_ScreenLocation = glGetUniformLocation(m_Program, "u_screen");
  m_WhitenLocation = glGetUniformLocation(m_Program, "u_whiten");

  m_VertexArray = RwGlCreate(RwGlKind::kVertexArray);
  m_VertexBuffer = RwGlCreate(RwGlKind::kBuffer);
  glBindVertexArray(m_VertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, m_VertexBuffer);
  constexpr GLsizei stride = sizeof(RwD3D9Vertex);
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(RwD3D9Vertex, x)));
  glEnableVertexAttribArray(1);
  glVertexAttribPointer(1, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                        reinterpret_cast<const void*>(offsetof(RwD3D9Vertex, emissiveColor)));
  glEnableVertexAttribArray(2);
  glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride,
                        reinterpret_cast<const void*>(offsetof(RwD3D9Vertex, u)));

  m_WhiteTexture = RwGlCreate(RwGlKind::kTexture);
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, m_WhiteTexture);
  const uint32_t white = 0xFFFFFFFFu;
  glBindBuffer(GL_PIXEL_UNPACK_BUFFER, 0);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, &white);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
  return m_VertexArray != 0 && m_VertexBuffer != 0 && m_WhiteTexture != 0;
}

void RwIm2D::Destroy() {
  ReleaseGlObjects(RwGlDelete);
}

void RwIm2D::Abandon() {
  ReleaseGlObjects(RwGlForget);
}

void RwIm2D::ReleaseGlObjects(void (*release)(RwGlKind, GLuint*)) {
  m_Pending.clear();
  m_Active = false;
  m_AppliedValid = false;
  m_TextureRaster = nullptr;
  release(RwGlKind::kTexture, &m_WhiteTexture);
  release(RwGlKind::kBuffer, &m_VertexBuffer);
  release(RwGlKind::kVertexArray, &m_VertexArray);
  release(RwGlKind::kProgram, &m_Program);
}

void RwIm2D::Begin(int width, int height) {
  glViewport(0, 0, width, height);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_CULL_FACE);  // 2D drawing never culls
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glUseProgram(m_Program);
  glUniform2f(m_ScreenLocation, static_cast<float>(width), static_cast<float>(height));
  glBindVertexArray(m_VertexArray);
  glBindBuffer(GL_ARRAY_BUFFER, m_VertexBuffer);
  glActiveTexture(GL_TEXTURE0);
  glBindSampler(0, 0);
  glBlendEquation(GL_FUNC_ADD);
  m_AppliedValid = false;
  m_Active = true;
}

void RwIm2D::End() {
  Flush();
  m_Active = false;
}

void RwIm2D::SetRenderState(RwRenderState state, int32_t value) {
  switch (state) {
    case rwRENDERSTATETEXTUREFILTER:
      if (value == rwFILTERNEAREST || value == rwFILTERLINEAR) {
        m_Filter = value;
      }
      break;
    case rwRENDERSTATESRCBLEND:
      if (IsBlendFunction(value)) {
        m_SrcBlend = value;
      }
      break;
    case rwRENDERSTATEDESTBLEND:
      if (IsBlendFunction(value)) {
        m_DestBlend = value;
      }
      break;
    case rwRENDERSTATEVERTEXALPHAENABLE:
      m_VertexAlpha = value != 0;
      break;
    case rwRENDERSTATETEXTUREWHITEN:
      m_Whiten = std::clamp(value, 0, 255);
      break;
    case rwRENDERSTATETEXTURERASTER:  // set through SetTextureRaster
    case rwRENDERSTATECULLMODE:       // 2D drawing never culls
      break;
  }
}

RwIm2D::Key RwIm2D::CurrentKey(bool lines) const {
  Key key;
  const bool textured = m_TextureRaster != nullptr && m_TextureRaster->GetGlTexture() != 0;
  key.texture = textured ? m_TextureRaster->GetGlTexture() : m_WhiteTexture;
  key.filter = m_Filter;
  // A texture's own alpha blends as vertex alpha does, so colour-keyed texels stay transparent.
  key.blend = m_VertexAlpha || textured;
  key.srcBlend = m_SrcBlend;
  key.destBlend = m_DestBlend;
  key.whiten = m_Whiten;
  key.lines = lines;
  return key;
}

void RwIm2D::Apply(const Key& key) {
  glBindTexture(GL_TEXTURE_2D, key.texture);
  const GLint filter = key.filter == rwFILTERLINEAR ? GL_LINEAR : GL_NEAREST;
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
  if (!m_AppliedValid || key.blend != m_Applied.blend) {
    if (key.blend) {
      glEnable(GL_BLEND);
    } else {
      glDisable(GL_BLEND);
    }
  }
  if (!m_AppliedValid || key.srcBlend != m_Applied.srcBlend ||
      key.destBlend != m_Applied.destBlend) {
    // Colour blends as the render states say; alpha accumulates coverage, so drawing onto a
    // transparent picture leaves the right alpha behind.
    glBlendFuncSeparate(BlendFactor(key.srcBlend), BlendFactor(key.destBlend), GL_ONE,
                        GL_ONE_MINUS_SRC_ALPHA);
  }
  if (!m_AppliedValid || key.whiten != m_Applied.whiten) {
    glUniform1f(m_WhitenLocation, static_cast<float>(key.whiten) / 255.0f);
  }
  m_Applied = key;
  m_AppliedValid = true;
}

bool RwIm2D::Render(RwPrimitiveType type, const RwD3D9Vertex* vertices, int count) {
  if (!m_Active || vertices == nullptr) {
    return false;
  }
  const bool lines = type == rwPRIMTYPELINELIST || type == rwPRIMTYPEPOLYLINE;
  switch (type) {
    case rwPRIMTYPELINELIST:
      if (count < 2 || count % 2 != 0) {
        return false;
      }
      break;
    case rwPRIMTYPEPOLYLINE:
      if (count < 2) {
        return false;
      }
      break;
    case rwPRIMTYPETRILIST:
      if (count < 3 || count % 3 != 0) {
        return false;
      }
      break;
    case rwPRIMTYPETRISTRIP:
    case rwPRIMTYPETRIFAN:
      if (count < 3) {
        return false;
      }
      break;
    default:
      return false;
  }
  const Key key = CurrentKey(lines);
  if (!m_Pending.empty() && !(key == m_PendingKey)) {
    Flush();
  }
  m_PendingKey = key;
  // Every kind is turned into independent lines or triangles, which draw the same pixels as
  // strips, fans and polylines do and let unlike primitives share one draw call.
  switch (type) {
    case rwPRIMTYPELINELIST:
      for (int i = 0; i < count; ++i) {
        m_Pending.push_back(LineVertex(vertices[i]));
      }
      break;
    case rwPRIMTYPEPOLYLINE:
      for (int i = 0; i + 1 < count; ++i) {
        m_Pending.push_back(LineVertex(vertices[i]));
        m_Pending.push_back(LineVertex(vertices[i + 1]));
      }
      break;
    case rwPRIMTYPETRILIST:
      m_Pending.insert(m_Pending.end(), vertices, vertices + count);
      break;
    case rwPRIMTYPETRISTRIP:
      for (int i = 0; i + 2 < count; ++i) {
        m_Pending.insert(m_Pending.end(), {vertices[i], vertices[i + 1], vertices[i + 2]});
      }
      break;
    default:  // fan
      for (int i = 1; i + 1 < count; ++i) {
        m_Pending.insert(m_Pending.end(), {vertices[0], vertices[i], vertices[i + 1]});
      }
      break;
  }
  return true;
}

void RwIm2D::Flush() {
  if (m_Pending.empty()) {
    return;
  }
  Apply(m_PendingKey);
  glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(m_Pending.size() * sizeof(RwD3D9Vertex)),
               m_Pending.data(), GL_STREAM_DRAW);
  glDrawArrays(m_PendingKey.lines ? GL_LINES : GL_TRIANGLES, 0,
               static_cast<GLsizei>(m_Pending.size()));
  ++m_DrawCalls;
  m_Pending.clear();
}
