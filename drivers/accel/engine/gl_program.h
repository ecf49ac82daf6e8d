#pragma once

#include <epoxy/gl.h>

// A linked program of one vertex and one fragment shader, made through RwGlCreate so it is
// counted; 0 when GL refuses to compile or link either. The shaders are deleted once linked.
GLuint RwGlBuildProgram(const char* vertexSource, const char* fragmentSource);
