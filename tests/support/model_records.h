#pragma once

#include <cstdint>

#include "core/anim/obj_module.h"

// A module of texture `texture` with the given rectangle, everything else zero.
inline UObjModule Module(int texture, int left, int top, int right, int bottom) {
  UObjModule module;
  module.texture = static_cast<uint16_t>(texture);
  module.left = static_cast<uint16_t>(left);
  module.top = static_cast<uint16_t>(top);
  module.right = static_cast<uint16_t>(right);
  module.bottom = static_cast<uint16_t>(bottom);
  return module;
}
