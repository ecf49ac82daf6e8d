#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/canvas/canvas.h"
#include "core/canvas/canvas_util.h"

// A canvas driver drawing into a window that exists only in memory, for subcommands that write
// pictures. Each driver the tool offers has one.
class OffscreenRenderer {
 public:
  virtual ~OffscreenRenderer() = default;

  // Binds the driver to an offscreen window of `width` x `height` pixels and creates its back
  // buffer. Returns false with a reason in `error`.
  virtual bool Start(int width, int height, std::string& error) = 0;
  virtual UCanvas& Canvas() = 0;
  virtual UCanvasUtil& Util() = 0;
  // Starts the picture from the background colour, as a window would.
  virtual void ClearOpaque(uint32_t background) = 0;
  // Starts the picture fully transparent, so that what is drawn keeps its alpha.
  virtual void ClearTransparent() = 0;
  // Presents the back buffer and returns the picture shown: rows top first, 4 bytes a pixel in
  // the order blue, green, red, alpha, straight alpha. Returns false with a reason in `error`.
  virtual bool Finish(std::vector<uint8_t>& bgra, std::string& error) = 0;
};

// The GDI-style software driver.
std::unique_ptr<OffscreenRenderer> MakeGdiRenderer();
// The accelerated driver on a headless OpenGL context.
std::unique_ptr<OffscreenRenderer> MakeAccelRenderer();
// The driver named "gdi" or "accel"; null for any other name.
std::unique_ptr<OffscreenRenderer> MakeRenderer(const std::string& driver);
