#include "core/foundation/rect.h"

URect::~URect() = default;

UPoint URect::Center() const {
  // The sum of two edges can pass the int range; its half never does.
  return UPoint(static_cast<int32_t>((int64_t{left} + right) / 2),
                static_cast<int32_t>((int64_t{top} + bottom) / 2));
}

bool URect::PtInRect(const UPoint& point) const {
  return left <= point.x && point.x <= right && top <= point.y && point.y <= bottom;
}

bool URect::Collision(const URect& other) const {
  return !(other.right < left || right < other.left || other.bottom < top || bottom < other.top);
}

void URect::MirrorX(int axis) {
  const int width = GetWidth();
  right = 2 * axis - left;
  left = right - width;
}

void URect::MirrorY(int axis) {
  const int height = GetHeight();
  bottom = 2 * axis - top;
  top = bottom - height;
}
