#pragma once

#include <algorithm>
#include <cstdint>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_frame.h"

// Bounds in canvas units relative to the drawing position, as [left, right) x [top, bottom);
// empty while left >= right.
struct CFrameExtent {
  int64_t left = 0;
  int64_t top = 0;
  int64_t right = 0;
  int64_t bottom = 0;

  bool IsEmpty() const { return left >= right || top >= bottom; }
  void Add(const CFrameExtent& other) {
    if (other.IsEmpty()) {
      return;
    }
    if (IsEmpty()) {
      *this = other;
      return;
    }
    left = std::min(left, other.left);
    top = std::min(top, other.top);
    right = std::max(right, other.right);
    bottom = std::max(bottom, other.bottom);
  }
};

// What the placements of `frame` that get drawn can cover when the frame is drawn at a position:
// each placement's destination rectangle as the frame's drawing computes it, widened by the unit
// a scaled edge may round by and, for a free rotation, to the circle around it.
CFrameExtent FrameExtent(const UObjActor& actor, const UObjFrame& frame);
