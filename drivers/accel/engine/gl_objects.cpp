#include "drivers/accel/engine/gl_objects.h"

namespace {

int g_LiveObjects = 0;

}  // namespace

GLuint RwGlCreate(RwGlKind kind) {
  GLuint name = 0;
  switch (kind) {
    case RwGlKind::kTexture:
      glGenTextures(1, &name);
      break;
    case RwGlKind::kBuffer:
      glGenBuffers(1, &name);
      break;
    case RwGlKind::kVertexArray:
      glGenVertexArrays(1, &name);
      break;
    case RwGlKind::kFramebuffer:
      glGenFramebuffers(1, &name);
      break;
    case RwGlKind::kRenderbuffer:
      glGenRenderbuffers(1, &name);
      break;
    case RwGlKind::kVertexShader:
      name = glCreateShader(GL_VERTEX_SHADER);
      break;
    case RwGlKind::kFragmentShader:
      name = glCreateShader(GL_FRAGMENT_SHADER);
      break;
    case RwGlKind::kProgram:
      name = glCreateProgram();
      break;
  }
  if (name != 0) {
    ++g_LiveObjects;
  }
  return name;
}

void RwGlDelete(RwGlKind kind, GLuint* name) {
  if (*name == 0) {
    return;
  }
  switch (kind) {
    case RwGlKind::kTexture:
      glDeleteTextures(1, name);
      break;
    case RwGlKind::kBuffer:
      glDeleteBuffers(1, name);
      break;
    case RwGlKind::kVertexArray:
      glDeleteVertexArrays(1, name);
      break;
    case RwGlKind::kFramebuffer:
      glDeleteFramebuffers(1, name);
      break;
    case RwGlKind::kRenderbuffer:
      glDeleteRenderbuffers(1, name);
      break;
    case RwGlKind::kVertexShader:
    case RwGlKind::kFragmentShader:
      glDeleteShader(*name);
      break;
    case RwGlKind::kProgram:
      glDeleteProgram(*name);
      break;
  }
  --g_LiveObjects;
  *name = 0;
}

void RwGlForget(RwGlKind /*kind*/, GLuint* name) {
  if (*name == 0) {
    return;
  }
  --g_LiveObjects;
  *name = 0;
}

int RwGlLiveObjectCount() {
  return g_LiveObjects;
}
