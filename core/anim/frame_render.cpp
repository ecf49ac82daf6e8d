// Turning frames into canvas calls: one surface draw per placement.
#include <cstdint>

#include "core/anim/obj_actor.h"
#include "core/anim/obj_frame.h"
#include "core/anim/obj_module.h"
#include "core/canvas/blt_fx.h"
#include "core/canvas/canvas.h"
#include "core/canvas/surface.h"
#include "core/foundation/saturate.h"

namespace {

// The far edge of a scaled side: the near edge plus the source extent times the factor, in
// 32-bit floats and truncated toward zero, so the near edge stays put.
int32_t ScaledEdge(int32_t near_edge, int32_t extent, float factor) {
  return SaturateCast<int32_t>(static_cast<float>(near_edge) + static_cast<float>(extent) * factor);
}

BLTFX EffectsOf(const TObjFrame& placement) {
  const WObjAffine& affine = placement.affine;
  BLTFX fx;
  if (affine.FlipX != 0) {
    fx.flags |= BLTFX_MIRRORX;
  }
  if (affine.FlipY != 0) {
    fx.flags |= BLTFX_MIRRORY;
  }
  switch (affine.Rotate) {
    case 1:
      fx.flags |= BLTFX_ROT90;
      break;
    case 2:
      fx.flags |= BLTFX_ROT180;
      break;
    case 3:
      fx.flags |= BLTFX_ROT270;
      break;
    default:
      break;
  }
  if (affine.RotateAngleEnable != 0) {
    fx.angle = placement.RotateAngle;
    fx.flags |= BLTFX_ROTATE;
  }
  if (affine.AlphaBlendEnable != 0) {
    // White, so nothing is tinted, with the placement's opacity as alpha.
    fx.color = 0x00FFFFFFu | ((placement.AlphaValue & 0xFFu) << 24);
    fx.flags |= BLTFX_COLOR;
  }
  return fx;
}

}  // namespace

void UObjFrame::Render(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos,
                       const std::vector<UObjModule*>& modules) const {
  if (canvas == nullptr || surfaces == nullptr) {
    return;
  }
  for (const TObjFrame& placement : placements) {
    if (placement.module >= modules.size() || modules[placement.module] == nullptr) {
      continue;
    }
    const UObjModule& module = *modules[placement.module];
    if (!surfaces->IsValidIndex(module.texture) || (*surfaces)[module.texture] == nullptr) {
      continue;
    }
    const URect src(module.left, module.top, module.right, module.bottom);
    URect dst;
    dst.left = SaturateCast<int32_t>(int64_t{pos.x} + placement.x + origin.x);
    dst.top = SaturateCast<int32_t>(int64_t{pos.y} + placement.y + origin.y);
    dst.right = SaturateCast<int32_t>(int64_t{dst.left} + src.GetWidth());
    dst.bottom = SaturateCast<int32_t>(int64_t{dst.top} + src.GetHeight());
    if (placement.affine.ScaleXEnable != 0) {
      dst.right = ScaledEdge(dst.left, src.GetWidth(), placement.ScaleX);
    }
    if (placement.affine.ScaleYEnable != 0) {
      dst.bottom = ScaledEdge(dst.top, src.GetHeight(), placement.ScaleY);
    }
    const BLTFX fx = EffectsOf(placement);
    canvas->DrawSurface(&dst, (*surfaces)[module.texture], &src, &fx);
  }
}

void UObjActor::Render(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos, int action_index,
                       float at) {
  if (const UObjFrame* picture = GetRenderFrame(action_index, at)) {
    picture->Render(canvas, surfaces, pos, modules);
  }
}

void UObjActor::RenderFrame(UCanvas* canvas, UArray<USurface*>* surfaces, UPoint pos, int index) {
  if (const UObjFrame* frame = GetFrame(index)) {
    frame->Render(canvas, surfaces, pos, modules);
  }
}
