#pragma once

#include <cstdint>

#include "core/core_api.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"

// The window a canvas driver draws into, as the driver sees it: its client size, where it sits on
// the screen, the screen's size, and a way to show a finished picture. The editor implements it
// over its widgets; tests and tools implement it in memory or over an offscreen GL context.
class CORE_API UWindowHost {
 public:
  UWindowHost() = default;
  UWindowHost(const UWindowHost&) = default;
  UWindowHost& operator=(const UWindowHost&) = default;
  virtual ~UWindowHost();

  // The client area as (0, 0, width, height).
  virtual URect GetClientRect() const = 0;
  // A client-area point in screen coordinates.
  virtual UPoint ClientToScreen(UPoint point) const = 0;
  virtual int GetScreenWidth() const = 0;
  virtual int GetScreenHeight() const = 0;

  // Software drivers: shows a finished, opaque picture of `width` x `height` pixels, 32 bits each
  // in byte order blue, green, red, alpha, rows `stride` bytes apart, top row first. The host
  // copies what it needs before returning. Returns false when this host cannot show pictures.
  virtual bool PresentPicture(const uint8_t* pixels, int width, int height, int stride);

  // Accelerated drivers: makes the host's GL context current (false when it has none), names the
  // framebuffer a finished picture goes into (0 is the default one), and shows it.
  virtual bool MakeContextCurrent();
  virtual uint32_t GetFramebuffer() const;
  virtual void SwapBuffers();
};

// What canvas drivers and factories take where a native window handle would stand.
using HWND = UWindowHost*;
