#pragma once

#include <epoxy/gl.h>

#include "drivers/accel/tessel_api.h"

// Every GL object the engine makes or deletes goes through these two functions, which keep count
// of the objects alive, so tests can see that nothing is left behind.
enum class RwGlKind {
  kTexture,
  kBuffer,
  kVertexArray,
  kFramebuffer,
  kRenderbuffer,
  kVertexShader,
  kFragmentShader,
  kProgram,
};

TESSEL_API GLuint RwGlCreate(RwGlKind kind);
// Deletes the object and sets `*name` to 0; a name of 0 is left alone. The object's context must
// be current.
TESSEL_API void RwGlDelete(RwGlKind kind, GLuint* name);
// Forgets an object whose context can no longer be made current, which took its objects with it:
// sets `*name` to 0 and stops counting the object. A name of 0 is left alone.
TESSEL_API void RwGlForget(RwGlKind kind, GLuint* name);
// GL objects made by the engine and not yet deleted, across every engine of the process.
TESSEL_API int RwGlLiveObjectCount();
