#pragma once

#include <cstdint>

#include "core/anim/obj_frame.h"

// The fields of a placement that the property pane edits, one bit each in a mask: with several
// placements selected, a field edited in the pane is copied to all of them and the others stay.
enum class PlacementField : uint32_t {
  Module,  // shown, never copied: the module a placement shows is chosen by placing it
  X,
  Y,
  FlipX,
  FlipY,
  Rotate,
  ScaleXEnable,
  ScaleX,
  ScaleYEnable,
  ScaleY,
  RotateAngleEnable,
  RotateAngle,
  AlphaBlendEnable,
  AlphaBlendMode,
  AlphaBlendOP,
  AlphaValue,
  Count
};

constexpr uint32_t PlacementFieldBit(PlacementField field) {
  return 1u << static_cast<uint32_t>(field);
}

// Writes `field` of `from` into `to`.
void CopyPlacementField(PlacementField field, const TObjFrame& from, TObjFrame& to);
// Whether `field` holds the same value in both (floats compared bit for bit).
bool SamePlacementField(PlacementField field, const TObjFrame& a, const TObjFrame& b);
