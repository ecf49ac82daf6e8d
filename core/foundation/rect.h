#pragma once

#include <cstdint>

#include "core/core_api.h"
#include "core/foundation/point.h"

// An integer rectangle. Width is right - left; for hit tests all four edges are inclusive.
class CORE_API URect {
 public:
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;

  // Leaves the edges undefined, like a plain record; assign before use.
  URect() {}  // NOLINT(cppcoreguidelines-pro-type-member-init)
  URect(int32_t l, int32_t t, int32_t r, int32_t b) : left(l), top(t), right(r), bottom(b) {}
  URect(const URect&) = default;
  URect& operator=(const URect&) = default;
  virtual ~URect();

  int GetWidth() const { return right - left; }
  int GetHeight() const { return bottom - top; }
  // Midpoint of each edge pair, integer division truncating toward zero.
  UPoint Center() const;
  bool PtInRect(const UPoint& point) const;
  // True unless the rectangles are apart; rectangles that only share an edge collide.
  bool Collision(const URect& other) const;
  // Reflect about the vertical line x = axis (MirrorX) or the horizontal line y = axis (MirrorY),
  // keeping the width or height.
  void MirrorX(int axis);
  void MirrorY(int axis);
};
