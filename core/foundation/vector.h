#pragma once

#include <cstdint>

#include "core/core_api.h"

// Two-component float vector. Arithmetic is component by component; compound assignments return
// a copy of the new value.
struct CORE_API UVector2 {
  float x = 0.0f;
  float y = 0.0f;

  UVector2() = default;
  UVector2(float px, float py) : x(px), y(py) {}

  UVector2 operator+(const UVector2& o) const { return {x + o.x, y + o.y}; }
  UVector2 operator-(const UVector2& o) const { return {x - o.x, y - o.y}; }
  UVector2 operator*(const UVector2& o) const { return {x * o.x, y * o.y}; }
  UVector2 operator/(const UVector2& o) const { return {x / o.x, y / o.y}; }
  UVector2 operator*(float f) const { return {x * f, y * f}; }
  UVector2 operator/(float f) const { return {x / f, y / f}; }
  UVector2 operator-() const { return {-x, -y}; }
  UVector2 operator+=(const UVector2& o) { return *this = *this + o; }
  UVector2 operator-=(const UVector2& o) { return *this = *this - o; }
  UVector2 operator*=(const UVector2& o) { return *this = *this * o; }
  UVector2 operator/=(const UVector2& o) { return *this = *this / o; }
  bool operator==(const UVector2& o) const { return x == o.x && y == o.y; }
  bool operator!=(const UVector2& o) const { return !(*this == o); }
  // 0 gives x, any other index gives y.
  float operator[](int i) const { return i == 0 ? x : y; }

  float GetMax() const { return x > y ? x : y; }
  float GetMin() const { return x < y ? x : y; }
  float Size() const;
  float SizeSquared() const { return x * x + y * y; }
  bool IsZero() const { return x == 0.0f && y == 0.0f; }
  // Divides by Size() and returns true; a zero vector becomes non-finite.
  bool Normalize();
};

// Three-component float vector, with the same operations as UVector2.
struct CORE_API UVector {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;

  UVector() = default;
  UVector(float px, float py, float pz) : x(px), y(py), z(pz) {}

  UVector operator+(const UVector& o) const { return {x + o.x, y + o.y, z + o.z}; }
  UVector operator-(const UVector& o) const { return {x - o.x, y - o.y, z - o.z}; }
  UVector operator*(const UVector& o) const { return {x * o.x, y * o.y, z * o.z}; }
  UVector operator/(const UVector& o) const { return {x / o.x, y / o.y, z / o.z}; }
  UVector operator*(float f) const { return {x * f, y * f, z * f}; }
  UVector operator/(float f) const { return {x / f, y / f, z / f}; }
  UVector operator-() const { return {-x, -y, -z}; }
  UVector operator+=(const UVector& o) { return *this = *this + o; }
  UVector operator-=(const UVector& o) { return *this = *this - o; }
  UVector operator*=(const UVector& o) { return *this = *this * o; }
  UVector operator/=(const UVector& o) { return *this = *this / o; }
  bool operator==(const UVector& o) const { return x == o.x && y == o.y && z == o.z; }
  bool operator!=(const UVector& o) const { return !(*this == o); }
  // 0 gives x, 1 gives y, any other index gives z.
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }

  float GetMax() const;
  float GetMin() const;
  float Size() const;
  float SizeSquared() const { return x * x + y * y + z * z; }
  bool IsZero() const { return x == 0.0f && y == 0.0f && z == 0.0f; }
  bool Normalize();
  // (x / z, y / z, 1), computed through the reciprocal of z.
  UVector Projection() const;
};

// A float and an integer that nothing interprets yet; GetVector2d yields the zero vector.
struct CORE_API UVector2Absoult {
  float value = 0.0f;
  int32_t count = 0;

  UVector2Absoult() = default;
  UVector2Absoult(float f, int32_t n) : value(f), count(n) {}

  UVector2 GetVector2d() const { return {}; }
};
