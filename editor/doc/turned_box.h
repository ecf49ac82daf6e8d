#pragma once

#include "core/foundation/rect.h"

// A placement's box as drawn: the rectangle at (left, top) of width x height, turned by `angle`
// degrees about its centre. Corners in the order top-right, top-left, bottom-left, bottom-right
// before the turn.
struct CTurnedBox {
  float x[4];
  float y[4];
};

CTurnedBox TurnBox(float left, float top, float width, float height, float angle);

// Whether the turned box and the upright rectangle (left, top)-(right, bottom) share any point,
// edges included.
bool TouchesRect(const CTurnedBox& box, float left, float top, float right, float bottom);

// The smallest upright rectangle of whole units holding the turned box.
URect TurnedBounds(float left, float top, float width, float height, float angle);
