#pragma once

#include <cstdint>

#include "core/anim/obj_frame.h"
#include "core/foundation/name.h"
#include "core/foundation/point.h"
#include "core/foundation/rect.h"

// Copies of the fields the property pages edit. A page edits its own copy and hands it back to
// the editor context whole, so no widget ever points into the actor.

struct CModuleFields {
  uint16_t attribute = 0;
  uint16_t left = 0;
  uint16_t top = 0;
  uint16_t right = 0;
  uint16_t bottom = 0;
};

struct CFrameFields {
  UName name;
  UPoint16 origin{0, 0};
  URect collision{0, 0, 0, 0};
  // The frame's selected placement, -1 for none, and its fields.
  int32_t placement = -1;
  TObjFrame placementFields;
};

struct CActionFields {
  UName name;
  int32_t speed = 0;
};
