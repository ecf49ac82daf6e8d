#pragma once

#include <epoxy/egl.h>

#include <cstdint>

#include "core/canvas/window_host.h"
#include "drivers/accel/engine/rw_types.h"
#include "drivers/accel/tessel_api.h"

// A window that exists only in memory, for tests and command-line rendering: an OpenGL 3.3 core
// context of its own on a surfaceless EGL display (Mesa renders it in software where there is no
// GPU), and an offscreen framebuffer of the client size that stands for the window's picture.
class TESSEL_API UEglWindowHost : public UWindowHost {
 public:
  // A client area of `width` x `height` on a screen of `screenWidth` x `screenHeight` (the
  // client size when 0). Check IsValid: without EGL or a 3.3 core context the host is unusable.
  UEglWindowHost(int width, int height, int screenWidth = 0, int screenHeight = 0);
  UEglWindowHost(const UEglWindowHost&) = delete;
  UEglWindowHost& operator=(const UEglWindowHost&) = delete;
  ~UEglWindowHost() override;

  bool IsValid() const { return m_Framebuffer != 0; }
  // Gives the window a client area of `width` x `height`, as a user resizing it would; the
  // picture it showed is lost. False (nothing changed) for a size below 1 x 1 or without GL.
  bool Resize(int width, int height);

  URect GetClientRect() const override;
  // The window sits at the screen's top-left corner.
  UPoint ClientToScreen(UPoint point) const override;
  int GetScreenWidth() const override { return m_ScreenWidth; }
  int GetScreenHeight() const override { return m_ScreenHeight; }
  bool MakeContextCurrent() override;
  uint32_t GetFramebuffer() const override { return m_Framebuffer; }
  // Waits until the picture is complete; counts the pictures shown.
  void SwapBuffers() override;

  // The window's picture, top row first, 4 bytes a pixel in `order`, rows `stride` bytes apart.
  bool ReadPixels(uint8_t* pixels, int stride, RwPixelOrder order);
  int GetPresentCount() const { return m_PresentCount; }

 private:
  int m_Width;
  int m_Height;
  int m_ScreenWidth;
  int m_ScreenHeight;
  EGLDisplay m_Display = EGL_NO_DISPLAY;
  EGLContext m_Context = EGL_NO_CONTEXT;
  uint32_t m_Framebuffer = 0;
  uint32_t m_Renderbuffer = 0;
  int m_PresentCount = 0;
};
