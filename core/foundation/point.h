#pragma once

#include <cstdint>

// Integer points. Their + and - change the LEFT operand and return it (they behave like += and
// -=); callers throughout the model rely on that.
struct UPoint {
  int32_t x = 0;
  int32_t y = 0;

  UPoint() = default;
  UPoint(int32_t px, int32_t py) : x(px), y(py) {}

  bool operator==(const UPoint& other) const { return x == other.x && y == other.y; }
  bool operator!=(const UPoint& other) const { return !(*this == other); }
  UPoint& operator+(const UPoint& other) {
    x += other.x;
    y += other.y;
    return *this;
  }
  UPoint& operator-(const UPoint& other) {
    x -= other.x;
    y -= other.y;
    return *this;
  }
};

struct UPoint16 {
  int16_t x;
  int16_t y;

  // Leaves the coordinates undefined, like a plain record; assign before use.
  UPoint16() {}  // NOLINT(cppcoreguidelines-pro-type-member-init)
  UPoint16(int16_t px, int16_t py) : x(px), y(py) {}

  UPoint16& operator+(const UPoint16& other) {
    x = static_cast<int16_t>(x + other.x);
    y = static_cast<int16_t>(y + other.y);
    return *this;
  }
  UPoint16& operator-(const UPoint16& other) {
    x = static_cast<int16_t>(x - other.x);
    y = static_cast<int16_t>(y - other.y);
    return *this;
  }
};
