#include "editor/doc/placement_fields.h"

#include <bit>
#include <type_traits>

namespace {

// Reaches field `field` of `placement`, whatever its type, and hands it to `use`.
template <typename Placement, typename Use>
auto WithField(PlacementField field, Placement& placement, Use use) {
  auto& affine = placement.affine;
  switch (field) {
    case PlacementField::Module:
      return use(placement.module);
    case PlacementField::X:
      return use(placement.x);
    case PlacementField::Y:
      return use(placement.y);
    case PlacementField::FlipX:
      return use(affine.FlipX);
    case PlacementField::FlipY:
      return use(affine.FlipY);
    case PlacementField::Rotate:
      return use(affine.Rotate);
    case PlacementField::ScaleXEnable:
      return use(affine.ScaleXEnable);
    case PlacementField::ScaleX:
      return use(placement.ScaleX);
    case PlacementField::ScaleYEnable:
      return use(affine.ScaleYEnable);
    case PlacementField::ScaleY:
      return use(placement.ScaleY);
    case PlacementField::RotateAngleEnable:
      return use(affine.RotateAngleEnable);
    case PlacementField::RotateAngle:
      return use(placement.RotateAngle);
    case PlacementField::AlphaBlendEnable:
      return use(affine.AlphaBlendEnable);
    case PlacementField::AlphaBlendMode:
      return use(affine.AlphaBlendMode);
    case PlacementField::AlphaBlendOP:
      return use(affine.AlphaBlendOP);
    case PlacementField::AlphaValue:
    case PlacementField::Count:
      break;
  }
  return use(placement.AlphaValue);
}

// A field's value as bits, so that floats compare exactly (a NaN equals itself).
template <typename T>
uint64_t Bits(const T& value) {
  if constexpr (sizeof(T) == sizeof(uint32_t) && !std::is_integral_v<T>) {
    return std::bit_cast<uint32_t>(value);
  } else {
    return static_cast<uint64_t>(value);
  }
}

}  // namespace

void CopyPlacementField(PlacementField field, const TObjFrame& from, TObjFrame& to) {
  const uint64_t value = WithField(field, from, [](const auto& f) { return Bits(f); });
  WithField(field, to, [value](auto& f) {
    using T = std::remove_reference_t<decltype(f)>;
    if constexpr (std::is_integral_v<T>) {
      f = static_cast<T>(value);
    } else {
      f = std::bit_cast<T>(static_cast<uint32_t>(value));
    }
    return 0;
  });
}

bool SamePlacementField(PlacementField field, const TObjFrame& a, const TObjFrame& b) {
  const auto bits = [](const auto& f) { return Bits(f); };
  return WithField(field, a, bits) == WithField(field, b, bits);
}

void PlaceModuleAt(UObjFrame& frame, uint16_t module, int x, int y) {
  frame.AddModule(module, x, y);
  TObjFrame& placement = frame.placements.back();
  placement.ScaleX = 1.0f;
  placement.ScaleY = 1.0f;
}
