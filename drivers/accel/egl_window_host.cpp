#include "drivers/accel/egl_window_host.h"

#include <epoxy/gl.h>

#include "drivers/accel/engine/gl_read_pixels.h"

UEglWindowHost::UEglWindowHost(int width, int height, int screenWidth, int screenHeight)
    : m_Width(width)
    , m_Height(height)
    , m_ScreenWidth(screenWidth > 0 ? screenWidth : width)
    , m_ScreenHeight(screenHeight > 0 ? screenHeight : height) {
  if (width < 1 || height < 1) {
    return;
  }
  // Without an X server only Mesa's surfaceless platform gives a display.
  EGLDisplay display =
      eglGetPlatformDisplayEXT(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  if (display == EGL_NO_DISPLAY || !eglInitialize(display, nullptr, nullptr)) {
    return;
  }
  m_Display = display;
  if (!eglBindAPI(EGL_OPENGL_API)) {
    return;
  }
  const EGLint attributes[] = {EGL_CONTEXT_MAJOR_VERSION,
                               3,
                               EGL_CONTEXT_MINOR_VERSION,
                               3,
                               EGL_CONTEXT_OPENGL_PROFILE_MASK,
                               EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                               EGL_NONE};
  m_Context = eglCreateContext(m_Display, EGL_NO_CONFIG_KHR, EGL_NO_CONTEXT, attributes);
  if (m_Context == EGL_NO_CONTEXT || !MakeContextCurrent()) {
    return;
  }
  GLuint renderbuffer = 0;
  GLuint framebuffer = 0;
  glGenRenderbuffers(1, &renderbuffer);
  glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glGenFramebuffers(1, &framebuffer);
  glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
  glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, renderbuffer);
  m_Renderbuffer = renderbuffer;
  if (glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE) {
    m_Framebuffer = framebuffer;
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
  } else {
    glDeleteFramebuffers(1, &framebuffer);
  }
  glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

UEglWindowHost::~UEglWindowHost() {
  // The display is left initialised: every host of the process shares the one surfaceless
  // display, and terminating it would pull it from under any other host still alive.
  if (m_Context != EGL_NO_CONTEXT) {
    if (MakeContextCurrent()) {
      GLuint framebuffer = m_Framebuffer;
      GLuint renderbuffer = m_Renderbuffer;
      glDeleteFramebuffers(1, &framebuffer);
      glDeleteRenderbuffers(1, &renderbuffer);
    }
    eglMakeCurrent(m_Display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    eglDestroyContext(m_Display, m_Context);
  }
}

bool UEglWindowHost::Resize(int width, int height) {
  if (width < 1 || height < 1 || !IsValid() || !MakeContextCurrent()) {
    return false;
  }
  GLint previous = 0;
  glGetIntegerv(GL_RENDERBUFFER_BINDING, &previous);
  glBindRenderbuffer(GL_RENDERBUFFER, m_Renderbuffer);
  glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
  glBindRenderbuffer(GL_RENDERBUFFER, static_cast<GLuint>(previous));
  m_Width = width;
  m_Height = height;
  return true;
}

URect UEglWindowHost::GetClientRect() const {
  return {0, 0, m_Width, m_Height};
}

UPoint UEglWindowHost::ClientToScreen(UPoint point) const {
  return point;
}

bool UEglWindowHost::MakeContextCurrent() {
  if (m_Context == EGL_NO_CONTEXT) {
    return false;
  }
  if (eglGetCurrentContext() == m_Context) {
    return true;
  }
  return eglMakeCurrent(m_Display, EGL_NO_SURFACE, EGL_NO_SURFACE, m_Context) == EGL_TRUE;
}

void UEglWindowHost::SwapBuffers() {
  if (MakeContextCurrent()) {
    glFinish();
  }
  ++m_PresentCount;
}

bool UEglWindowHost::ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order) {
  return IsValid() && MakeContextCurrent() &&
         RwGlReadFramebuffer(m_Framebuffer, m_Width, m_Height, pixels, stride, order);
}
