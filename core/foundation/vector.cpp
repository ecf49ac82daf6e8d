#include "core/foundation/vector.h"

#include <algorithm>
#include <cmath>

float UVector2::Size() const {
  return std::sqrt(SizeSquared());
}

bool UVector2::Normalize() {
  const float size = Size();
  x /= size;
  y /= size;
  return true;
}

float UVector::GetMax() const {
  return std::max({x, y, z});
}

float UVector::GetMin() const {
  return std::min({x, y, z});
}

float UVector::Size() const {
  return std::sqrt(SizeSquared());
}

bool UVector::Normalize() {
  const float size = Size();
  x /= size;
  y /= size;
  z /= size;
  return true;
}

UVector UVector::Projection() const {
  const float r = 1.0f / z;
  return {r * x, r * y, 1.0f};
}
