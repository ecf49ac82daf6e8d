#include "editor/doc/turned_box.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "core/foundation/saturate.h"
#include "drivers/accel/geometry.h"

CTurnedBox TurnBox(float left, float top, float width, float height, float angle) {
  const float cx = left + width / 2;
  const float cy = top + height / 2;
  const RwMatrixTag rotation = GetRotateMatrix(angle);
  const RwV3d offsets[4] = {{width / 2, -height / 2, 0},
                            {-width / 2, -height / 2, 0},
                            {-width / 2, height / 2, 0},
                            {width / 2, height / 2, 0}};
  CTurnedBox box{};
  for (int i = 0; i < 4; ++i) {
    RwV3d turned{};
    TransformVector(&turned, &offsets[i], &rotation);
    box.x[i] = cx + turned.x;
    box.y[i] = cy + turned.y;
  }
  return box;
}

bool TouchesRect(const CTurnedBox& box, float left, float top, float right, float bottom) {
  // Two convex shapes are apart exactly when one of their edge directions separates them: the
  // rectangle's two axes, then the turned box's two edge normals.
  const float rectX[4] = {left, right, right, left};
  const float rectY[4] = {top, top, bottom, bottom};
  const auto apart_along = [&](float nx, float ny) {
    float boxMin = nx * box.x[0] + ny * box.y[0];
    float boxMax = boxMin;
    float rectMin = nx * rectX[0] + ny * rectY[0];
    float rectMax = rectMin;
    for (int i = 1; i < 4; ++i) {
      const float b = nx * box.x[i] + ny * box.y[i];
      const float r = nx * rectX[i] + ny * rectY[i];
      boxMin = std::min(boxMin, b);
      boxMax = std::max(boxMax, b);
      rectMin = std::min(rectMin, r);
      rectMax = std::max(rectMax, r);
    }
    return boxMax < rectMin || rectMax < boxMin;
  };
  return !(apart_along(1, 0) || apart_along(0, 1) ||
           apart_along(box.y[1] - box.y[0], box.x[0] - box.x[1]) ||
           apart_along(box.y[2] - box.y[1], box.x[1] - box.x[2]));
}

URect TurnedBounds(float left, float top, float width, float height, float angle) {
  const CTurnedBox turned = TurnBox(left, top, width, height, angle);
  const auto [minX, maxX] = std::minmax_element(std::begin(turned.x), std::end(turned.x));
  const auto [minY, maxY] = std::minmax_element(std::begin(turned.y), std::end(turned.y));
  return URect(SaturateCast<int32_t>(std::floor(*minX)), SaturateCast<int32_t>(std::floor(*minY)),
               SaturateCast<int32_t>(std::ceil(*maxX)), SaturateCast<int32_t>(std::ceil(*maxY)));
}
