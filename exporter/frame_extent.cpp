#include "exporter/frame_extent.h"

#include <cmath>

#include "core/anim/obj_module.h"
#include "core/foundation/saturate.h"

namespace {

// Where a placement can put pixels: its destination rectangle computed as the frame's drawing
// does, widened for a free rotation (about the rectangle's centre) to the circle around it.
CFrameExtent PlacementExtent(const UObjFrame& frame, const TObjFrame& placement,
                             const UObjModule& module) {
  const int64_t width = int64_t{module.right} - module.left;
  const int64_t height = int64_t{module.bottom} - module.top;
  const int64_t left = int64_t{placement.x} + frame.origin.x;
  const int64_t top = int64_t{placement.y} + frame.origin.y;
  int64_t right = left + width;
  int64_t bottom = top + height;
  if (placement.affine.ScaleXEnable != 0) {
    right = SaturateCast<int32_t>(static_cast<float>(left) +
                                  static_cast<float>(width) * placement.ScaleX);
  }
  if (placement.affine.ScaleYEnable != 0) {
    bottom = SaturateCast<int32_t>(static_cast<float>(top) +
                                   static_cast<float>(height) * placement.ScaleY);
  }
  CFrameExtent extent{std::min(left, right), std::min(top, bottom), std::max(left, right),
                      std::max(top, bottom)};
  // A scaled edge is rounded from the drawing position on, which may move it by one unit.
  if (placement.affine.ScaleXEnable != 0 && !extent.IsEmpty()) {
    --extent.left;
    ++extent.right;
  }
  if (placement.affine.ScaleYEnable != 0 && !extent.IsEmpty()) {
    --extent.top;
    ++extent.bottom;
  }
  if (placement.affine.RotateAngleEnable != 0 && !extent.IsEmpty()) {
    const double centreX = static_cast<double>(extent.left + extent.right) / 2.0;
    const double centreY = static_cast<double>(extent.top + extent.bottom) / 2.0;
    const double radius = std::hypot(static_cast<double>(extent.right - extent.left),
                                     static_cast<double>(extent.bottom - extent.top)) /
                              2.0 +
                          1.0;
    extent = {static_cast<int64_t>(std::floor(centreX - radius)),
              static_cast<int64_t>(std::floor(centreY - radius)),
              static_cast<int64_t>(std::ceil(centreX + radius)),
              static_cast<int64_t>(std::ceil(centreY + radius))};
  }
  return extent;
}

}  // namespace

CFrameExtent FrameExtent(const UObjActor& actor, const UObjFrame& frame) {
  CFrameExtent extent;
  for (const TObjFrame& placement : frame.placements) {
    if (placement.module >= actor.modules.size() || actor.modules[placement.module] == nullptr) {
      continue;
    }
    const UObjModule& module = *actor.modules[placement.module];
    if (!actor.textures.IsValidIndex(module.texture)) {
      continue;
    }
    extent.Add(PlacementExtent(frame, placement, module));
  }
  return extent;
}
