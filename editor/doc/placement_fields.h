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

// Places module `module` at (x, y) at the end of `frame`, at the module's own size: Core makes a
// placement with scale 0, which draws nothing once a scale is switched on in the pane, so the
// editor's placements start at scale 1 (what a stored placement without a scale reads back as).
void PlaceModuleAt(UObjFrame& frame, uint16_t module, int x, int y);
