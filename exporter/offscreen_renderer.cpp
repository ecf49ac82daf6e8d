#include "exporter/offscreen_renderer.h"

std::unique_ptr<OffscreenRenderer> MakeRenderer(const std::string& driver) {
  if (driver == "gdi") {
    return MakeGdiRenderer();
  }
  if (driver == "accel") {
    return MakeAccelRenderer();
  }
  return nullptr;
}
