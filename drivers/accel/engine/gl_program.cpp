#include "drivers/accel/engine/gl_program.h"

#include "drivers/accel/engine/gl_objects.h"

namespace {

GLuint Compile(RwGlKind kind, const char* source) {
  GLuint shader = RwGlCreate(kind);
  if (shader == 0) {
    return 0;
  }
  glShaderSource(shader, 1, &source, nullptr);
  glCompileShader(shader);
  GLint compiled = GL_FALSE;
  glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
  if (compiled != GL_TRUE) {
    RwGlDelete(kind, &shader);
  }
  return shader;
}

}  // namespace

GLuint RwGlBuildProgram(const char* vertexSource, const char* fragmentSource) {
  GLuint vertex = Compile(RwGlKind::kVertexShader, vertexSource);
  GLuint fragment = Compile(RwGlKind::kFragmentShader, fragmentSource);
  GLuint program = 0;
  if (vertex != 0 && fragment != 0) {
    program = RwGlCreate(RwGlKind::kProgram);
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    glDetachShader(program, vertex);
    glDetachShader(program, fragment);
    if (linked != GL_TRUE) {
      RwGlDelete(RwGlKind::kProgram, &program);
    }
  }
  RwGlDelete(RwGlKind::kVertexShader, &vertex);
  RwGlDelete(RwGlKind::kFragmentShader, &fragment);
  return program;
}
